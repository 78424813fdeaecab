#include "engine/number/runtime_error.h"
#include "engine/window/answer_forms.h"
#include "engine/window/calculate.h"
#include "tests/engine/fake_form.h"
#include "tests/engine/test_support.h"

#include <array>
#include <gtest/gtest.h>
#include <string>

namespace tobarin {
namespace {

using testing::errorOf;
using testing::FakeForm;

// Captions of Label1(0), Label1(1), Label1(2): denominator, numerator, integer part.
using Captions = std::array<std::string, 3>;

struct FormCase {
    const char *name;
    Captions before;
    std::int16_t index;
    Captions after;
    int error = 0;

    friend void PrintTo(const FormCase &row, std::ostream *os) { *os << row.name; }
};

class AnswerForms : public ::testing::TestWithParam<FormCase> { };

TEST_P(AnswerForms, RewriteNumeratorAndIntegerPart)
{
    const FormCase &c = GetParam();
    FakeForm form;
    for (int i = 0; i < 3; ++i) {
        form.setCaption(Label1[i], c.before[static_cast<std::size_t>(i)]);
    }
    form.setCaption(Label1[3], "-");

    EXPECT_EQ(errorOf([&] { Option2_Click(form, c.index); }), c.error);

    EXPECT_EQ((Captions {form.label1(0), form.label1(1), form.label1(2)}), c.after);
    EXPECT_EQ(form.label1(3), "-");  // the sign is never touched
    EXPECT_TRUE(form.visible(Line3));
}

INSTANTIATE_TEST_SUITE_P(Table, AnswerForms,
    ::testing::Values(FormCase {"SplitImproper", {"3", "5", ""}, 0, {"3", "2", "1"}},
        FormCase {"FoldMixed", {"3", "2", "1"}, 1, {"3", "5", ""}},
        FormCase {"MixedStaysMixed", {"3", "2", "1"}, 0, {"3", "2", "1"}},
        FormCase {"ImproperStaysImproper", {"3", "5", ""}, 1, {"3", "5", ""}},
        FormCase {"ProperNotSplit", {"6", "5", ""}, 0, {"6", "5", ""}},
        FormCase {"ProperNotFolded", {"6", "5", ""}, 1, {"6", "5", ""}},
        FormCase {"WholeNotSplit", {"", "", "4"}, 0, {"", "", "4"}},
        FormCase {"WholeNotFolded", {"", "", "4"}, 1, {"", "", "4"}},
        FormCase {"ZeroNotSplit", {"", "", "0"}, 0, {"", "", "0"}},
        FormCase {"ZeroNotFolded", {"", "", "0"}, 1, {"", "", "0"}},
        FormCase {"EmptySplit", {"", "", ""}, 0, {"", "", ""}},
        FormCase {"EmptyFolded", {"", "", ""}, 1, {"", "", ""}},
        FormCase {"NegativeDenominatorSplit", {"-2", "3", ""}, 0, {"-2", "1", "-1"}},
        FormCase {"NegativeDenominatorFolded", {"-2", "1", "-1"}, 1, {"-2", "3", ""}},
        FormCase {"NegativeZeroQuotient", {"-6", "1", ""}, 0, {"-6", "1", ""}},
        FormCase {"LargeQuotient", {"7", "100", ""}, 0, {"7", "2", "14"}},
        FormCase {"OtherIndex", {"3", "5", ""}, 2, {"3", "5", ""}},
        FormCase {"NegativeIndex", {"3", "2", "1"}, -1, {"3", "2", "1"}},
        FormCase {
            "TopOfRangeSplit", {"2", "922337203685477", ""}, 0, {"2", "1", "461168601842738"}},
        FormCase {
            "TopOfRangeFolded", {"2", "1", "461168601842738"}, 1, {"2", "922337203685477", ""}},
        FormCase {
            "CaptionBeyondRange", {"3", "1e15", ""}, 0, {"3", "1e15", ""}, RuntimeError::Overflow},
        FormCase {"FoldingBeyondRange", {"2", "1", "461168601842739"}, 1,
            {"2", "1", "461168601842739"}, RuntimeError::Overflow}),
    testing::ByName());

}  // namespace
}  // namespace tobarin
