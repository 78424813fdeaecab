// How long the practice generator takes for 10,000 sets of 10 problems at
// level 2: the units in turn, then each unit alone. Each figure is the median
// of ROUNDS rounds (7 unless given as the first argument), with the fastest
// and the slowest. Run by hand on a quiet machine: bench/README.md.

#include "engine/practice/generator.h"
#include "engine/practice/units.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>
#include <vector>

namespace {

using namespace tobarin::practice;

constexpr std::uint64_t Sets = 10000;

// The problems' text, added up, so that no set can be left unmade.
std::size_t g_characters = 0;

void makeSets(std::optional<Unit> unit)
{
    const std::size_t unitCount = units().size();
    for (std::uint64_t seed = 0; seed < Sets; ++seed) {
        const Unit made = unit ? *unit : units()[seed % unitCount].unit;
        const PracticeSet set = practiceSet({made, DefaultLevel, DefaultCount, seed});
        for (const PracticeProblem &problem : set.problems) {
            g_characters += problem.expression.size();
        }
    }
}

void report(const char *what, int rounds, const std::function<void()> &run)
{
    std::vector<double> times;
    for (int round = 0; round < rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double, std::milli> took
            = std::chrono::steady_clock::now() - start;
        times.push_back(took.count());
    }
    std::sort(times.begin(), times.end());
    std::printf("%-28s median %8.1f ms  (min %8.1f, max %8.1f)\n", what, times[times.size() / 2],
        times.front(), times.back());
}

}  // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::printf(
        "10,000 sets of %d problems at level %d, %d rounds\n", DefaultCount, DefaultLevel, rounds);
    report("the units in turn", rounds, [] { makeSets(std::nullopt); });
    for (const UnitInfo &info : units()) {
        const std::string name(info.id);
        report(name.c_str(), rounds, [&info] { makeSets(info.unit); });
    }
    return g_characters == 0 ? 1 : 0;
}
