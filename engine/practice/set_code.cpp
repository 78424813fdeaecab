#include "engine/practice/set_code.h"

#include "engine/practice/conversion_sets.h"
#include "engine/practice/several_terms.h"

#include <limits>
#include <vector>

namespace tobarin::practice {

namespace {

// A string of ASCII digits up to the largest value, or nothing.
std::optional<std::uint64_t> digitsValue(std::string_view text, std::uint64_t largest)
{
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (digit > largest || value > (largest - digit) / 10) {
            return std::nullopt;
        }
        value = value * 10 + digit;
    }
    return value;
}

// What was given, as a message shows it (cut, and with no control character).
std::string quote(std::string_view text)
{
    return "'" + echoed(text) + "'";
}

template <typename T> Parsed<T> refused(std::string message)
{
    return {std::nullopt, std::move(message)};
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (std::size_t end = text.find(separator); end != std::string_view::npos;
         end = text.find(separator, start)) {
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

}  // namespace

std::string unitIds()
{
    std::string ids;
    for (const UnitInfo &info : units()) {
        ids += (ids.empty() ? "" : ", ") + std::string(info.id);
    }
    return ids;
}

std::string setCodeText(const SetCode &code)
{
    return "p" + std::to_string(code.version) + ":" + std::string(unitInfo(code.unit).id) + ":"
        + std::to_string(code.level) + ":" + std::to_string(code.count) + ":"
        + std::to_string(code.seed);
}

Parsed<Unit> parseUnit(std::string_view text)
{
    if (const std::optional<Unit> unit = unitNamed(text)) {
        return {unit, {}};
    }
    return refused<Unit>("unknown unit " + quote(text) + ": the units are " + unitIds() + ".");
}

Parsed<int> parseLevel(std::string_view text)
{
    const std::optional<std::uint64_t> level = digitsValue(text, HighestLevel);
    if (!level || *level < LowestLevel) {
        return refused<int>("the level is 1, 2 or 3, not " + quote(text) + ".");
    }
    return {static_cast<int>(*level), {}};
}

Parsed<int> parseCount(std::string_view text)
{
    const std::optional<std::uint64_t> count = digitsValue(text, MostProblems);
    if (!count || *count < 1) {
        return refused<int>("the count is a whole number from 1 to " + std::to_string(MostProblems)
            + ", not " + quote(text) + ".");
    }
    return {static_cast<int>(*count), {}};
}

Parsed<std::uint64_t> parseSeed(std::string_view text)
{
    constexpr std::uint64_t largest = std::numeric_limits<std::uint64_t>::max();
    if (const std::optional<std::uint64_t> seed = digitsValue(text, largest)) {
        return {seed, {}};
    }
    return refused<std::uint64_t>("the seed is a whole number from 0 to " + std::to_string(largest)
        + ", not " + quote(text) + ".");
}

Parsed<SetCode> parseSetCode(std::string_view text)
{
    const std::vector<std::string_view> parts = split(text, ':');
    const bool first = parts.front() == FirstVersion;
    if (!first && parts.front() != CodeVersion && parts.size() > 1) {
        return refused<SetCode>("unknown code version " + quote(parts.front()) + " in "
            + quote(text) + ": this program reads " + std::string(FirstVersion) + " and "
            + std::string(CodeVersion) + " codes.");
    }
    if (parts.size() != 5) {
        return refused<SetCode>("a set code is " + std::string(CodeVersion)
            + ":UNIT:LEVEL:COUNT:SEED, not " + quote(text) + ".");
    }
    const Parsed<Unit> unit = parseUnit(parts[1]);
    const Parsed<int> level = parseLevel(parts[2]);
    const Parsed<int> count = parseCount(parts[3]);
    const Parsed<std::uint64_t> seed = parseSeed(parts[4]);
    for (const std::string *error : {&unit.error, &level.error, &count.error, &seed.error}) {
        if (!error->empty()) {
            return refused<SetCode>("in the code " + quote(text) + ", " + *error);
        }
    }
    if (first && (isSeveralTermUnit(*unit.value) || isConversionUnit(*unit.value))) {
        return refused<SetCode>("in the code " + quote(text) + ", the unit " + quote(parts[1])
            + " has " + std::string(CodeVersion) + " codes only.");
    }
    return {SetCode {*unit.value, *level.value, *count.value, *seed.value, first ? 1 : 2}, {}};
}

}  // namespace tobarin::practice
