// The problem and operand readers on arbitrary bytes, as a command line or a
// paste can hand them. Whatever the text, reading must not crash, and what it
// reads must be what a user could have typed: field texts of ASCII digits
// only, an operation from 0 to 3. A problem that reads is then calculated, as
// the command line would, on the window in memory.

#include "engine/calculate.h"
#include "engine/problem_text.h"
#include "engine/runtime_error.h"

#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"

namespace {

using tobarin::fuzz::check;
using tobarin::fuzz::quoted;

bool digitsOnly(const std::string &field)
{
    return field.find_first_not_of("0123456789") == std::string::npos;
}

void checkOperand(const tobarin::TypedOperand &operand, std::string_view input)
{
    for (const std::string &field : operand.fields) {
        check(digitsOnly(field),
            [&] { return "a field read as " + quoted(field) + " from " + quoted(input); });
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);

    const auto operand = tobarin::parseOperand(input);
    check(operand.value.has_value() != !operand.error.empty(),
        [&] { return "an operand read both or neither ways: " + quoted(input); });
    if (operand.value) {
        checkOperand(*operand.value, input);
    }

    const auto problem = tobarin::parseProblem(input);
    check(problem.value.has_value() != !problem.error.empty(),
        [&] { return "a problem read both or neither ways: " + quoted(input); });
    if (problem.value) {
        checkOperand(problem.value->first, input);
        checkOperand(problem.value->second, input);
        tobarin::MemoryForm form;
        tobarin::enterProblem(form, *problem.value);
        try {
            tobarin::Command1_Click(form);
        } catch (const tobarin::RuntimeError &) {
            // Error 6 or 11 is an answer too; anything else escapes and is a finding.
        }
    }
    return 0;
}
