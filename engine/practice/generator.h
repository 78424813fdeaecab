#pragma once

#include "engine/practice/set_code.h"
#include "engine/practice/tags.h"
#include "engine/problem/problem.h"

#include <string>
#include <vector>

// Practice sets: the problems of a set code, built as a teacher chooses them.
//
// For each problem the generator first chooses the kind of problem the unit
// teaches (the operation and the operands' shapes, and what the problem is to
// show: for + − whether the denominators are multiples, coprime or share a
// factor, whether the result needs 約分, whether it carries or borrows; for ×
// ÷ whether it cancels, whether the quotient is whole; in 7-signed which
// operands are negative, and whether one is 0), then the denominators, then
// the numerators and integer parts that make it so. Each step takes one of the
// choices that can still be completed, every such choice equally likely. A
// problem, once chosen, is never changed.
//
// A set has no problem twice, and where it has enough problems it holds each
// tag its unit promises (promisedTags): while some are missing, the kind of
// the next problem is one that shows a missing tag. The problems are then put
// in a random order. All of it is drawn from one SplitMix64 stream seeded with
// the hash of the set's code, in 64-bit integer arithmetic only, so that the
// same code gives the same set on every machine and every build.
namespace tobarin::practice {

struct PracticeProblem {
    Problem problem;
    // The problem as one line: the working's problem line, which --calc reads
    // back as the same problem: "1 2/3 + 3/4", "1/2 - (-1/3)", "(-2/3) × (-3/4)".
    std::string expression;
    TagSet tags;  // tagsOf(problem)

    friend bool operator==(const PracticeProblem &, const PracticeProblem &) = default;
};

struct PracticeSet {
    SetCode code;
    std::vector<PracticeProblem> problems;  // code.count of them

    friend bool operator==(const PracticeSet &, const PracticeSet &) = default;
};

// The set of a code. Each problem keeps every rule of its unit and level
// (rules.h). Throws std::logic_error only for a defect of the generator (a
// kind of problem that no numbers of the level meet, a problem that would
// break a rule), which the tests rule out for every unit and level.
[[nodiscard]] PracticeSet practiceSet(const SetCode &code);

// The set as the command line lists it: "# " and the code, then one line a
// problem: its expression, a tab, its tags joined by commas. Every line ends
// with "\n".
[[nodiscard]] std::string listingText(const PracticeSet &set);

}  // namespace tobarin::practice
