#pragma once

#include "engine/practice/generator.h"
#include "engine/practice/random.h"
#include "engine/practice/shape.h"
#include "engine/practice/tags.h"

#include <cstdint>
#include <numeric>
#include <optional>
#include <set>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "form/definition.h"

// What the generators of practice sets share: the kinds of problem a teacher
// decides on before choosing any number, and the ways of choosing at random.
namespace tobarin::practice::making {

inline constexpr Operation Add = Operation::Add;
inline constexpr Operation Subtract = Operation::Subtract;
inline constexpr Operation Multiply = Operation::Multiply;
inline constexpr Operation Divide = Operation::Divide;
inline constexpr Shape Zero = Shape::Zero;
inline constexpr Shape Whole = Shape::Whole;
inline constexpr Shape Proper = Shape::Proper;
inline constexpr Shape Improper = Shape::Improper;
inline constexpr Shape Mixed = Shape::Mixed;

// How the denominators of two fractions stand to each other.
enum class Relation {
    Any,
    Same,
    Multiple,  // different, one divides the other
    Coprime,
    Shared,  // a common factor, neither divides the other
    Divides,  // the first divides the second (or equals it)
};

// A kind of problem: what a teacher decides before choosing any number.
struct Kind {
    Operation operation;
    Shape first;
    Shape second;
    int weight;  // how often it is chosen, against the unit's other kinds
    TagSet wanted;  // tags the problem is to show
    TagSet unwanted;  // tags it is not to show
    Relation relation = Relation::Any;  // of the denominators, where both operands have one
    bool firstNegative = false;
    bool secondNegative = false;
};

inline bool isSumOrDifference(Operation operation)
{
    return operation == Add || operation == Subtract;
}

inline bool relationHolds(Relation relation, std::int64_t d1, std::int64_t d2)
{
    if (d1 == 0 || d2 == 0) {
        return true;  // a whole number or 0 has no denominator to compare
    }
    const bool divides = d1 % d2 == 0 || d2 % d1 == 0;
    switch (relation) {
    case Relation::Any:
        return true;
    case Relation::Same:
        return d1 == d2;
    case Relation::Multiple:
        return d1 != d2 && divides;
    case Relation::Coprime:
        return std::gcd(d1, d2) == 1;
    case Relation::Shared:
        return !divides && std::gcd(d1, d2) != 1;
    case Relation::Divides:
        return d2 % d1 == 0;
    }
    return false;
}

// Shuffles a set's problems (Fisher–Yates), so that those chosen for the
// promised tags do not all stand first.
inline void shuffle(std::vector<PracticeProblem> &problems, Random &random)
{
    for (std::size_t left = problems.size(); left > 1; --left) {
        std::swap(problems[static_cast<std::size_t>(random.below(left))], problems[left - 1]);
    }
}

// Picks the choices in a random order, each of those left equally likely, and
// gives what attempt makes of the first one it accepts (a non-empty
// optional), or nothing when it accepts none. So a choice that cannot be
// completed is passed over, and among those that can each is equally likely.
template <typename Choice, typename Attempt>
std::invoke_result_t<Attempt &, const Choice &> firstAccepted(
    Random &random, std::vector<Choice> choices, Attempt &&attempt)
{
    for (std::size_t left = choices.size(); left > 0; --left) {
        const auto pick = static_cast<std::size_t>(random.below(left));
        std::swap(choices[pick], choices[left - 1]);
        if (auto made = attempt(choices[left - 1])) {
            return made;
        }
    }
    return {};
}

using Terms = std::pair<WrittenNumber, WrittenNumber>;

// The kind of the next problem: while the set still lacks a promised tag, a
// kind that shows one of the missing tags; then any kind of the unit.
inline const Kind &chooseKind(Random &random, const std::vector<Kind> &kinds, TagSet missing)
{
    std::vector<const Kind *> choices;
    for (const Kind &kind : kinds) {
        if (kind.wanted.hasAny(missing)) {
            choices.push_back(&kind);
        }
    }
    if (choices.empty()) {
        for (const Kind &kind : kinds) {
            choices.push_back(&kind);
        }
    }
    int total = 0;
    for (const Kind *kind : choices) {
        total += kind->weight;
    }
    auto draw = static_cast<int>(random.below(static_cast<std::uint64_t>(total)));
    for (const Kind *kind : choices) {
        if (draw < kind->weight) {
            return *kind;
        }
        draw -= kind->weight;
    }
    return *choices.back();
}

inline PracticeProblem practiceProblem(Operation operation, const Terms &terms)
{
    PracticeProblem made;
    made.problem = pairProblem(terms.first, operation, terms.second);
    made.expression = problemText(made.problem);
    made.tags = tagsOf(made.problem);
    return made;
}

// The sets of the first generator, p1, and of the one that chooses as a
// teacher does, p2 (engine/practice/textbook_sets.cpp).
[[nodiscard]] PracticeSet firstSet(const SetCode &code);
[[nodiscard]] PracticeSet textbookSet(const SetCode &code);

// The problems of the level-1 set of the same code, which a level-3 set does
// not give again; none for the other levels. make(code) makes a unit's set.
template <typename Make> std::set<std::string> easiestExpressions(const SetCode &code, Make &&make)
{
    std::set<std::string> seen;
    if (code.level == HighestLevel) {
        SetCode easiest = code;
        easiest.level = LowestLevel;
        for (const PracticeProblem &problem : make(easiest).problems) {
            seen.insert(problem.expression);
        }
    }
    return seen;
}

}  // namespace tobarin::practice::making
