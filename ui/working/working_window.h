#pragma once

#include "engine/problem/problem.h"
#include "engine/working/textbook.h"
#include "engine/working/working.h"

#include <functional>
#include <string_view>

#include <QWidget>

class QScrollArea;

namespace tobarin {

class WorkingView;
struct WorkingControlDefinition;

// The window 「途中式と答え合わせ」 (form/working_definition.h): the working of a
// problem, drawn as in a textbook, and a check of the answer a pupil types for
// it. A top-level window of its own beside the calculator, which owns it; it
// is not modal.
//
// The working is worked out on a window held in memory, never on the
// calculator's own window, whose answer stays as it is. It stays hidden until
// asked for, so that a pupil can check an answer before seeing the right one;
// a new problem hides it again and clears the verdict. How sums and
// differences are worked (仮分数に直して, 帯分数のまま) is the pupil's choice,
// kept between runs.
class WorkingWindow : public QWidget {
public:
    explicit WorkingWindow(QWidget *parent = nullptr);

    // The problem of the calculator's fields to work and check, and the form
    // its answer takes; the same again changes nothing. While the 式 field
    // holds an entered problem, that one is worked instead, in this form.
    void setProblem(const Problem &problem, AnswerForm form);

    // Adds the button 練習… below the typed answer, which calls `open`; once.
    void offerPractice(std::function<void()> open);

    // The working as text, as `tobarin --calc EXPR --steps` writes it, with
    // the report of a calculation that stops on its last line.
    [[nodiscard]] QString workingText() const;

private:
    // A control of the window by its name in the definition.
    template <typename Widget = QWidget> [[nodiscard]] Widget *part(std::string_view name) const;

    QWidget *createPart(const WorkingControlDefinition &row, QWidget *container);
    // The widget that stands in the layout for a control.
    [[nodiscard]] QWidget *placed(std::string_view name) const;
    void arrange();
    void setMethod(Method method);
    void showProblem(const Problem &problem, AnswerForm form);
    // The 式 field entered: its problem shown, or what cannot be read said;
    // empty, the fields' problem again.
    void enterExpression();
    void followFields();
    void work();
    void showWorking(bool shown);
    void fitWorkingArea();
    void checkTypedAnswer();

    Problem m_problem;
    AnswerForm m_form = AnswerForm::Mixed;
    Method m_method = Method::MakeImproper;
    bool m_hasProblem = false;
    Problem m_fieldsProblem;  // the calculator's, to go back to
    bool m_hasFieldsProblem = false;
    bool m_typed = false;  // the problem shown is the 式 field's
    Working m_working;
    WorkingView *m_view = nullptr;
    QScrollArea *m_scroll = nullptr;
};

}  // namespace tobarin
