#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <variant>

#include "form/control_id.h"

// The calculator's window as data, for every front-end to build from: the
// window, its fonts, its 33 controls, the menu bar, the stacking order and
// which handler each event runs. Geometry is in twips (1/1440 inch; 15 twips
// are a pixel at 96 dpi), measured from the top-left corner of the control's
// container: the client area below the menu bar, or a frame.
//
// Each control has one named constant below (Text1, Label1, Line3...), and
// these are the only way to name a control in code: a misspelt name does not
// compile.
namespace tobarin {

enum class Kind { Frame, OptionButton, CheckBox, Label, TextBox, Line, CommandButton };

// Font keys; W is the window's default font.
enum class Font { A, B, C, D, E, F, G, H, W };

enum class Align { Left, Center, Right };

// What a label does with a text wider than itself.
enum class TextFit {
    Clip,  // cut at its edge
    Shrink,  // drawn whole in a smaller size of its font, the full text as its tool tip
};

struct FontDefinition {
    Font key;
    std::string_view face;
    double points;
    int weight;  // 400 normal, 700 bold
};

// Where a control stands: a rectangle, or for a line its two end points.
struct Box {
    int left;
    int top;
    int width;
    int height;
};
struct Segment {
    int x1;
    int y1;
    int x2;
    int y2;
};

struct ControlDefinition {
    std::string_view name;
    int index;  // ControlId::NoIndex when the control is not part of an array
    Kind kind;
    std::string_view container;  // a frame's name, or "" for the client area
    std::variant<Box, Segment> geometry;  // a Segment for a line, a Box for every other kind
    Font font;
    std::string_view caption;  // a frame's, button's or label's text at start
    Align align;
    int typingLimit;  // of a text box; 0 for none
    int tabIndex;  // -1 for lines
    bool selected;  // an option button selected at start
    std::string_view accessibleName;  // what a screen reader calls the control
    TextFit fit = TextFit::Clip;
    // A label that shows part of the answer: its accessible description is
    // the whole answer as spoken, kept up to date whenever one of them changes.
    bool answerPart = false;
    std::optional<std::uint32_t> textColour = std::nullopt;  // 0xRRGGBB; the platform's otherwise
};

inline constexpr std::string_view MsPGothic = "ＭＳ Ｐゴシック";
inline constexpr std::string_view MsPMincho = "ＭＳ Ｐ明朝";

inline constexpr std::array<FontDefinition, 9> Fonts {{
    {Font::A, MsPGothic, 12, 700},
    {Font::B, MsPGothic, 11.25, 400},
    {Font::C, MsPGothic, 15.75, 400},
    {Font::D, MsPGothic, 14.25, 700},
    {Font::E, MsPGothic, 21.75, 400},
    {Font::F, MsPGothic, 20.25, 400},
    {Font::G, MsPGothic, 24, 400},
    {Font::H, MsPMincho, 24, 400},
    {Font::W, MsPGothic, 9, 400},
}};

[[nodiscard]] constexpr const FontDefinition &fontDefinition(Font key)
{
    return *std::find_if(
        Fonts.begin(), Fonts.end(), [key](const FontDefinition &f) { return f.key == key; });
}

inline constexpr std::string_view WindowTitle = "Tobarin";
// The window's own name, as its controls have theirs: the page's client area
// carries it as its data-control.
inline constexpr std::string_view FormName = "Form1";

// Size of the client area below the menu bar, in twips.
inline constexpr int ClientWidth = 7080;
inline constexpr int ClientHeight = 4545;

inline constexpr std::uint32_t HintBlue = 0x0000FF;

// Rows in the order in which the controls are created; containers come before
// their children.
// clang-format off
inline constexpr std::array<ControlDefinition, 33> Controls {{
//   name        idx kind                  container geometry (twips)                  font     caption         align          limit tab sel    accessible name
    {"Frame1",   -1, Kind::Frame,         "",       Box {120, 120, 3615, 1095},       Font::W, "計算方法",       Align::Left,   0,  1, false, "計算方法"},
    {"Option1",   0, Kind::OptionButton,  "Frame1", Box {480, 240, 855, 375},         Font::C, "＋",             Align::Left,   0,  2, true,  "足し算"},
    {"Option1",   1, Kind::OptionButton,  "Frame1", Box {480, 720, 975, 255},         Font::C, "－",             Align::Left,   0,  3, false, "引き算"},
    {"Option1",   2, Kind::OptionButton,  "Frame1", Box {1800, 240, 855, 375},        Font::C, "×",             Align::Left,   0,  4, false, "掛け算"},
    {"Option1",   3, Kind::OptionButton,  "Frame1", Box {1800, 720, 975, 255},        Font::C, "÷",             Align::Left,   0,  5, false, "割り算"},
    {"Frame2",   -1, Kind::Frame,         "",       Box {3840, 120, 1575, 1095},      Font::W, "答えの表示方法", Align::Left,   0, 20, false, "答えの表示方法"},
    {"Option2",   0, Kind::OptionButton,  "Frame2", Box {240, 240, 1095, 375},        Font::W, "帯分数",         Align::Left,   0,  6, true,  "答えを帯分数で表示"},
    {"Option2",   1, Kind::OptionButton,  "Frame2", Box {240, 720, 1095, 300},        Font::W, "仮分数",         Align::Left,   0,  7, false, "答えを仮分数で表示"},
    {"Label7",   -1, Kind::Label,         "",       Box {120, 1320, 1455, 615},       Font::H, "",               Align::Left,   0,  0, false, "入力中の欄", TextFit::Clip, false, HintBlue},
    {"Frame3",   -1, Kind::Frame,         "",       Box {120, 2040, 1935, 1455},      Font::W, "",               Align::Left,   0, 19, false, "1つ目の数"},
    {"Label5",    0, Kind::Label,         "Frame3", Box {120, 600, 255, 375},         Font::E, "",               Align::Left,   0, 28, false, "1つ目の数の符号"},
    {"Text1",     2, Kind::TextBox,       "Frame3", Box {360, 660, 520, 375},         Font::A, "",               Align::Right,  3, 10, false, "1つ目の数の整数部分"},
    {"Text1",     1, Kind::TextBox,       "Frame3", Box {1080, 360, 735, 375},        Font::A, "",               Align::Center, 4,  9, false, "1つ目の数の分子"},
    {"Line1",    -1, Kind::Line,          "Frame3", Segment {960, 840, 1920, 840},    Font::W, "",               Align::Left,   0, -1, false, "1つ目の数の分数の線"},
    {"Text1",     0, Kind::TextBox,       "Frame3", Box {1080, 960, 735, 375},        Font::A, "",               Align::Center, 4,  8, false, "1つ目の数の分母"},
    {"Check1",    0, Kind::CheckBox,      "",       Box {360, 2040, 1095, 255},       Font::W, "マイナス",       Align::Left,   0, 11, false, "1つ目の数をマイナスにする"},
    {"Label3",   -1, Kind::Label,         "",       Box {2040, 2700, 495, 495},       Font::F, "＋",             Align::Left,   0, 24, false, "計算の記号"},
    {"Frame4",   -1, Kind::Frame,         "",       Box {2520, 2040, 1935, 1455},     Font::W, "",               Align::Left,   0, 27, false, "2つ目の数"},
    {"Label5",    1, Kind::Label,         "Frame4", Box {120, 600, 255, 375},         Font::E, "",               Align::Left,   0, 29, false, "2つ目の数の符号"},
    {"Text2",     2, Kind::TextBox,       "Frame4", Box {360, 600, 520, 375},         Font::A, "",               Align::Right,  3, 14, false, "2つ目の数の整数部分"},
    {"Text2",     1, Kind::TextBox,       "Frame4", Box {1080, 360, 735, 375},        Font::A, "",               Align::Center, 4, 13, false, "2つ目の数の分子"},
    {"Line2",    -1, Kind::Line,          "Frame4", Segment {960, 840, 1920, 840},    Font::W, "",               Align::Left,   0, -1, false, "2つ目の数の分数の線"},
    {"Text2",     0, Kind::TextBox,       "Frame4", Box {1080, 960, 735, 375},        Font::A, "",               Align::Center, 4, 12, false, "2つ目の数の分母"},
    {"Check1",    1, Kind::CheckBox,      "",       Box {2760, 2040, 1095, 255},      Font::W, "マイナス",       Align::Left,   0, 15, false, "2つ目の数をマイナスにする"},
    {"Label4",   -1, Kind::Label,         "",       Box {4560, 2640, 255, 495},       Font::G, "=",              Align::Left,   0, 23, false, "等号"},
    {"Label1",    3, Kind::Label,         "",       Box {4920, 2685, 255, 375},       Font::E, "",               Align::Center, 0, 22, false, "答えの符号",     TextFit::Shrink, true},
    {"Label1",    2, Kind::Label,         "",       Box {5160, 2700, 615, 375},       Font::D, "",               Align::Right,  0, 21, false, "答えの整数部分", TextFit::Shrink, true},
    {"Label1",    1, Kind::Label,         "",       Box {6000, 2400, 855, 255},       Font::D, "",               Align::Center, 0, 25, false, "答えの分子",     TextFit::Shrink, true},
    {"Line3",    -1, Kind::Line,          "",       Segment {5880, 2880, 6960, 2880}, Font::W, "",               Align::Left,   0, -1, false, "答えの分数の線"},
    {"Label1",    0, Kind::Label,         "",       Box {6000, 3000, 855, 255},       Font::D, "",               Align::Center, 0, 26, false, "答えの分母",     TextFit::Shrink, true},
    {"Command3", -1, Kind::CommandButton, "",       Box {360, 3720, 1455, 615},       Font::W, "終了",           Align::Left,   0, 18, false, "終了"},
    {"Command1", -1, Kind::CommandButton, "",       Box {2760, 3720, 1455, 615},      Font::B, "計算",           Align::Left,   0, 16, false, "計算"},
    {"Command2", -1, Kind::CommandButton, "",       Box {5160, 3720, 1455, 615},      Font::B, "消す",           Align::Left,   0, 17, false, "消す"},
}};
// clang-format on

// The menu bar: two commands side by side, in this order, each acting at once
// when chosen (no drop-down), with no access key and no shortcut.
struct MenuCommandDefinition {
    std::string_view name;
    std::string_view caption;
};

inline constexpr std::array<MenuCommandDefinition, 2> MenuCommands {{
    {"FileExit", "終了"},
    {"FileBer", "バージョン情報"},
}};

// Makes the id of a single control or menu command; a name that is neither
// does not compile.
consteval ControlId definedControl(std::string_view name)
{
    const bool control = std::any_of(Controls.begin(), Controls.end(),
        [name](const ControlDefinition &row) { return row.name == name && row.index < 0; });
    const bool command = std::any_of(MenuCommands.begin(), MenuCommands.end(),
        [name](const MenuCommandDefinition &row) { return row.name == name; });
    if (!control && !command) {
        throw "no such control";
    }
    return {name, ControlId::NoIndex};
}

// Makes the id of a control array; a name that is not an array, or an array
// with a gap in its indexes, does not compile.
consteval ControlArray definedArray(std::string_view name)
{
    const auto size = static_cast<int>(std::count_if(Controls.begin(), Controls.end(),
        [name](const ControlDefinition &row) { return row.name == name && row.index >= 0; }));
    for (int index = 0; index < size; ++index) {
        if (std::none_of(
                Controls.begin(), Controls.end(), [name, index](const ControlDefinition &row) {
                    return row.name == name && row.index == index;
                })) {
            throw "a control array has a gap";
        }
    }
    if (size == 0) {
        throw "no such control array";
    }
    return {name, size};
}

// What the elements of the arrays hold, named after their indexes.
//
// Text1 and Text2: an operand's three entry fields.
enum class Field { Denominator = 0, Numerator = 1, Whole = 2 };
inline constexpr std::array<Field, 3> Fields {Field::Denominator, Field::Numerator, Field::Whole};
// Option1: the operation.
enum class Operation { Add = 0, Subtract = 1, Multiply = 2, Divide = 3 };
inline constexpr std::array<Operation, 4> Operations {
    Operation::Add, Operation::Subtract, Operation::Multiply, Operation::Divide};
// Label1: the answer.
enum class AnswerPart { Denominator = 0, Numerator = 1, Whole = 2, Sign = 3 };
// Option2: the answer's form.
enum class AnswerForm { Mixed = 0, Improper = 1 };

// The controls, by name. Arrays are indexed like their controls: Text1[0] is
// Text1(0), also written Text1[Field::Denominator].
inline constexpr ControlArray Text1
    = definedArray("Text1");  // first operand: 0 den, 1 num, 2 whole
inline constexpr ControlArray Text2 = definedArray("Text2");  // second operand, likewise
inline constexpr ControlArray Check1
    = definedArray("Check1");  // operand negative: 0 first, 1 second
inline constexpr ControlArray Label5 = definedArray("Label5");  // sign before each operand
inline constexpr ControlArray Option1 = definedArray("Option1");  // operation: + − × ÷
inline constexpr ControlArray Option2 = definedArray("Option2");  // answer form: mixed, improper
inline constexpr ControlArray Label1
    = definedArray("Label1");  // answer: 0 den, 1 num, 2 whole, 3 sign
inline constexpr ControlId Frame1 = definedControl("Frame1");
inline constexpr ControlId Frame2 = definedControl("Frame2");
inline constexpr ControlId Frame3 = definedControl("Frame3");
inline constexpr ControlId Frame4 = definedControl("Frame4");
inline constexpr ControlId Label3 = definedControl("Label3");  // the operation's sign
inline constexpr ControlId Label4 = definedControl("Label4");  // "="
inline constexpr ControlId Label7 = definedControl("Label7");  // hint naming the focused field
inline constexpr ControlId Line1 = definedControl("Line1");
inline constexpr ControlId Line2 = definedControl("Line2");
inline constexpr ControlId Line3 = definedControl("Line3");  // the answer's fraction bar
inline constexpr ControlId Command1 = definedControl("Command1");  // 計算
inline constexpr ControlId Command2 = definedControl("Command2");  // 消す
inline constexpr ControlId Command3 = definedControl("Command3");  // 終了
inline constexpr ControlId FileExit = definedControl("FileExit");  // menu: 終了
inline constexpr ControlId FileBer = definedControl("FileBer");  // menu: バージョン情報

// The row of a control, or nullptr for a menu command.
[[nodiscard]] constexpr const ControlDefinition *definitionOf(ControlId control) noexcept
{
    const auto *row
        = std::find_if(Controls.begin(), Controls.end(), [control](const ControlDefinition &r) {
              return r.name == control.name() && r.index == control.index();
          });
    return row == Controls.end() ? nullptr : row;
}

// Every array and every single control and menu command, by its constant.
inline constexpr std::array<ControlArray, 7> ControlArrays {
    Text1, Text2, Check1, Label5, Option1, Option2, Label1};
inline constexpr std::array<ControlId, 15> SingleControls {Frame1, Frame2, Frame3, Frame4, Label3,
    Label4, Label7, Line1, Line2, Line3, Command1, Command2, Command3, FileExit, FileBer};

// The control of a name and index (ControlId::NoIndex for a single control),
// if there is one: for names that come from outside the program.
[[nodiscard]] constexpr std::optional<ControlId> findControl(std::string_view name, int index)
{
    for (const ControlArray array : ControlArrays) {
        if (array.name() == name && index >= 0 && index < array.size()) {
            return array[index];
        }
    }
    for (const ControlId single : SingleControls) {
        if (single.name() == name && index == ControlId::NoIndex) {
            return single;
        }
    }
    return std::nullopt;
}

// The id of a row of the table, or of a menu command.
[[nodiscard]] constexpr ControlId idOf(const ControlDefinition &row)
{
    return findControl(row.name, row.index).value();
}
[[nodiscard]] constexpr ControlId idOf(const MenuCommandDefinition &command)
{
    return findControl(command.name, ControlId::NoIndex).value();
}

// The two lists above name every row of the table and every menu command.
consteval bool listsCoverTheWindow()
{
    const auto listed
        = [](std::string_view name, int index) { return findControl(name, index).has_value(); };
    return std::all_of(Controls.begin(), Controls.end(),
               [&](const ControlDefinition &row) { return listed(row.name, row.index); })
        && std::all_of(MenuCommands.begin(), MenuCommands.end(),
            [&](const MenuCommandDefinition &row) { return listed(row.name, ControlId::NoIndex); });
}
static_assert(listsCoverTheWindow(), "a control missing from ControlArrays or SingleControls");

// A line has two end points, every other kind a rectangle.
static_assert(std::all_of(Controls.begin(), Controls.end(), [](const ControlDefinition &row) {
    return (row.kind == Kind::Line) == std::holds_alternative<Segment>(row.geometry);
}));

// Whether a kind of control takes the keyboard focus: a tab stop in the
// order of its tabIndex.
[[nodiscard]] constexpr bool takesFocus(Kind kind) noexcept
{
    return kind == Kind::OptionButton || kind == Kind::CheckBox || kind == Kind::TextBox
        || kind == Kind::CommandButton;
}

// Where a control is drawn, in whole pixels of its container, given how a
// front-end rounds twips to pixels. A line is a bar one pixel high from its
// first end point to its second, at least a pixel long.
struct PixelBox {
    int left;
    int top;
    int width;
    int height;
};
template <typename ToPixels>
[[nodiscard]] constexpr PixelBox placeOf(
    const std::variant<Box, Segment> &geometry, ToPixels pixels)
{
    if (const auto *line = std::get_if<Segment>(&geometry)) {
        const int x1 = pixels(line->x1);
        return {x1, pixels(line->y1), std::max(1, pixels(line->x2) - x1), 1};
    }
    const Box *box = std::get_if<Box>(&geometry);  // every other kind has one
    return {pixels(box->left), pixels(box->top), pixels(box->width), pixels(box->height)};
}
template <typename ToPixels>
[[nodiscard]] constexpr PixelBox placeOf(const ControlDefinition &row, ToPixels pixels)
{
    return placeOf(row.geometry, pixels);
}

// The stacking order of the controls that overlap, from the bottom up, above
// the labels and lines (which lie beneath every other kind). Each check box
// lies over the top edge of its operand's frame and must be drawn above it and
// take the clicks there.
inline constexpr std::array<ControlId, 9> StackFromBottom {
    Frame1, Command1, Frame2, Command2, Command3, Frame3, Frame4, Check1[0], Check1[1]};

// A control's level in the stack, from 0 at the bottom: labels and lines, then
// every other control, then those of StackFromBottom in its order. Controls of
// one level keep the order of the table.
[[nodiscard]] constexpr int stackLevel(const ControlDefinition &row)
{
    if (row.kind == Kind::Label || row.kind == Kind::Line) {
        return 0;
    }
    const ControlId id = idOf(row);
    const auto *at = std::find(StackFromBottom.begin(), StackFromBottom.end(), id);
    return at == StackFromBottom.end() ? 1 : 2 + static_cast<int>(at - StackFromBottom.begin());
}

// Events, and the handler each control's events run.
enum class Event { Click, GotFocus, LostFocus };

enum class Handler {
    Command1_Click,  // Calculate
    Command2_Click,  // Clear
    Command3_Click,  // Quit
    Check1_Click,  // sign box
    Option1_Click,  // operation
    Option2_Click,  // answer form
    Text1_GotFocus,
    Text2_GotFocus,
    Text1_LostFocus,
    Text2_LostFocus,
    FileExit_Click,  // Quit
    FileBer_Click,  // About box
};

// A run-time error in a handler is reported once the handler has been
// abandoned: at once, or, for a focus handler, once the focus has finished
// moving, so that the report does not disturb the move.
enum class Report { AtOnce, AfterFocusMove };

struct Binding {
    std::string_view control;  // a control array's or a single control's name
    Event event;
    Handler handler;
    Report report;
    // The handler writes the answer: once it has run, the answer is announced
    // to assistive technology.
    bool announcesAnswer = false;
};

inline constexpr std::array<Binding, 12> Bindings {{
    {Command1.name(), Event::Click, Handler::Command1_Click, Report::AtOnce, true},
    {Command2.name(), Event::Click, Handler::Command2_Click, Report::AtOnce},
    {Command3.name(), Event::Click, Handler::Command3_Click, Report::AtOnce},
    {Check1.name(), Event::Click, Handler::Check1_Click, Report::AtOnce},
    {Option1.name(), Event::Click, Handler::Option1_Click, Report::AtOnce},
    {Option2.name(), Event::Click, Handler::Option2_Click, Report::AtOnce, true},
    {Text1.name(), Event::GotFocus, Handler::Text1_GotFocus, Report::AfterFocusMove},
    {Text2.name(), Event::GotFocus, Handler::Text2_GotFocus, Report::AfterFocusMove},
    {Text1.name(), Event::LostFocus, Handler::Text1_LostFocus, Report::AfterFocusMove},
    {Text2.name(), Event::LostFocus, Handler::Text2_LostFocus, Report::AfterFocusMove},
    {FileExit.name(), Event::Click, Handler::FileExit_Click, Report::AtOnce},
    {FileBer.name(), Event::Click, Handler::FileBer_Click, Report::AtOnce},
}};

// The binding of an event of a control, or nullptr when the event is not handled.
[[nodiscard]] constexpr const Binding *bindingOf(ControlId control, Event event) noexcept
{
    const auto *binding
        = std::find_if(Bindings.begin(), Bindings.end(), [control, event](const Binding &b) {
              return b.control == control.name() && b.event == event;
          });
    return binding == Bindings.end() ? nullptr : binding;
}

// The row of a table of controls (the working window's, practice's) that has
// the name given; a name that is not one does not compile where the row is
// looked up in a constant expression, and says unknown.
template <typename Rows>
[[nodiscard]] constexpr const auto &namedRow(
    const Rows &rows, std::string_view name, const char *unknown)
{
    const auto *row
        = std::find_if(rows.begin(), rows.end(), [name](const auto &r) { return r.name == name; });
    if (row == rows.end()) {
        throw unknown;
    }
    return *row;
}

}  // namespace tobarin
