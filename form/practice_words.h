#pragma once

#include <array>
#include <string_view>

// The words of practice that the window 「練習」 on the desktop and the page's
// practice panel both show: the levels, the record's marks and columns, and
// what each tag means for pupils.
namespace tobarin {

// The levels as the choice shows them, from the lowest.
inline constexpr std::array<std::string_view, 3> LevelCaptions {
    "レベル1", "レベル2", "レベル3（発展）"};

// What the record shows of a tag: its streak in marks, one for each right
// answer in a row at the first try and an open one for each still to go; or
// 習得 once it is mastered.
inline constexpr std::string_view StreakDone = "●";
inline constexpr std::string_view StreakToGo = "○";
inline constexpr std::string_view MasteredMark = "習得";
inline constexpr std::array<std::string_view, 2> RecordColumns {"問題のしゅるい", "記録"};

// What a tag means, as the record names it for pupils; the tag's own id stays
// in its tool tip.
struct TagCaption {
    std::string_view tag;  // its id: "same", "whole-minus"...
    std::string_view caption;
};
// In the order of the engine's tags (engine/practice/tags.h), one each.
inline constexpr std::array<TagCaption, 34> TagCaptions {{
    {"same", "分母が同じ"},
    {"multiple", "一方の分母が他方の倍数"},
    {"coprime", "分母の積で通分する"},
    {"shared", "分母の積より小さい数で通分する"},
    {"reduce", "計算のあと約分する"},
    {"carry", "くり上がりがある"},
    {"borrow", "くり下がりがある"},
    {"whole-minus", "整数から分数をひく"},
    {"whole", "整数がある"},
    {"improper", "仮分数がある"},
    {"mixed", "帯分数がある"},
    {"cancel", "とちゅうで約分する"},
    {"over-one", "答えが1より大きい"},
    {"whole-answer", "答えが整数になる"},
    {"neg1", "負の数が1つ"},
    {"neg2", "負の数が2つ"},
    {"zero", "0がある"},
    {"cancel-both", "2か所で約分する"},
    {"whole-factor", "整数と分数のかけ算"},
    {"whole-dividend", "整数を分数でわる"},
    {"decimal", "小数がある"},
    {"divide", "わり算がある"},
    {"times-first", "かけ算・わり算を先に計算する"},
    {"paren", "かっこがある"},
    {"power", "累乗がある"},
    {"order", "計算の順序に気をつける"},
    {"neg", "負の数がある"},
    {"to-mixed", "仮分数を帯分数に直す"},
    {"to-improper", "帯分数を仮分数に直す"},
    {"to-whole", "整数に直す"},
    {"gcd-small", "2、3、5でわって約分する"},
    {"gcd-large", "大きな数で一度に約分する"},
    {"to-decimal", "分数を小数で表す"},
    {"to-fraction", "小数を分数で表す"},
}};

}  // namespace tobarin
