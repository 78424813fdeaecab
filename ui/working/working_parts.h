#pragma once

#include "engine/check/answer_check.h"
#include "engine/number/written_number.h"
#include "engine/working/textbook.h"

#include <functional>
#include <optional>
#include <string_view>

#include <QSize>
#include <QString>

class QGridLayout;
class QLabel;
class QScrollArea;
class QWidget;

namespace tobarin {

struct Cell;
struct Grid;
struct WorkingControlDefinition;

// What the window 「途中式と答え合わせ」 shares with the window 「練習」, which
// takes a typed answer the same way: the controls of its definition
// (form/working_definition.h) as widgets, a grid of cells laid out, the answer
// read from the fields of 自分の答え, a verdict shown and told, and how sums
// and differences are worked, kept between runs.

// The widget of a control of the working window, named from its row, in its
// container; nullptr for the Working, which each window places its own way.
QWidget *createWorkingControl(const WorkingControlDefinition &row, QWidget *container);

// Stands a widget in its cell of a grid's layout.
void placeInCell(QGridLayout *layout, const Cell &cell, QWidget *widget);

// Lays out a container's controls in its grid; `placed` gives the widget that
// stands in a control's cell.
void layOutGrid(const Grid &grid, QWidget *container,
    const std::function<QWidget *(std::string_view control)> &placed);

// The answer typed into the fields and the sign box of 自分の答え among the
// children of `parent`.
[[nodiscard]] TypedOperand typedAnswerIn(const QWidget &parent);

// Shows what a check says in the status `verdict`, in its verdict's colour,
// and tells it to a screen reader on the control that has the focus in the
// status's window, which keeps the focus: `told`, or the text itself.
void showVerdict(
    QLabel *verdict, VerdictCategory category, const QString &text, const QString &told = {});

// An area that scrolls `content` grows to show it whole where the screen has
// room, to three fifths of the screen each way; beyond that it scrolls.
void fitScrollArea(QScrollArea *area, QSize content);

// How the pupil last chose to work sums and differences of mixed numbers;
// chosenMethod gives nothing where they never chose.
[[nodiscard]] Method keptMethod();
[[nodiscard]] std::optional<Method> chosenMethod();
void keepMethod(Method method);

}  // namespace tobarin
