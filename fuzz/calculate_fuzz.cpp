// Calculate on arbitrary field texts, sign boxes and operation, checked against
// exact rational arithmetic (tests/oracle/calculation_oracle.h).
//
// Input: byte 0 picks the operation ('+', '-', '*', '/', or otherwise the byte
// modulo 5, where 4 selects no operation button); byte 1 ticks the sign boxes
// (bit 0 the first operand's, bit 1 the second's, so '0' to '3'); then the six
// field texts, each after a '|': integer part, numerator, denominator of the
// first operand, then of the second. "+0||1|2||1|3" is 1/2 + 1/3.

#include "engine/number/runtime_error.h"
#include "engine/solve.h"
#include "engine/window/answer.h"
#include "engine/window/answer_forms.h"
#include "engine/window/calculate.h"
#include "engine/window/problem.h"
#include "tests/engine/fake_form.h"
#include "tests/oracle/calculation_oracle.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"

namespace {

using tobarin::Label1;
using tobarin::Line3;
using tobarin::RuntimeError;
using tobarin::fuzz::check;
using tobarin::fuzz::quoted;
using tobarin::testing::FakeForm;

namespace oracle = tobarin::oracle;

constexpr std::string_view DenominatorMessage = "分母を１以上の整数にしてください。";
constexpr std::string_view DenominatorTitle = "エラーメッセージ";

struct Input {
    int operation;  // 0 to 3, or 4 for none selected
    bool negativeA;
    bool negativeB;
    // Text1(2), Text1(1), Text1(0), Text2(2), Text2(1), Text2(0)
    oracle::Fields fields;
};

Input decode(std::string_view bytes)
{
    Input in {4, false, false, {}};
    if (!bytes.empty()) {
        const auto op = static_cast<unsigned char>(bytes[0]);
        const std::string_view signs = "+-*/";
        const auto pos = signs.find(bytes[0]);
        in.operation = pos != std::string_view::npos ? static_cast<int>(pos) : op % 5;
        bytes.remove_prefix(1);
    }
    if (!bytes.empty()) {
        in.negativeA = (bytes[0] & 1) != 0;
        in.negativeB = (bytes[0] & 2) != 0;
        bytes.remove_prefix(1);
    }
    const auto fields = tobarin::fuzz::splitFields(bytes, 6);
    for (std::size_t i = 0; i < 6; ++i) {
        in.fields[i] = fields[i];
    }
    return in;
}

std::string describe(const Input &in)
{
    static constexpr const char *Operations[] = {"+", "-", "*", "/", "(none)"};
    std::string text = (in.negativeA ? "-[" : "[");
    text += quoted(in.fields[0]) + " " + quoted(in.fields[1]) + "/" + quoted(in.fields[2]) + "] ";
    text += Operations[in.operation];
    text += in.negativeB ? " -[" : " [";
    text += quoted(in.fields[3]) + " " + quoted(in.fields[4]) + "/" + quoted(in.fields[5]) + "]";
    return text;
}

std::string labels(const FakeForm &form)
{
    return "labels [" + form.label1(3) + "|" + form.label1(2) + "|" + form.label1(1) + "/"
        + form.label1(0) + (form.visible(Line3) ? "] bar" : "] no bar");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const Input in = decode({reinterpret_cast<const char *>(data), size});

    FakeForm form;
    form.first(in.fields[0], in.fields[1], in.fields[2]);
    form.second(in.fields[3], in.fields[4], in.fields[5]);
    form.tick(0, in.negativeA);
    form.tick(1, in.negativeB);
    form.selectOperation(in.operation);
    // What an earlier answer left must be cleared, whatever happens next.
    for (int i = 0; i < 4; ++i) {
        form.setCaption(Label1[i], "7");
    }
    form.setVisible(Line3, false);

    int error = 0;
    try {
        tobarin::Command1_Click(form);
    } catch (const RuntimeError &e) {
        error = e.number();
    }

    oracle::Outcome expected;
    try {
        expected = oracle::predictCalculation(in.fields, in.negativeA, in.negativeB, in.operation);
    } catch (const std::logic_error &inconsistent) {
        check(false, [&] { return std::string(inconsistent.what()) + "\n  " + describe(in); });
    }
    const auto fail = [&](const std::string &why) {
        return why + "\n  " + describe(in) + "\n  engine: "
            + (error != 0 ? "run-time error " + std::to_string(error) + ", " : std::string())
            + std::to_string(form.messages().size()) + " message(s), " + labels(form);
    };
    const bool untouched = form.label1(0).empty() && form.label1(1).empty()
        && form.label1(2).empty() && form.label1(3).empty() && form.visible(Line3);

    for (std::size_t i = 0; i < 6; ++i) {
        const std::string text
            = form.text((i < 3 ? tobarin::Text1 : tobarin::Text2)[2 - static_cast<int>(i % 3)]);
        check(text == in.fields[i], [&] { return fail("an entry field was changed"); });
    }
    switch (expected.kind) {
    case oracle::Outcome::Error:
        check(error == expected.error,
            [&] { return fail("expected run-time error " + std::to_string(expected.error)); });
        check(form.messages().empty(), [&] { return fail("a message with the run-time error"); });
        check(untouched, [&] { return fail("the answer must stay cleared after an error"); });
        break;
    case oracle::Outcome::Message:
        check(error == 0 && form.messages().size() == 1,
            [&] { return fail("expected the denominator message alone"); });
        check(form.messages()[0].text == DenominatorMessage
                && form.messages()[0].style == tobarin::MsgBoxCritical
                && form.messages()[0].title == DenominatorTitle,
            [&] { return fail("wrong denominator message"); });
        check(untouched, [&] { return fail("the answer must stay cleared after the message"); });
        break;
    case oracle::Outcome::Answer: {
        check(error == 0 && form.messages().empty(), [&] {
            return fail("expected the answer " + oracle::decimal(expected.value.n) + "/"
                + oracle::decimal(expected.value.d));
        });
        const std::string problem = oracle::checkAnswer(form.label1(3), form.label1(2),
            form.label1(1), form.label1(0), form.visible(Line3), expected.value);
        check(problem.empty(), [&] { return fail(problem); });
        // The answer and the working of the problem end where the window
        // does, in both of its forms: the mixed form Calculate leaves, and
        // the improper one a click on 仮分数 makes of it.
        if (in.operation >= 0 && in.operation <= 3) {
            const tobarin::Problem typed = tobarin::problemIn(form);
            const auto method
                = in.negativeA ? tobarin::Method::KeepMixed : tobarin::Method::MakeImproper;
            for (const auto answerForm :
                {tobarin::AnswerForm::Mixed, tobarin::AnswerForm::Improper}) {
                if (answerForm == tobarin::AnswerForm::Improper) {
                    tobarin::Option2_Click(form, 1);
                }
                const tobarin::Solution solution = tobarin::solve(typed, answerForm, method);
                const auto shown = tobarin::answerIn(form);
                check(solution.answer && shown && *solution.answer == *shown
                        && tobarin::expressionText(solution.working.steps.back().expression)
                            == tobarin::numberText(*shown),
                    [&] {
                        return fail("the working ends elsewhere:\n"
                            + tobarin::workingText(solution.working));
                    });
            }
        }
        break;
    }
    }
    return 0;
}
