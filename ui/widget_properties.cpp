#include "ui/widget_properties.h"

#include "ui/controls.h"
#include "ui/form1.h"
#include "ui/spoken_answer.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

namespace tobarin {

namespace {

QMessageBox::Icon iconOf(int style)
{
    switch (style & 0x70) {
    case MsgBoxCritical:
        return QMessageBox::Critical;
    case 32:
        return QMessageBox::Question;
    case 48:
        return QMessageBox::Warning;
    case MsgBoxInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

}  // namespace

QWidget *WidgetProperties::widget(ControlId control) const
{
    QWidget *w = m_form.control(control.name, control.index);
    Q_ASSERT_X(w, "WidgetProperties", "no such control");
    return w;
}

std::string WidgetProperties::text(ControlId control) const
{
    const auto *field = qobject_cast<QLineEdit *>(widget(control));
    return field ? field->text().toStdString() : std::string();
}

void WidgetProperties::setText(ControlId control, std::string_view text)
{
    if (auto *field = qobject_cast<ui::EntryField *>(widget(control))) {
        field->writeText(fromUtf8(text));
    }
}

std::string WidgetProperties::caption(ControlId control) const
{
    const auto *label = qobject_cast<QLabel *>(widget(control));
    return label ? label->text().toStdString() : std::string();
}

void WidgetProperties::setCaption(ControlId control, std::string_view caption)
{
    QWidget *w = widget(control);
    if (auto *fitting = dynamic_cast<ui::FittingLabel *>(w)) {
        fitting->setFittingText(fromUtf8(caption));
    } else if (auto *label = qobject_cast<QLabel *>(w)) {
        label->setText(fromUtf8(caption));
    }
    if (control.name == "Label1") {
        describeAnswer();
    }
}

void WidgetProperties::describeAnswer()
{
    // Each of the answer's labels tells a screen reader the whole answer.
    const QString spoken = fromUtf8(SpokenAnswer(caption({"Label1", 3}), caption({"Label1", 2}),
        caption({"Label1", 1}), caption({"Label1", 0})));
    for (int i = 0; i < 4; ++i) {
        widget({"Label1", i})->setAccessibleDescription(spoken);
    }
}

int WidgetProperties::value(ControlId control) const
{
    const auto *button = qobject_cast<QAbstractButton *>(widget(control));
    return button && button->isChecked() ? 1 : 0;
}

bool WidgetProperties::visible(ControlId control) const
{
    return !widget(control)->isHidden();
}

void WidgetProperties::setVisible(ControlId control, bool visible)
{
    widget(control)->setVisible(visible);
}

void WidgetProperties::msgBox(std::string_view text, int style, std::string_view title)
{
    // Lines are separated by carriage returns; the text is never markup.
    QString lines = fromUtf8(text);
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QMessageBox box(iconOf(style), fromUtf8(title), lines, QMessageBox::Ok, &m_form);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace tobarin
