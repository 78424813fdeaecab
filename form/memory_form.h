#pragma once

#include <map>
#include <string>
#include <vector>

#include "form/control_properties.h"

namespace tobarin {

// The window held in memory, without any toolkit: every control as it stands
// when the window opens (the definition's captions and selections), changed
// only through the control properties and what a user would do. The command
// line calculates on one; tests drive the handlers on one.
class MemoryForm : public ControlProperties {
public:
    struct Message {
        std::string text;
        int style;
        std::string title;
    };

    MemoryForm();

    [[nodiscard]] std::string text(ControlId control) const override;
    void setText(ControlId control, std::string_view text) override;
    [[nodiscard]] std::string caption(ControlId control) const override;
    void setCaption(ControlId control, std::string_view caption) override;
    [[nodiscard]] int value(ControlId control) const override;
    [[nodiscard]] bool visible(ControlId control) const override;
    void setVisible(ControlId control, bool visible) override;
    // Records the message and returns at once, as if OK had been pressed.
    void msgBox(std::string_view text, int style, std::string_view title) override;
    void unload() override { m_unloaded = true; }

    // What a user does, without raising any event: sets the value of a check
    // box or option button; selects an option button, which clears the other
    // buttons of its group.
    void setValue(ControlId control, int value);
    void select(ControlId optionButton);

    [[nodiscard]] const std::vector<Message> &messages() const { return m_messages; }
    [[nodiscard]] bool unloaded() const { return m_unloaded; }

private:
    std::map<ControlId, std::string> m_texts;  // texts of the text boxes, captions of the labels
    std::map<ControlId, int> m_values;
    std::map<ControlId, bool> m_visible;
    std::vector<Message> m_messages;
    bool m_unloaded = false;
};

}  // namespace tobarin
