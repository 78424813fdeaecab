// TextValue on arbitrary bytes, checked against a second reader of numbers
// written here in the plainest way: the number at the start of the text
// is copied out as clean ASCII and handed to the C library's strtod in the C
// locale, which rounds correctly; hexadecimal and octal are counted by hand.
// The value must agree bit for bit, or the run-time error by its number.

#include "engine/number/conversions.h"
#include "engine/number/runtime_error.h"

#include <bit>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"

namespace {

using tobarin::RuntimeError;
using tobarin::fuzz::check;
using tobarin::fuzz::quoted;

struct Reading {
    int error = 0;  // 0, or the run-time error's number
    double value = 0.0;

    friend bool operator==(const Reading &a, const Reading &b)
    {
        return a.error == b.error
            && (a.error != 0
                || std::bit_cast<std::uint64_t>(a.value) == std::bit_cast<std::uint64_t>(b.value));
    }
};

std::string describe(const Reading &r)
{
    if (r.error != 0) {
        return "run-time error " + std::to_string(r.error);
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.17g (bits %016llx)", r.value,
        static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(r.value)));
    return text;
}

int digitValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 99;
}

bool isDecimalDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The number after &H or &O: up to FFFF a signed 16-bit value, up to FFFFFFFF
// a signed 32-bit value, beyond that error 6.
Reading radixNumber(std::string_view s, int radix)
{
    std::int64_t value = 0;
    for (const char c : s) {
        if (digitValue(c) >= radix) {
            break;
        }
        value = value * radix + digitValue(c);
        if (value > 0xFFFFFFFF) {
            return {RuntimeError::Overflow, 0.0};
        }
    }
    if (value <= 0xFFFF) {
        return {0, static_cast<double>(value >= 0x8000 ? value - 0x10000 : value)};
    }
    return {0, static_cast<double>(value >= 0x80000000 ? value - 0x100000000 : value)};
}

// Digits with at most one point, then an exponent only if its letter (E, e, D
// or d) and optional sign are followed by a digit.
Reading decimalNumber(std::string_view s)
{
    std::string clean;
    bool point = false;
    bool digit = false;
    std::size_t i = 0;
    for (; i < s.size(); ++i) {
        if (isDecimalDigit(s[i])) {
            digit = true;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            break;
        }
        clean += s[i];
    }
    if (!digit) {
        return {0, 0.0};
    }
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::string exponent = "e";
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) {
            exponent += s[j++];
        }
        if (j < s.size() && isDecimalDigit(s[j])) {
            for (; j < s.size() && isDecimalDigit(s[j]); ++j) {
                exponent += s[j];
            }
            clean += exponent;
        }
    }

    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    errno = 0;
    char *end = nullptr;
    const double value = strtod_l(clean.c_str(), &end, cLocale);
    check(end == clean.c_str() + clean.size(),
        [&] { return "the oracle's clean number " + quoted(clean) + " was not read whole"; });
    // strtod reports both ends of the range with ERANGE: only the top one is an error.
    if (errno == ERANGE && std::isinf(value)) {
        return {RuntimeError::Overflow, 0.0};
    }
    return {0, value};
}

Reading expectedReading(std::string_view text)
{
    std::string s;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            s += c;
        }
    }
    std::string_view rest = s;
    bool negative = false;
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-')) {
        negative = rest[0] == '-';
        rest.remove_prefix(1);
    }
    Reading r;
    if (rest.size() >= 2 && rest[0] == '&' && (rest[1] == 'H' || rest[1] == 'h')) {
        r = radixNumber(rest.substr(2), 16);
    } else if (rest.size() >= 2 && rest[0] == '&' && (rest[1] == 'O' || rest[1] == 'o')) {
        r = radixNumber(rest.substr(2), 8);
    } else {
        r = decimalNumber(rest);
    }
    if (negative) {
        r.value = -r.value;
    }
    // A number worth zero reads as plain 0, whatever sign stood before it.
    if (r.value == 0.0) {
        r.value = 0.0;
    }
    return r;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    Reading actual;
    try {
        actual.value = tobarin::TextValue(text);
    } catch (const RuntimeError &e) {
        actual.error = e.number();
    }
    const Reading expected = expectedReading(text);
    check(actual == expected, [&] {
        return "TextValue(" + quoted(text) + ") gave " + describe(actual) + ", expected "
            + describe(expected);
    });
    return 0;
}
