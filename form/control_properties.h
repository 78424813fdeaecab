#pragma once

#include <string>
#include <string_view>

#include "form/control_id.h"

namespace tobarin {

// Message-box styles: the icon, with a single OK button.
inline constexpr int MsgBoxCritical = 16;
inline constexpr int MsgBoxInformation = 64;

// The window as the handlers see it: the properties of its controls, read and
// written by control, a modal message box, and closing the window. Texts are
// UTF-8. Each front-end implements it over its own controls (widgets, page
// elements); the command line and the tests implement it over memory.
class ControlProperties {
public:
    virtual ~ControlProperties() = default;

    // Text of a text box.
    [[nodiscard]] virtual std::string text(ControlId control) const = 0;
    virtual void setText(ControlId control, std::string_view text) = 0;

    // Caption of a label.
    [[nodiscard]] virtual std::string caption(ControlId control) const = 0;
    virtual void setCaption(ControlId control, std::string_view caption) = 0;

    // Value of a check box (0 clear, 1 ticked) or of an option button (1 while
    // it is the selected button of its group, 0 otherwise).
    [[nodiscard]] virtual int value(ControlId control) const = 0;

    // Visibility of a line.
    [[nodiscard]] virtual bool visible(ControlId control) const = 0;
    virtual void setVisible(ControlId control, bool visible) = 0;

    // Shows a modal message box with one OK button and returns when it is
    // closed. Lines of the text are separated by a carriage return.
    virtual void msgBox(std::string_view text, int style, std::string_view title) = 0;

    // Closes the window, which ends the program. Nothing is asked or saved.
    virtual void unload() = 0;

protected:
    ControlProperties() = default;
    ControlProperties(const ControlProperties &) = default;
    ControlProperties &operator=(const ControlProperties &) = default;
};

}  // namespace tobarin
