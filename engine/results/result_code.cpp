#include "engine/results/result_code.h"

#include "engine/number/written_number.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace tobarin::results {

namespace {

// The mistakes by their number in r1 codes. Append only: a number, once
// written into codes, keeps its id for ever.
// clang-format off
constexpr std::array<std::string_view, 36> MistakeIds {
    GeneralMistake, UnfinishedMistake,
    // A problem of two numbers and one operation, and any problem.
    "rounded", "minus-minus", "sign", "abs-added", "abs-subtracted", "across+", "across-",
    "whole-dropped", "not-scaled", "no-borrow", "borrow-ten", "mixed-to-improper",
    "parts-separately", "whole-both", "no-reciprocal-whole", "no-reciprocal",
    "wrong-reciprocal", "reciprocal", "part-only",
    // Problems of several terms.
    "order", "paren-dropped", "power-sign", "power-times", "power-part",
    // Carrying, borrowing and × of two fractions.
    "carry-dropped", "borrow-kept", "reciprocal-in-times",
    // 仮分数⇄帯分数, 約分, 通分, 分数⇄小数.
    "convert-remainder", "convert-improper", "reduce-one-side", "common-not-scaled",
    "common-unequal", "decimal-digits", "fraction-place",
};
// clang-format on
static_assert(MistakeIds.size() <= MostMistakeNumber + 1);

// Crockford's base 32: a digit's value is its place here. Codes are written
// in capitals and read in either case, O as 0 and I or L as 1.
constexpr std::string_view Digits = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr unsigned DigitBits = 5;
constexpr unsigned MistakeBits = 7;  // numbers 0 to MostMistakeNumber
constexpr unsigned TimeGroupBits = 4;  // each group a digit, with a bit for "more follows"
constexpr unsigned MostTimeGroups = 8;  // 32 bits

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The value of a digit of the rest, or nothing.
std::optional<unsigned> digitValue(char c)
{
    c = upper(c);
    if (c == 'O') {
        c = '0';
    } else if (c == 'I' || c == 'L') {
        c = '1';
    }
    const std::size_t place = Digits.find(c);
    return place == std::string_view::npos ? std::nullopt
                                           : std::optional(static_cast<unsigned>(place));
}

// The check: Σ (i + 1) × value(character i) mod 1021 over every character
// before the two check characters, written as two digits (1021 < 32²).
// 1021 is prime and each value lies in 0..37, so that a single changed
// character changes the sum by (i + 1) × (a nonzero difference below 1021),
// never by a multiple of 1021; two neighbours swapped change it by the
// difference of their values, as neighbouring weights differ by 1. A digit
// of the rest swapped with the first check character, at position n, leaves
// the sum agreeing only where (n + 32) is a multiple of 1021: codes are far
// shorter than that. Values: a digit of base 32 its own, then I, L, O, U
// (in the set code), ":" and "-"; letters in either case alike.
constexpr unsigned CheckModulus = 1021;

std::optional<unsigned> checkValue(char c)
{
    c = upper(c);
    if (const std::size_t place = Digits.find(c); place != std::string_view::npos) {
        return static_cast<unsigned>(place);
    }
    constexpr std::string_view Others = "ILOU:-";
    if (const std::size_t place = Others.find(c); place != std::string_view::npos) {
        return static_cast<unsigned>(Digits.size() + place);
    }
    return std::nullopt;
}

// The check of a text whose characters all have a value.
unsigned checkOf(std::string_view text)
{
    unsigned sum = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        sum = (sum + static_cast<unsigned>((i + 1) % CheckModulus) * *checkValue(text[i]))
            % CheckModulus;
    }
    return sum;
}

std::string checkText(unsigned check)
{
    return {Digits[check / Digits.size()], Digits[check % Digits.size()]};
}

