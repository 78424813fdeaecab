// The exact oracle of tests/oracle for the browser soak test: one line in per
// Calculate that the page ran, one verdict out.
//
// In, tab-separated: the six field texts (Text1(2), Text1(1), Text1(0),
// Text2(2), Text2(1), Text2(0)), the two sign boxes (0 or 1), the operation
// (0 to 3), then what the page showed: the answer labels Label1(3), (2), (1),
// (0), the bar (0 or 1), and the first message box after the click ("" for
// none, else its title, a bar |, its text with lines joined by a bar |).
// Out: "ok", or what differs.

#include "tests/oracle/calculation_oracle.h"

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace tobarin::oracle;

std::vector<std::string> split(const std::string &line)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(line);
    while (std::getline(in, part, '\t')) {
        parts.push_back(part);
    }
    if (!line.empty() && line.back() == '\t') {
        parts.emplace_back();
    }
    return parts;
}

std::string expectedBox(const Outcome &outcome)
{
    switch (outcome.kind) {
    case Outcome::Message:
        return "エラーメッセージ|分母を１以上の整数にしてください。";
    case Outcome::Error:
        return outcome.error == 6 ? "Tobarin|実行時エラー 6|桁あふれが発生しました。"
                                  : "Tobarin|実行時エラー 11|0 でわることはできません。";
    case Outcome::Answer:
        break;
    }
    return "";
}

std::string verdict(const std::vector<std::string> &in)
{
    if (in.size() != 15) {
        return "expected 15 fields, got " + std::to_string(in.size());
    }
    const Fields fields {in[0], in[1], in[2], in[3], in[4], in[5]};
    const Outcome outcome
        = predictCalculation(fields, in[6] == "1", in[7] == "1", std::stoi(in[8]));
    const std::string &sign = in[9];
    const std::string &whole = in[10];
    const std::string &num = in[11];
    const std::string &den = in[12];
    const bool bar = in[13] == "1";
    const std::string &box = in[14];

    if (box != expectedBox(outcome)) {
        return "message box \"" + box + "\", expected \"" + expectedBox(outcome) + "\"";
    }
    if (outcome.kind != Outcome::Answer) {
        // The first step of Calculate cleared the answer and showed the bar.
        const bool cleared = sign.empty() && whole.empty() && num.empty() && den.empty() && bar;
        return cleared ? "ok" : "the answer labels were not left cleared";
    }
    const std::string problem = checkAnswer(sign, whole, num, den, bar, outcome.value);
    return problem.empty() ? "ok" : problem;
}

}  // namespace

int main()
{
    std::string line;
    while (std::getline(std::cin, line)) {
        try {
            std::cout << verdict(split(line)) << std::endl;
        } catch (const std::exception &e) {
            std::cout << "oracle failed: " << e.what() << std::endl;
        }
    }
    return 0;
}
