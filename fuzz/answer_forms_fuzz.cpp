// The answer forms (Option2_Click), two ways, chosen by bit 0 of byte 0.
//
// Bit 0 clear: arbitrary captions. Byte 1 gives the index (mostly 0 or 1,
// sometimes another value); then the captions of Label1(0..3), each after a
// '|' ("00|3|5||-" splits -5/3); bit 1 of byte 0 hides Line3 beforehand. Whatever the captions
// hold, the handler must not crash or trip a sanitizer; a run-time error is allowed. It must never
// touch Label1(0), Label1(3) or Line3, must change nothing for an index other than 0 and 1, and
// must change nothing when it raises an error (each rewrite comes after the step that can fail).
//
// Bit 0 set: an answer as Calculate writes it, from field values the rest of
// the input picks. Mixed and improper forms must undo each other exactly:
// improper then mixed gives back the mixed answer, mixed again changes
// nothing, and improper after that gives back the same improper form.

#include "engine/number/runtime_error.h"
#include "engine/window/answer_forms.h"
#include "engine/window/calculate.h"
#include "tests/engine/fake_form.h"
#include "tests/oracle/calculation_oracle.h"

#include <array>
#include <cstdint>
#include <fuzzer/FuzzedDataProvider.h>
#include <limits>
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

using tobarin::oracle::decimal;
using Int = tobarin::oracle::Int;

// What the answer labels and the fraction bar show.
struct Answer {
    std::array<std::string, 4> labels;  // Label1(0..3): denominator, numerator, integer part, sign
    bool bar = true;

    friend bool operator==(const Answer &, const Answer &) = default;
};

Answer answerOf(const FakeForm &form)
{
    Answer a;
    for (int i = 0; i < 4; ++i) {
        a.labels[static_cast<std::size_t>(i)] = form.label1(i);
    }
    a.bar = form.visible(Line3);
    return a;
}

void show(FakeForm &form, const Answer &a)
{
    for (int i = 0; i < 4; ++i) {
        form.setCaption(Label1[i], a.labels[static_cast<std::size_t>(i)]);
    }
    form.setVisible(Line3, a.bar);
}

std::string describe(const Answer &a)
{
    return "[" + quoted(a.labels[3]) + " " + quoted(a.labels[2]) + " " + quoted(a.labels[1]) + "/"
        + quoted(a.labels[0]) + (a.bar ? "]" : "] no bar");
}

// Runs the handler; the run-time error's number, or 0.
int click(FakeForm &form, std::int16_t index)
{
    try {
        tobarin::Option2_Click(form, index);
    } catch (const RuntimeError &e) {
        return e.number();
    }
    return 0;
}

void arbitraryCaptions(std::string_view bytes, bool hideBar)
{
    std::int16_t index = 0;
    if (!bytes.empty()) {
        const auto b = static_cast<unsigned char>(bytes[0]);
        // Three in four inputs ask for one of the two forms.
        index = b < 0xC0 ? static_cast<std::int16_t>(b & 1) : static_cast<std::int16_t>(b - 0xE0);
        if (b == 0xFF) {
            index = std::numeric_limits<std::int16_t>::max();
        } else if (b == 0xFE) {
            index = std::numeric_limits<std::int16_t>::min();
        }
        bytes.remove_prefix(1);
    }
    const auto captions = tobarin::fuzz::splitFields(bytes, 4);
    FakeForm form;
    Answer before;
    for (std::size_t i = 0; i < 4; ++i) {
        before.labels[i] = captions[i];
    }
    before.bar = !hideBar;
    show(form, before);

    const int error = click(form, index);
    const Answer after = answerOf(form);
    const auto fail = [&](const char *why) {
        return std::string(why) + "\n  index " + std::to_string(index) + ", before "
            + describe(before) + "\n  after " + describe(after)
            + (error != 0 ? ", run-time error " + std::to_string(error) : std::string());
    };
    check(error == 0 || error == RuntimeError::Overflow || error == RuntimeError::DivisionByZero,
        [&] { return fail("unknown run-time error"); });
    check(after.labels[0] == before.labels[0] && after.labels[3] == before.labels[3]
            && after.bar == before.bar,
        [&] { return fail("the denominator, the sign or the bar was touched"); });
    check((index == 0 || index == 1) || after == before,
        [&] { return fail("an index other than 0 and 1 changed something"); });
    check(
        error == 0 || after == before, [&] { return fail("a caption changed before the error"); });
}