class BitWriter {
public:
    void put(unsigned value, unsigned bits)
    {
        for (unsigned bit = bits; bit-- > 0;) {
            m_bits.push_back(((value >> bit) & 1U) != 0);
        }
    }
    // The bits as digits, the last one filled up with zeros.
    [[nodiscard]] std::string digits() const
    {
        std::string text;
        for (std::size_t i = 0; i < m_bits.size(); i += DigitBits) {
            unsigned value = 0;
            for (std::size_t bit = i; bit < i + DigitBits; ++bit) {
                value = (value << 1U) | (bit < m_bits.size() && m_bits[bit] ? 1U : 0U);
            }
            text += Digits[value];
        }
        return text;
    }

private:
    std::vector<bool> m_bits;
};

class BitReader {
public:
    explicit BitReader(std::string_view digits)
    {
        for (const char c : digits) {
            const unsigned value = *digitValue(c);
            for (unsigned bit = DigitBits; bit-- > 0;) {
                m_bits.push_back(((value >> bit) & 1U) != 0);
            }
        }
    }
    // The next `bits` bits, or nothing where fewer are left.
    std::optional<unsigned> take(unsigned bits)
    {
        if (m_bits.size() - m_next < bits) {
            return std::nullopt;
        }
        unsigned value = 0;
        for (unsigned bit = 0; bit < bits; ++bit) {
            value = (value << 1U) | (m_bits[m_next++] ? 1U : 0U);
        }
        return value;
    }
    // Whether all that is left is the last digit's filling of zeros.
    [[nodiscard]] bool onlyFilling() const
    {
        return m_bits.size() - m_next < DigitBits
            && std::none_of(m_bits.begin() + static_cast<std::ptrdiff_t>(m_next), m_bits.end(),
                [](bool bit) { return bit; });
    }

private:
    std::vector<bool> m_bits;
    std::size_t m_next = 0;
};

// Each problem: its mark and the number of its mistakes, in as few bits as
// the usual case allows (a problem right at the first try is one bit): as
// many 1s as its place in this table, then a 0 (but after four 1s), then
// each mistake's number in MistakeBits bits.
struct Shape {
    Mark mark;
    std::size_t mistakes;
};
constexpr std::array<Shape, 5> Shapes {{
    {Mark::First, 0},  // 0
    {Mark::Second, 1},  // 10
    {Mark::Missed, 2},  // 110
    {Mark::Missed, 0},  // 1110
    {Mark::Missed, 1},  // 1111
}};

void writeProblem(BitWriter &writer, const ProblemResult &problem)
{
    const auto *shape = std::find_if(Shapes.begin(), Shapes.end(), [&problem](const Shape &s) {
        return s.mark == problem.mark && s.mistakes == problem.mistakes.size();
    });
    if (shape == Shapes.end()) {
        throw std::invalid_argument("a problem's mistakes are one for each wrong try: none "
                                    "right at the first, one at the second, two at most");
    }
    const auto ones = static_cast<unsigned>(shape - Shapes.begin());
    writer.put((1U << ones) - 1, ones);
    if (ones + 1 < Shapes.size()) {
        writer.put(0, 1);
    }
    for (const std::string_view id : problem.mistakes) {
        writer.put(static_cast<unsigned>(mistakeNumber(id).value_or(0)), MistakeBits);
    }
}

// The time and the problems as they were written, or why they do not read.
std::optional<CodeError> readProblems(BitReader &reader, ResultCode &code)
{
    code.seconds = 0;
    for (unsigned group = 0;; ++group) {
        const std::optional<unsigned> more = reader.take(1);
        const std::optional<unsigned> value = reader.take(TimeGroupBits);
        if (!more || !value || group == MostTimeGroups) {
            return CodeError::WrongLength;
        }
        code.seconds |= static_cast<std::uint32_t>(*value) << (group * TimeGroupBits);
        if (*more == 0) {
            break;
        }
    }
    code.problems.assign(static_cast<std::size_t>(code.set.count), {});
    for (ProblemResult &problem : code.problems) {
        std::size_t ones = 0;
        while (ones + 1 < Shapes.size()) {
            const std::optional<unsigned> bit = reader.take(1);
            if (!bit) {
                return CodeError::WrongLength;
            }
            if (*bit == 0) {
                break;
            }
            ++ones;
        }
        problem.mark = Shapes.at(ones).mark;
        for (std::size_t i = 0; i < Shapes.at(ones).mistakes; ++i) {
            const std::optional<unsigned> number = reader.take(MistakeBits);
            if (!number) {
                return CodeError::WrongLength;
            }
            if (*number >= MistakeIds.size()) {
                return CodeError::UnknownMistake;
            }
            problem.mistakes.push_back(MistakeIds.at(*number));
        }
    }
    if (!reader.onlyFilling()) {
        return CodeError::WrongLength;
    }
    return std::nullopt;
}

