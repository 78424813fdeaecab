#pragma once

#include <string_view>

#include <QPointer>
#include <QString>
#include <QWidget>

#include "form/control_properties.h"

namespace tobarin {

class Form1;

// A UTF-8 text of the engine's, or of the window's definitions, as a QString:
// the one conversion that the windows' Qt code (ui/) uses for such texts.
[[nodiscard]] inline QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The engine's view of the window: control properties read and written on the
// real widgets, message boxes shown as modal QMessageBoxes, unloading as
// closing the window. This is the one place where the engine reads and
// writes the widgets' texts.
class WidgetProperties final : public ControlProperties {
public:
    explicit WidgetProperties(Form1 &form)
        : m_form(form)
    {
    }

    [[nodiscard]] std::string text(ControlId control) const override;
    void setText(ControlId control, std::string_view text) override;
    [[nodiscard]] std::string caption(ControlId control) const override;
    void setCaption(ControlId control, std::string_view caption) override;
    [[nodiscard]] int value(ControlId control) const override;
    [[nodiscard]] bool visible(ControlId control) const override;
    void setVisible(ControlId control, bool visible) override;
    void msgBox(std::string_view text, int style, std::string_view title) override;
    void unload() override;

    // Runs after every handler. When the handler wrote the answer, tells
    // assistive technology without moving the focus: the focused control
    // carries the answer in its accessible description, with a
    // description-changed event (screen readers speak a change on the focused
    // control, not on an unfocused label). An answer that is gone (Clear) is
    // taken back from the control that carried it.
    void afterHandler(bool announce);

private:
    void describeAnswer();
    [[nodiscard]] QString spokenAnswer() const;

    Form1 &m_form;
    QPointer<QWidget> m_announcer;  // the control that carries the announced answer
};

}  // namespace tobarin
