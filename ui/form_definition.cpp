#include "ui/form_definition.h"

namespace tobarin::ui {

const std::array<FontDefinition, 9> Fonts {{
    {FontKey::A, MsPGothic, 12, 700},
    {FontKey::B, MsPGothic, 11.25, 400},
    {FontKey::C, MsPGothic, 15.75, 400},
    {FontKey::D, MsPGothic, 14.25, 700},
    {FontKey::E, MsPGothic, 21.75, 400},
    {FontKey::F, MsPGothic, 20.25, 400},
    {FontKey::G, MsPGothic, 24, 400},
    {FontKey::H, MsPMincho, 24, 400},
    {FontKey::W, MsPGothic, 9, 400},
}};

namespace {
using enum Kind;
using enum Align;
using F = FontKey;
}  // namespace

// clang-format off
const std::array<ControlDefinition, 33> Controls {{
//   name        idx kind           container left  top   width height font  caption       align  limit tab sel   accessible name
    {"Frame1",   -1, Frame,         "",       120,  120,  3615, 1095, F::W, "計算方法",     Left,   0,  1, false, "計算方法"},
    {"Option1",   0, OptionButton,  "Frame1", 480,  240,  855,  375,  F::C, "＋",           Left,   0,  2, true,  "足し算"},
    {"Option1",   1, OptionButton,  "Frame1", 480,  720,  975,  255,  F::C, "－",           Left,   0,  3, false, "引き算"},
    {"Option1",   2, OptionButton,  "Frame1", 1800, 240,  855,  375,  F::C, "×",           Left,   0,  4, false, "掛け算"},
    {"Option1",   3, OptionButton,  "Frame1", 1800, 720,  975,  255,  F::C, "÷",           Left,   0,  5, false, "割り算"},
    {"Frame2",   -1, Frame,         "",       3840, 120,  1575, 1095, F::W, "答えの表示方法", Left,   0, 20, false, "答えの表示方法"},
    {"Option2",   0, OptionButton,  "Frame2", 240,  240,  1095, 375,  F::W, "帯分数",       Left,   0,  6, true,  "答えを帯分数で表示"},
    {"Option2",   1, OptionButton,  "Frame2", 240,  720,  1095, 300,  F::W, "仮分数",       Left,   0,  7, false, "答えを仮分数で表示"},
    {"Label7",   -1, Label,         "",       120,  1320, 1455, 615,  F::H, "",             Left,   0,  0, false, "入力中の欄"},
    {"Frame3",   -1, Frame,         "",       120,  2040, 1935, 1455, F::W, "",             Left,   0, 19, false, "1つ目の数"},
    {"Label5",    0, Label,         "Frame3", 120,  600,  255,  375,  F::E, "",             Left,   0, 28, false, "1つ目の数の符号"},
    {"Text1",     2, TextBox,       "Frame3", 360,  660,  520,  375,  F::A, "",             Right,  3, 10, false, "1つ目の数の整数部分"},
    {"Text1",     1, TextBox,       "Frame3", 1080, 360,  735,  375,  F::A, "",             Center, 4,  9, false, "1つ目の数の分子"},
    {"Line1",    -1, Line,          "Frame3", 960,  840,  1920, 840,  F::W, "",             Left,   0, -1, false, "1つ目の数の分数の線"},
    {"Text1",     0, TextBox,       "Frame3", 1080, 960,  735,  375,  F::A, "",             Center, 4,  8, false, "1つ目の数の分母"},
    {"Check1",    0, CheckBox,      "",       360,  2040, 1095, 255,  F::W, "マイナス",     Left,   0, 11, false, "1つ目の数をマイナスにする"},
    {"Label3",   -1, Label,         "",       2040, 2700, 495,  495,  F::F, "＋",           Left,   0, 24, false, "計算の記号"},
    {"Frame4",   -1, Frame,         "",       2520, 2040, 1935, 1455, F::W, "",             Left,   0, 27, false, "2つ目の数"},
    {"Label5",    1, Label,         "Frame4", 120,  600,  255,  375,  F::E, "",             Left,   0, 29, false, "2つ目の数の符号"},
    {"Text2",     2, TextBox,       "Frame4", 360,  600,  520,  375,  F::A, "",             Right,  3, 14, false, "2つ目の数の整数部分"},
    {"Text2",     1, TextBox,       "Frame4", 1080, 360,  735,  375,  F::A, "",             Center, 4, 13, false, "2つ目の数の分子"},
    {"Line2",    -1, Line,          "Frame4", 960,  840,  1920, 840,  F::W, "",             Left,   0, -1, false, "2つ目の数の分数の線"},
    {"Text2",     0, TextBox,       "Frame4", 1080, 960,  735,  375,  F::A, "",             Center, 4, 12, false, "2つ目の数の分母"},
    {"Check1",    1, CheckBox,      "",       2760, 2040, 1095, 255,  F::W, "マイナス",     Left,   0, 15, false, "2つ目の数をマイナスにする"},
    {"Label4",   -1, Label,         "",       4560, 2640, 255,  495,  F::G, "=",            Left,   0, 23, false, "等号"},
    {"Label1",    3, Label,         "",       4920, 2685, 255,  375,  F::E, "",             Center, 0, 22, false, "答えの符号"},
    {"Label1",    2, Label,         "",       5160, 2700, 615,  375,  F::D, "",             Right,  0, 21, false, "答えの整数部分"},
    {"Label1",    1, Label,         "",       6000, 2400, 855,  255,  F::D, "",             Center, 0, 25, false, "答えの分子"},
    {"Line3",    -1, Line,          "",       5880, 2880, 6960, 2880, F::W, "",             Left,   0, -1, false, "答えの分数の線"},
    {"Label1",    0, Label,         "",       6000, 3000, 855,  255,  F::D, "",             Center, 0, 26, false, "答えの分母"},
    {"Command3", -1, CommandButton, "",       360,  3720, 1455, 615,  F::W, "終了",         Left,   0, 18, false, "終了"},
    {"Command1", -1, CommandButton, "",       2760, 3720, 1455, 615,  F::B, "計算",         Left,   0, 16, false, "計算"},
    {"Command2", -1, CommandButton, "",       5160, 3720, 1455, 615,  F::B, "消す",         Left,   0, 17, false, "消す"},
}};
// clang-format on

}  // namespace tobarin::ui
