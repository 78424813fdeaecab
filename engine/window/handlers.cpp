#include "engine/window/handlers.h"

#include "engine/number/conversions.h"
#include "engine/number/runtime_error.h"
#include "engine/version.h"

#include <array>
#include <limits>
#include <string_view>

#include "form/definition.h"

namespace tobarin {

namespace {

// 32-bit absolute value: |−2147483648| does not fit and is error 6.
std::int32_t abs32(std::int32_t v)
{
    if (v == std::numeric_limits<std::int32_t>::min()) {
        raiseOverflow();
    }
    return v < 0 ? -v : v;
}

// The kind of each entry field, by Field.
constexpr std::array<std::string_view, 3> Hints {"分母", "分子", "整数"};
static_assert(static_cast<std::size_t>(Field::Denominator) == 0
    && static_cast<std::size_t>(Field::Numerator) == 1
    && static_cast<std::size_t>(Field::Whole) == 2);

void showHint(ControlProperties &form, std::int16_t index)
{
    if (index >= 0 && static_cast<std::size_t>(index) < Hints.size()) {
        form.setCaption(Label7, Hints[static_cast<std::size_t>(index)]);
    }
}

void normalise(ControlProperties &form, ControlId field)
{
    const std::string text = form.text(field);
    if (text == "-") {
        form.setText(field, "");
    } else {
        const std::int32_t v = ToLong(TextValue(text));  // every text, the empty one too
        if (!text.empty()) {
            form.setText(field, NumberText(abs32(v)));
        }
    }
    form.setCaption(Label7, "");
}

}  // namespace

void Text1_GotFocus(ControlProperties &form, std::int16_t index)
{
    showHint(form, index);
}

void Text2_GotFocus(ControlProperties &form, std::int16_t index)
{
    showHint(form, index);
}

void Text1_LostFocus(ControlProperties &form, std::int16_t index)
{
    normalise(form, Text1[index]);
}

void Text2_LostFocus(ControlProperties &form, std::int16_t index)
{
    normalise(form, Text2[index]);
}

void Check1_Click(ControlProperties &form, std::int16_t index)
{
    form.setCaption(Label5[index], form.value(Check1[index]) == 1 ? "-" : "");
}

// The sign shown is the button's own caption ("＋", "－", "×", "÷").
void Option1_Click(ControlProperties &form, std::int16_t index)
{
    if (index >= 0 && index < Option1.size()) {
        form.setCaption(Label3, definitionOf(Option1[index])->caption);
    }
}

void Command2_Click(ControlProperties &form)
{
    for (const Field field : Fields) {
        form.setText(Text1[field], "");
        form.setText(Text2[field], "");
    }
    for (int index = 0; index < Label1.size(); ++index) {
        form.setCaption(Label1[index], "");
    }
}

void Command3_Click(ControlProperties &form)
{
    form.unload();
}

void FileExit_Click(ControlProperties &form)
{
    form.unload();
}

std::string AboutText(std::int16_t major, std::int16_t minor, std::int16_t revision)
{
    return "Tobarinver" + NumberText(major) + "." + NumberText(minor) + "." + NumberText(revision)
        + "\rCopyright (C) 2026 Tobarin contributors\rtobarin@example.org";
}

void FileBer_Click(ControlProperties &form)
{
    form.msgBox(AboutText(version::Major, version::Minor, version::Revision), MsgBoxInformation,
        "バージョン情報");
}

}  // namespace tobarin
