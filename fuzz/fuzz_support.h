#pragma once

// Small helpers shared by the fuzz targets.

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace tobarin::fuzz {

// The bytes as a C string literal would show them, for the report of a finding.
inline std::string quoted(std::string_view bytes)
{
    static constexpr char Hex[] = "0123456789abcdef";
    std::string text = "\"";
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            text += '\\';
            text += c;
        } else if (u >= 0x20 && u < 0x7f) {
            text += c;
        } else {
            text += "\\x";
            text += Hex[u >> 4];
            text += Hex[u & 0xf];
        }
    }
    return text + '"';
}

// Ends the run as a finding: libFuzzer keeps the input that led here. The
// description is built only when the check fails.
template <typename Describe> void check(bool ok, Describe &&describe)
{
    if (!ok) {
        const std::string what = describe();
        std::fprintf(stderr, "\nFINDING: %s\n", what.c_str());
        std::abort();
    }
}

// The fields of an input written as |first|second|...: each field follows a
// '|'. Bytes before the first '|' are ignored, missing fields are empty and
// whatever follows the last field is dropped. A '|' is just one more character
// that ends a number, so leaving it out of the fields loses nothing.
inline std::vector<std::string> splitFields(std::string_view input, std::size_t count)
{
    std::vector<std::string> fields(count);
    std::size_t bar = input.find('|');
    for (std::size_t i = 0; i < count && bar != std::string_view::npos; ++i) {
        input.remove_prefix(bar + 1);
        bar = input.find('|');
        fields[i] = std::string(input.substr(0, bar));
    }
    return fields;
}

}  // namespace tobarin::fuzz