// Full-width ASCII (U+FF01 to U+FF5E) as ASCII, the ideographic space as a blank.
std::string narrowed(std::string_view text)
{
    std::string narrow;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = [&text](std::size_t at) { return static_cast<unsigned char>(text[at]); };
        if (i + 2 < text.size() && byte(i) == 0xE3 && byte(i + 1) == 0x80 && byte(i + 2) == 0x80) {
            narrow += ' ';
            i += 2;
            continue;
        }
        if (i + 2 < text.size() && byte(i) == 0xEF && (byte(i + 1) == 0xBC || byte(i + 1) == 0xBD)
            && byte(i + 2) >= 0x80 && byte(i + 2) <= 0xBF) {
            const unsigned point = 0xFF00U + ((byte(i + 1) - 0xBCU) << 6U) + (byte(i + 2) - 0x80U);
            if (point >= 0xFF01U && point <= 0xFF5EU) {
                narrow += static_cast<char>(point - 0xFF01U + 0x21U);
                i += 2;
                continue;
            }
        }
        narrow += text[i];
    }
    return narrow;
}

std::string_view trimmed(std::string_view text)
{
    constexpr std::string_view Blanks = " \t\r\n\v\f";
    const std::size_t begin = text.find_first_not_of(Blanks);
    if (begin == std::string_view::npos) {
        return {};
    }
    return text.substr(begin, text.find_last_not_of(Blanks) - begin + 1);
}

// The character at `at` (UTF-8, or one byte that is not), as a message quotes it.
std::string characterAt(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t length = lead < 0xC0U ? 1 : lead < 0xE0U ? 2 : lead < 0xF0U ? 3 : 4;
    return quoted(text.substr(at, std::min(length, text.size() - at)));
}

