#pragma once

#include <algorithm>
#include <array>
#include <string_view>
#include <variant>

#include "form/definition.h"

// A second geometry of the window's controls, for a phone held upright: the
// same controls, names, captions and tab order, placed so that each is big
// enough for a finger (24 CSS pixels and more) with text of 16 pixels and
// more. The page uses it where the screen is narrower than PhoneBelowWidth;
// the desktop window never does.
//
// Lengths are design pixels: the layout is drawn PhoneClientWidth wide and
// scaled to the width of the screen (one design pixel is one CSS pixel on a
// screen 360 pixels wide). Places are measured from the top-left corner of
// the control's container, as in Controls.
namespace tobarin {

inline constexpr int PhoneBelowWidth = 600;  // CSS pixels of the viewport
inline constexpr int PhoneClientWidth = 344;
inline constexpr int PhoneClientHeight = 428;
inline constexpr int PhoneMenuHeight = 44;
inline constexpr int PhoneMenuTextPixels = 16;

struct PhonePlace {
    ControlId control;
    std::variant<Box, Segment> geometry;
    int textPixels;  // the size of its text
    // Kept in sight while an entry field is typed into: the page scrolls so
    // that every control marked so is seen, the topmost first where they do
    // not all fit.
    bool inSightWhileTyping = false;
};

// clang-format off
inline constexpr std::array<PhonePlace, 33> PhonePlaces {{
//   control     geometry (design pixels)        text  in sight while typing
    // The operation, a row of four; the answer's form beside the hint.
    {Frame1,     Box {0, 4, 344, 72},            16},
    {Option1[0], Box {8, 26, 78, 40},            22},
    {Option1[1], Box {90, 26, 78, 40},           22},
    {Option1[2], Box {172, 26, 78, 40},          22},
    {Option1[3], Box {254, 26, 82, 40},          22},
    {Frame2,     Box {0, 84, 236, 72},           16},
    {Option2[0], Box {8, 26, 106, 40},           16},
    {Option2[1], Box {122, 26, 106, 40},         16},
    {Label7,     Box {248, 88, 96, 64},          28},
    // The operands side by side, each sign box standing in its frame's edge.
    {Frame3,     Box {0, 173, 160, 118},         16, true},
    {Label5[0],  Box {6, 50, 18, 32},            28},
    {Text1[2],   Box {24, 48, 46, 38},           18},
    {Text1[1],   Box {78, 24, 76, 38},           18},
    {Line1,      Segment {76, 67, 156, 67},      16},
    {Text1[0],   Box {78, 72, 76, 38},           18},
    {Check1[0],  Box {10, 164, 120, 32},         16, true},
    {Label3,     Box {162, 212, 20, 40},         24, true},
    {Frame4,     Box {184, 173, 160, 118},       16, true},
    {Label5[1],  Box {6, 50, 18, 32},            28},
    {Text2[2],   Box {24, 48, 46, 38},           18},
    {Text2[1],   Box {78, 24, 76, 38},           18},
    {Line2,      Segment {76, 67, 156, 67},      16},
    {Text2[0],   Box {78, 72, 76, 38},           18},
    {Check1[1],  Box {194, 164, 120, 32},        16, true},
    // The answer right below the operands, so that both are seen together
    // while the operands are typed.
    {Label4,     Box {4, 312, 24, 40},           32, true},
    {Label1[3],  Box {30, 318, 22, 32},          26, true},
    {Label1[2],  Box {52, 316, 110, 34},         26, true},
    {Label1[1],  Box {170, 298, 170, 30},        22, true},
    {Line3,      Segment {168, 331, 340, 331},   16, true},
    {Label1[0],  Box {170, 334, 170, 30},        22, true},
    // The commands along the foot.
    {Command3,   Box {0, 372, 108, 48},          18},
    {Command1,   Box {118, 372, 108, 48},        18},
    {Command2,   Box {236, 372, 108, 48},        18},
}};
// clang-format on

[[nodiscard]] constexpr bool isPlaceOf(const PhonePlace &place, const ControlDefinition &row)
{
    return place.control == idOf(row);
}

// The phone's place of a control.
[[nodiscard]] constexpr const PhonePlace *phonePlaceOf(const ControlDefinition &row)
{
    const auto *place = std::find_if(PhonePlaces.begin(), PhonePlaces.end(),
        [&row](const PhonePlace &p) { return isPlaceOf(p, row); });
    return place == PhonePlaces.end() ? nullptr : place;
}

// Every control has exactly one place on the phone, a line a segment and
// every other kind a rectangle.
static_assert(std::all_of(Controls.begin(), Controls.end(), [](const ControlDefinition &row) {
    const PhonePlace *place = phonePlaceOf(row);
    return place
        && std::holds_alternative<Segment>(place->geometry)
        == std::holds_alternative<Segment>(row.geometry)
        && std::count_if(PhonePlaces.begin(), PhonePlaces.end(),
               [&row](const PhonePlace &p) { return isPlaceOf(p, row); })
        == 1;
}));

}  // namespace tobarin
