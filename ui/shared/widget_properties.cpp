#include "ui/shared/widget_properties.h"

#include "engine/window/answer.h"
#include "ui/form1.h"
#include "ui/shared/widgets.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "form/definition.h"

namespace tobarin {

std::string WidgetProperties::text(ControlId control) const
{
    const auto *field = qobject_cast<QLineEdit *>(m_form.control(control));
    return field ? field->text().toStdString() : std::string();
}

void WidgetProperties::setText(ControlId control, std::string_view text)
{
    if (auto *field = qobject_cast<EntryField *>(m_form.control(control))) {
        field->writeText(fromUtf8(text));
    }
}

std::string WidgetProperties::caption(ControlId control) const
{
    const auto *label = qobject_cast<QLabel *>(m_form.control(control));
    return label ? label->text().toStdString() : std::string();
}

void WidgetProperties::setCaption(ControlId control, std::string_view caption)
{
    // Every label of the window is a FittingLabel.
    if (auto *label = dynamic_cast<FittingLabel *>(m_form.control(control))) {
        label->setFittingText(fromUtf8(caption));
    }
    if (const ControlDefinition *row = definitionOf(control); row && row->answerPart) {
        describeAnswer();
    }
}

QString WidgetProperties::spokenAnswer() const
{
    const std::optional<WrittenNumber> answer = answerIn(*this);
    return answer ? fromUtf8(tobarin::spokenAnswer(*answer)) : QString();
}

void WidgetProperties::describeAnswer()
{
    // Each of the answer's labels tells a screen reader the whole answer.
    const QString spoken = spokenAnswer();
    for (const ControlDefinition &row : Controls) {
        if (row.answerPart) {
            m_form.control(idOf(row))->setAccessibleDescription(spoken);
        }
    }
}

void WidgetProperties::afterHandler(bool announce)
{
    const QString spoken = spokenAnswer();
    QWidget *focus = QApplication::focusWidget();
    const bool withdraw = spoken.isEmpty() || (announce && m_announcer != focus);
    if (withdraw && m_announcer) {
        m_announcer->setAccessibleDescription(QString());
        m_announcer = nullptr;
    }
    if (!announce || spoken.isEmpty() || !focus || focus->window() != &m_form) {
        return;
    }
    // Sends a description-changed event, also for the same text again: a new
    // calculation is announced even when its answer is the last one.
    m_announcer = focus;
    focus->setAccessibleDescription(spoken);
}

int WidgetProperties::value(ControlId control) const
{
    const auto *button = qobject_cast<QAbstractButton *>(m_form.control(control));
    return button && button->isChecked() ? 1 : 0;
}

bool WidgetProperties::visible(ControlId control) const
{
    return !m_form.control(control)->isHidden();
}

void WidgetProperties::setVisible(ControlId control, bool visible)
{
    m_form.control(control)->setVisible(visible);
}

void WidgetProperties::msgBox(std::string_view text, int style, std::string_view title)
{
    // Lines are separated by carriage returns; the text is never markup.
    QString lines = fromUtf8(text);
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const auto icon = style == MsgBoxCritical ? QMessageBox::Critical
        : style == MsgBoxInformation          ? QMessageBox::Information
                                              : QMessageBox::NoIcon;
    QMessageBox box(icon, fromUtf8(title), lines, QMessageBox::Ok, &m_form);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

void WidgetProperties::unload()
{
    m_form.close();
}

}  // namespace tobarin