std::string lowered(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
        [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

ReadResult refused(CodeError error, std::string message)
{
    return {std::nullopt, error, std::move(message)};
}

}  // namespace

std::span<const std::string_view> mistakeIds()
{
    return MistakeIds;
}

std::optional<std::size_t> mistakeNumber(std::string_view id)
{
    const auto *found = std::find(MistakeIds.begin(), MistakeIds.end(), id);
    return found == MistakeIds.end() ? std::nullopt
                                     : std::optional(std::size_t(found - MistakeIds.begin()));
}

Parsed<int> parseNumber(std::string_view text)
{
    // Without its leading zeros, one or two digits (MostNumber is 99).
    const std::string_view significant
        = text.substr(std::min(text.find_first_not_of('0'), text.size()));
    if (!significant.empty() && significant.size() <= 2
        && significant.find_first_not_of("0123456789") == std::string_view::npos) {
        return {std::stoi(std::string(significant)), {}};
    }
    return {std::nullopt,
        "the number (出席番号) is a whole number from 1 to " + std::to_string(MostNumber)
            + ", not '" + echoed(text) + "'."};
}

std::optional<std::string_view> triedMistake(const AnswerCheck &check)
{
    switch (categoryOf(check.verdict)) {
    case VerdictCategory::Wrong:
        return check.mistake.empty() ? GeneralMistake : check.mistake;
    case VerdictCategory::Close:
        return UnfinishedMistake;
    case VerdictCategory::Correct:
    case VerdictCategory::NoAnswer:
    case VerdictCategory::Unreadable:
        break;
    }
    return std::nullopt;
}

std::string resultCodeText(const ResultCode &code)
{
    if (code.problems.size() != static_cast<std::size_t>(code.set.count)) {
        throw std::invalid_argument("a result code has one result for each problem of its set");
    }
    if (code.number < 0 || code.number > MostNumber) {
        throw std::invalid_argument("a 出席番号 is 1 to 99, or 0 for none");
    }
    BitWriter writer;
    std::uint32_t seconds = code.seconds;
    do {
        const unsigned group = seconds & ((1U << TimeGroupBits) - 1);
        seconds >>= TimeGroupBits;
        writer.put(seconds != 0 ? 1U : 0U, 1);
        writer.put(group, TimeGroupBits);
    } while (seconds != 0);
    for (const ProblemResult &problem : code.problems) {
        writeProblem(writer, problem);
    }
    const std::string text = std::string(CodeVersion) + ":" + practice::setCodeText(code.set) + ":"
        + std::to_string(code.number) + ":" + writer.digits();
    return text + checkText(checkOf(text));
}

ReadResult readResultCode(std::string_view typed)
{
    const std::string narrow = narrowed(typed);
    const std::string_view text = trimmed(narrow);
    const std::size_t versionEnd = text.find(':');
    const std::string version = lowered(text.substr(0, versionEnd));
    if (versionEnd == std::string_view::npos || version.size() < 2 || version[0] != 'r'
        || version.find_first_not_of("0123456789", 1) != std::string::npos) {
        return refused(
            CodeError::NotACode, "結果コードではありません（結果コードは r1: で始まります）。");
    }
    if (version != CodeVersion) {
        return refused(CodeError::UnknownVersion,
            "「" + version + "」の結果コードは、このバージョンのTobarinでは読めません。");
    }
    const std::size_t restStart = text.rfind(':') + 1;
    const std::size_t numberStart = text.rfind(':', restStart - 2) + 1;
    if (numberStart <= versionEnd + 1) {
        return refused(CodeError::NotACode,
            "結果コードの形になっていません（r1:セットのコード:出席番号:結果 の形です）。");
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!checkValue(text[i]) || (i >= restStart && !digitValue(text[i]))) {
            return refused(CodeError::BadCharacter,
                "結果コードに使われない文字" + characterAt(text, i) + "があります。");
        }
    }
    std::string canonical = lowered(text.substr(0, restStart));
    for (const char c : text.substr(restStart)) {
        canonical += Digits[*digitValue(c)];
    }
    const std::string_view rest = std::string_view(canonical).substr(restStart);
    if (rest.size() < 2) {
        return refused(CodeError::WrongLength, "結果コードの結果の部分がありません。");
    }
    const std::string_view checked = std::string_view(canonical).substr(0, canonical.size() - 2);
    if (checkText(checkOf(checked)) != rest.substr(rest.size() - 2)) {
        return refused(CodeError::FailedCheck,
            "結果コードの確かめの文字が合いません。写しまちがいや抜けた文字がないか、"
            "見直してください。");
    }
    const std::string_view setText
        = std::string_view(canonical).substr(versionEnd + 1, numberStart - versionEnd - 2);
    const Parsed<practice::SetCode> set = practice::parseSetCode(setText);
    if (!set.value) {
        return refused(
            CodeError::BadSetCode, "セットのコード" + quoted(setText) + "が読めません。");
    }
    const std::string_view numberText
        = std::string_view(canonical).substr(numberStart, restStart - numberStart - 1);
    const bool numberRead = !numberText.empty() && numberText.size() <= 2
        && numberText.find_first_not_of("0123456789") == std::string_view::npos
        && (numberText.size() == 1 || numberText[0] != '0');
    if (!numberRead) {
        return refused(CodeError::BadNumber,
            "出席番号" + quoted(numberText) + "が読めません（1〜99、ないときは0）。");
    }
    ResultCode code;
    code.set = *set.value;
    code.number = std::stoi(std::string(numberText));
    BitReader reader(rest.substr(0, rest.size() - 2));
    if (const std::optional<CodeError> error = readProblems(reader, code)) {
        if (*error == CodeError::UnknownMistake) {
            return refused(*error, "このバージョンのTobarinが知らないつまずきの記録があります。");
        }
        return refused(*error,
            "結果コードの長さが、セットの問題の数（" + std::to_string(code.set.count)
                + "問）と合いません。");
    }
    return {std::move(code), {}, {}};
}

}  // namespace tobarin::results
