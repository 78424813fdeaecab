#pragma once

#include <cstdint>
#include <string>

#include "form/control_properties.h"

// The window's small event handlers, written against the control properties
// like Calculate: the entry fields, the sign boxes, the operation buttons,
// Clear, Quit and the About box.
namespace tobarin {

// An entry field receives the focus (index 0 denominator, 1 numerator, 2
// integer part): Label7 names its kind ("分母", "分子", "整数").
void Text1_GotFocus(ControlProperties &form, std::int16_t index);
void Text2_GotFocus(ControlProperties &form, std::int16_t index);

// An entry field loses the focus: a lone "-" is removed; any other non-empty
// text becomes the digits of the absolute value of the 32-bit integer it reads
// as (ties to even), and Label7 is emptied. Error 6 when the number lies
// beyond 32 bits or is −2147483648, whose absolute value does not fit; the
// field then keeps its text and Label7 its hint.
void Text1_LostFocus(ControlProperties &form, std::int16_t index);
void Text2_LostFocus(ControlProperties &form, std::int16_t index);

// A sign box was clicked: Label5(index) shows "-" exactly while Check1(index) is ticked.
void Check1_Click(ControlProperties &form, std::int16_t index);

// An operation button was selected: Label3 shows its sign ("＋", "－", "×", "÷").
void Option1_Click(ControlProperties &form, std::int16_t index);

// Clear: empties the six entry fields and the four answer labels, nothing else.
void Command2_Click(ControlProperties &form);

// Quit, by the button and by the menu alike: closes the window.
void Command3_Click(ControlProperties &form);
void FileExit_Click(ControlProperties &form);

// The About box's text: "Tobarinver" and the version, the copyright line and
// the contact line, separated by carriage returns.
[[nodiscard]] std::string AboutText(std::int16_t major, std::int16_t minor, std::int16_t revision);

// The About box: the text above, with this program's version, in an
// information box titled "バージョン情報".
void FileBer_Click(ControlProperties &form);

}  // namespace tobarin
