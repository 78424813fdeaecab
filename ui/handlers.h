#pragma once

#include "engine/controls.h"

#include <cstdint>
#include <string>
#include <string_view>

// The window's small event handlers, written against the same control
// properties as the engine. Form1 binds them to its widgets' events.
namespace tobarin {

// An entry field (Text1 or Text2, index 0 denominator, 1 numerator, 2 integer
// part) receives the focus: Label7 names its kind ("分母", "分子", "整数").
void Text_GotFocus(ControlProperties &form, std::int16_t index);

// An entry field loses the focus: a lone "-" is removed; any other non-empty
// text becomes the digits of the absolute value of the 32-bit integer it reads
// as (ties to even), and Label7 is emptied. Error 6 when the number lies
// beyond 32 bits; the field keeps its text and Label7 its hint.
void Text_LostFocus(ControlProperties &form, std::string_view field, std::int16_t index);

// A sign box was clicked: Label5(index) shows "-" exactly while Check1(index) is ticked.
void Check1_Click(ControlProperties &form, std::int16_t index);

// An operation button was selected: Label3 shows its sign ("＋", "－", "×", "÷").
void Option1_Click(ControlProperties &form, std::int16_t index);

// Clear: empties the six entry fields and the four answer labels, nothing else.
void Command2_Click(ControlProperties &form);

// The About box's text: "Tobarinver" and the version, the copyright line and
// the contact line, separated by carriage returns.
[[nodiscard]] std::string AboutText(std::int16_t major, std::int16_t minor, std::int16_t revision);

// The About box: the text above in an information box titled "バージョン情報".
void FileBer_Click(
    ControlProperties &form, std::int16_t major, std::int16_t minor, std::int16_t revision);

}  // namespace tobarin
