#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The main window's controls as data: one row per control, in twips (1/1440
// inch) measured from the top-left corner of the control's container. The
// window builds its widgets from these rows in one loop.
namespace tobarin::ui {

enum class Kind { Frame, OptionButton, CheckBox, Label, TextBox, Line, CommandButton };

// Font keys; W is the window's default font.
enum class FontKey { A, B, C, D, E, F, G, H, W };

enum class Align { Left, Center, Right };

struct FontDefinition {
    FontKey key;
    std::string_view face;
    double points;
    int weight;  // 400 normal, 700 bold
};

struct ControlDefinition {
    std::string_view name;
    int index;  // -1 when the control is not part of an array
    Kind kind;
    std::string_view container;  // a frame's name, or "" for the window's client area
    // Left, Top, Width, Height; for a line its end points X1, Y1, X2, Y2.
    int left;
    int top;
    int width;
    int height;
    FontKey font;
    std::string_view caption;  // caption of a frame, button or label
    Align align;
    int maxLength;  // typing limit of a text box, 0 for none
    int tabIndex;  // -1 for lines
    bool selected;  // an option button selected at start
    std::string_view accessibleName;
};

inline constexpr std::string_view MsPGothic = "ＭＳ Ｐゴシック";
inline constexpr std::string_view MsPMincho = "ＭＳ Ｐ明朝";

extern const std::array<FontDefinition, 9> Fonts;
extern const std::array<ControlDefinition, 33> Controls;

// Size of the client area below the menu bar, in twips.
inline constexpr int ClientWidth = 7080;
inline constexpr int ClientHeight = 4545;

// Label7's text colour.
inline constexpr std::uint32_t HintColour = 0x0000FF;

}  // namespace tobarin::ui

namespace tobarin::ui {

// The stacking order of the window's own overlapping controls, from the bottom
// up, above its labels and lines. Each check box must lie above its operand's
// frame, whose top edge it covers, and take the clicks there.
inline constexpr std::array<std::string_view, 9> StackFromBottom {"Frame1", "Command1", "Frame2",
    "Command2", "Command3", "Frame3", "Frame4", "Check1(0)", "Check1(1)"};

}  // namespace tobarin::ui