// A field text Calculate reads: empty, small, as typed, or anywhere in 32 bits.
std::string generatedField(FuzzedDataProvider &provider)
{
    switch (provider.ConsumeIntegralInRange(0, 4)) {
    case 0:
        return "";
    case 1:
        return std::to_string(provider.ConsumeIntegralInRange(-12, 12));
    case 2:
        return std::to_string(provider.ConsumeIntegralInRange(0, 99999));
    case 3:
        return std::to_string(provider.ConsumeIntegralInRange(0, 9999999));
    default:
        return std::to_string(provider.ConsumeIntegral<std::int32_t>());
    }
}

// The plain decimal number of a caption Calculate wrote.
Int number(const std::string &caption)
{
    Int v = 0;
    for (const char c : caption) {
        v = v * 10 + (c - '0');
    }
    return v;
}

// The improper form of a mixed answer, worked out on the captions: the integer
// part folded into the numerator when there is both one and a fraction.
Answer improperOf(const Answer &mixed)
{
    Answer a = mixed;
    const std::string &den = mixed.labels[0];
    const std::string &whole = mixed.labels[2];
    if (!den.empty() && !whole.empty() && whole != "0") {
        a.labels[1] = decimal(number(den) * number(whole) + number(mixed.labels[1]));
        a.labels[2] = "";
    }
    return a;
}

void calculatedAnswers(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    FakeForm form;
    std::array<std::string, 6> fields;
    for (auto &f : fields) {
        f = generatedField(provider);
    }
    form.first(fields[0], fields[1], fields[2]);
    form.second(fields[3], fields[4], fields[5]);
    form.tick(0, provider.ConsumeBool());
    form.tick(1, provider.ConsumeBool());
    form.selectOperation(provider.ConsumeIntegralInRange(0, 3));
    try {
        tobarin::Command1_Click(form);
    } catch (const RuntimeError &) {
        return;  // no answer to convert
    }
    if (!form.messages().empty()) {
        return;
    }
    const Answer mixed = answerOf(form);
    const Answer improper = improperOf(mixed);
    const auto fail = [&](const char *why, const Answer &got) {
        return std::string(why) + "\n  fields " + quoted(fields[0]) + " " + quoted(fields[1]) + "/"
            + quoted(fields[2]) + " and " + quoted(fields[3]) + " " + quoted(fields[4]) + "/"
            + quoted(fields[5]) + "\n  mixed " + describe(mixed) + ", improper "
            + describe(improper) + ", got " + describe(got);
    };
    const auto expectAfter = [&](std::int16_t index, const Answer &expected, const char *why) {
        const int error = click(form, index);
        check(
            error == 0, [&] { return fail("a run-time error on a calculated answer", expected); });
        const Answer got = answerOf(form);
        check(got == expected, [&] { return fail(why, got); });
    };

    expectAfter(1, improper, "the improper form is wrong");
    expectAfter(0, mixed, "improper then mixed does not give back the mixed answer");

    show(form, mixed);
    expectAfter(0, mixed, "the mixed form of a mixed answer changed");
    expectAfter(1, improper, "mixed, mixed, improper is not the improper form");
    expectAfter(1, improper, "the improper form of an improper answer changed");
    expectAfter(0, mixed, "mixed, improper, mixed does not give back the mixed answer");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    if ((data[0] & 1) == 0) {
        arbitraryCaptions({reinterpret_cast<const char *>(data) + 1, size - 1}, (data[0] & 2) != 0);
    } else {
        calculatedAnswers(data + 1, size - 1);
    }
    return 0;
}
