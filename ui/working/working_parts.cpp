#include "ui/working/working_parts.h"

#include "ui/shared/fonts.h"
#include "ui/shared/widget_properties.h"
#include "ui/shared/widgets.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QSettings>

#include "form/working_definition.h"

namespace tobarin {

namespace {

// Where the chosen method is kept between runs.
QSettings settings()
{
    return QSettings(QStringLiteral("Tobarin"), QStringLiteral("Tobarin"));
}
const QString MethodKey = QStringLiteral("working/method");

QLineEdit *answerField(const WorkingControlDefinition &row, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setFont(fontOf(Font::A));
    field->setPlaceholderText(fromUtf8(row.caption));
    field->setAlignment(alignmentOf(row.align) | Qt::AlignVCenter);
    // Room for eight digits, more than any answer of two operands of the calculator needs
    // in a field; longer texts scroll.
    field->setFixedWidth(QFontMetrics(field->font()).horizontalAdvance(QString(8, u'0')) + 12);
    return field;
}

}  // namespace

QWidget *createWorkingControl(const WorkingControlDefinition &row, QWidget *container)
{
    const QString caption = fromUtf8(row.caption);
    QWidget *widget = nullptr;
    switch (row.kind) {
    case WorkingKind::Group:
        widget = new QGroupBox(caption, container);
        break;
    case WorkingKind::Working:
        return nullptr;
    case WorkingKind::Button:
        widget = new QPushButton(caption, container);
        break;
    case WorkingKind::ToggleButton: {
        auto *button = new QPushButton(caption, container);
        button->setCheckable(true);
        widget = button;
        break;
    }
    case WorkingKind::CheckBox:
        widget = new QCheckBox(caption, container);
        break;
    case WorkingKind::OptionButton:
        widget = new QRadioButton(caption, container);
        break;
    case WorkingKind::TextBox:
        widget = answerField(row, container);
        break;
    case WorkingKind::Line: {
        widget = new LineControl(container);
        widget->setFixedHeight(2);
        break;
    }
    case WorkingKind::Status: {
        auto *label = new QLabel(container);
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        widget = label;
        break;
    }
    }
    widget->setObjectName(fromUtf8(row.name));
    widget->setAccessibleName(fromUtf8(row.accessibleName));
    if (!row.toolTip.empty()) {
        widget->setToolTip(fromUtf8(row.toolTip));
    }
    return widget;
}

void placeInCell(QGridLayout *layout, const Cell &cell, QWidget *widget)
{
    layout->addWidget(widget, cell.row, cell.column, cell.rowSpan, cell.columnSpan,
        cell.align == CellAlign::Middle ? Qt::AlignVCenter : Qt::Alignment());
}

void layOutGrid(const Grid &grid, QWidget *container,
    const std::function<QWidget *(std::string_view control)> &placed)
{
    auto *layout = new QGridLayout(container);
    for (const Cell &cell : grid.cells) {
        placeInCell(layout, cell, placed(cell.control));
    }
    if (grid.stretchRow >= 0) {
        layout->setRowStretch(grid.stretchRow, 1);
    }
    if (grid.stretchColumn >= 0) {
        layout->setColumnStretch(grid.stretchColumn, 1);
    }
}

TypedOperand typedAnswerIn(const QWidget &parent)
{
    TypedOperand typed;
    for (const AnswerFieldControl &field : AnswerFieldControls) {
        typed.field(field.field)
            = parent.findChild<QLineEdit *>(fromUtf8(field.control))->text().toStdString();
    }
    typed.negative = parent.findChild<QCheckBox *>(fromUtf8(workingControl("AnswerNegative").name))
                         ->isChecked();
    return typed;
}

void showVerdict(
    QLabel *verdict, VerdictCategory category, const QString &text, const QString &told)
{
    QPalette palette = verdict->palette();
    const std::optional<std::uint32_t> colour = verdictLook(lookOf(category)).colour;
    palette.setColor(QPalette::WindowText,
        colour ? QColor::fromRgb(*colour)
               : verdict->window()->palette().color(QPalette::WindowText));
    verdict->setPalette(palette);
    verdict->setText(text);
    verdict->setAccessibleName(
        fromUtf8(workingControl("Verdict").accessibleName) + QLatin1Char(' ') + text);
    // Told to a screen reader on the control that has the focus, which keeps it.
    if (QWidget *focus = QApplication::focusWidget();
        focus && focus->window() == verdict->window()) {
        focus->setAccessibleDescription(told.isEmpty() ? text : told);
    }
}

void fitScrollArea(QScrollArea *area, QSize content)
{
    const QRect screen = area->screen()->availableGeometry();
    const int frame = 2 * area->frameWidth();
    area->setMinimumSize(std::min(content.width() + frame, screen.width() * 3 / 5),
        std::min(content.height() + frame, screen.height() * 3 / 5));
}

Method keptMethod()
{
    return settings().value(MethodKey).toString() == QLatin1String("mixed") ? Method::KeepMixed
                                                                            : Method::MakeImproper;
}

std::optional<Method> chosenMethod()
{
    if (!settings().contains(MethodKey)) {
        return std::nullopt;
    }
    return keptMethod();
}

void keepMethod(Method method)
{
    settings().setValue(MethodKey,
        method == Method::KeepMixed ? QStringLiteral("mixed") : QStringLiteral("improper"));
}

}  // namespace tobarin
