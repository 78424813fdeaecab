#pragma once

#include "engine/practice/shape.h"
#include "engine/problem/problem.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "form/definition.h"

// What a practice problem is an example of. Each tag is a fact about the
// finished problem, worked out from its numbers alone (tagsOf), never from
// what a generator meant to make: a printed tag is always true.
namespace tobarin::practice {

// In the order they are printed.
enum class Tag : std::uint8_t {
    // + and − of two operands with fraction parts, by their denominators:
    Same,  // `same`: the same denominator
    Multiple,  // `multiple`: one denominator divides the other
    Coprime,  // `coprime`: no common factor, the common denominator is their product
    Shared,  // `shared`: a common factor, neither divides the other
    // + and −, no zero operand: the result over the common denominator (the
    // least common multiple of the denominators, 1 for a whole number) is not
    // in lowest terms, so the working reduces it (約分する). A result that is
    // a whole number, such as 3/3, is reduced too.
    Reduce,  // `reduce`
    // + and − without a negative, zero or improper operand (the 帯分数 way):
    Carry,  // `carry`: +, a mixed operand, the fraction parts add to 1 or more
    Borrow,  // `borrow`: −, the first operand mixed or whole, its fraction part
    // (0 for a whole number) less than the second's
    // −, no negative operand: a whole number minus a fraction or a mixed number.
    WholeMinus,  // `whole-minus`
    // The operands:
    Whole,  // `whole`: a whole-number operand other than 0
    Improper,  // `improper`: an improper fraction (no integer part, more than 1)
    Mixed,  // `mixed`: a mixed number
    // × and ÷, no zero operand: after the reciprocal for ÷, a numerator and a
    // denominator share a factor, so the working cancels across (途中で約分する).
    Cancel,  // `cancel`
    // The answer:
    OverOne,  // `over-one`: more than 1
    WholeAnswer,  // `whole-answer`: a whole number other than 0
    // Signs and zero:
    Neg1,  // `neg1`: one operand negative
    Neg2,  // `neg2`: both negative
    Zero,  // `zero`: an operand or the answer is 0
    // × and ÷, no zero operand:
    CancelBoth,  // `cancel-both`: a factor cancelled on each diagonal (÷: after the reciprocal)
    WholeFactor,  // `whole-factor`: × of a whole number and a fraction (3 × 2/5)
    WholeDividend,  // `whole-dividend`: ÷ of a whole number by a fraction (3 ÷ 3/4)
    // Problems of several terms (engine/practice/several_terms.h):
    Decimal,  // `decimal`: a decimal among the numbers
    Divide,  // `divide`: a ÷
    TimesFirst,  // `times-first`: × ÷ before + − gives another value than from the left
    Paren,  // `paren`: parentheses around a calculation
    Power,  // `power`: a power
    Order,  // `order`: + or − beside × or ÷ outside parentheses
    Neg,  // `neg`: a negative number, or a minus sign in front
    // Conversion problems (engine/practice/conversion_sets.h): the form asked,
    // and of 約分 how large the greatest common divisor is.
    ToMixed,  // `to-mixed`: → 帯分数
    ToImproper,  // `to-improper`: → 仮分数
    ToWhole,  // `to-whole`: → 整数, or a 約分 that ends in a whole number
    GcdSmall,  // `gcd-small`: 約分 by 2, 3 or 5
    GcdLarge,  // `gcd-large`: 約分 by 4, 6 or more, in one step
    ToDecimal,  // `to-decimal`: → 小数
    ToFraction,  // `to-fraction`: → 分数
};

inline constexpr std::array<Tag, 34> AllTags {Tag::Same, Tag::Multiple, Tag::Coprime, Tag::Shared,
    Tag::Reduce, Tag::Carry, Tag::Borrow, Tag::WholeMinus, Tag::Whole, Tag::Improper, Tag::Mixed,
    Tag::Cancel, Tag::OverOne, Tag::WholeAnswer, Tag::Neg1, Tag::Neg2, Tag::Zero, Tag::CancelBoth,
    Tag::WholeFactor, Tag::WholeDividend, Tag::Decimal, Tag::Divide, Tag::TimesFirst, Tag::Paren,
    Tag::Power, Tag::Order, Tag::Neg, Tag::ToMixed, Tag::ToImproper, Tag::ToWhole, Tag::GcdSmall,
    Tag::GcdLarge, Tag::ToDecimal, Tag::ToFraction};

// "same", "whole-minus", "over-one"...
[[nodiscard]] std::string_view tagName(Tag tag);

class TagSet {
public:
    constexpr TagSet() = default;
    constexpr TagSet(std::initializer_list<Tag> tags)
    {
        for (const Tag tag : tags) {
            add(tag);
        }
    }

    constexpr void add(Tag tag) { m_bits |= bit(tag); }
    [[nodiscard]] constexpr bool has(Tag tag) const { return (m_bits & bit(tag)) != 0; }
    [[nodiscard]] constexpr bool empty() const { return m_bits == 0; }
    [[nodiscard]] constexpr bool hasAll(TagSet other) const
    {
        return (m_bits & other.m_bits) == other.m_bits;
    }
    [[nodiscard]] constexpr bool hasAny(TagSet other) const { return (m_bits & other.m_bits) != 0; }
    [[nodiscard]] constexpr TagSet without(TagSet other) const
    {
        TagSet rest;
        rest.m_bits = m_bits & ~other.m_bits;
        return rest;
    }
    // The tags in printing order.
    [[nodiscard]] std::vector<Tag> list() const;

    friend constexpr bool operator==(TagSet, TagSet) = default;

private:
    static constexpr std::uint64_t bit(Tag tag)
    {
        return std::uint64_t {1} << static_cast<unsigned>(tag);
    }

    std::uint64_t m_bits = 0;
};
static_assert(AllTags.size() <= 64, "a TagSet holds a bit for each tag");

// The names joined by commas, in printing order: "multiple,reduce".
[[nodiscard]] std::string tagsText(TagSet tags);

// The tags true of a problem. A problem whose fields do not hold the numbers
// of a practice problem (see isPracticeNumber), or that divides by 0, has those of its
// operands only; one of several terms has severalTermTags.
[[nodiscard]] TagSet tagsOf(const Problem &problem);
[[nodiscard]] TagSet tagsOf(Operation operation, const WrittenNumber &a, const WrittenNumber &b);

}  // namespace tobarin::practice
