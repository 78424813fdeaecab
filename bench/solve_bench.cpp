// How long a problem takes to read, solve and write as --calc --steps writes
// it, in the engine alone: problems of two numbers (the window's route) and of
// several terms, up to eight numbers with parentheses and powers. Each figure
// is the median of ROUNDS rounds (7 unless given as the first argument) of
// 10,000 problems, with the fastest and the slowest. Run by hand on a quiet
// machine: bench/README.md.

#include "engine/problem/problem.h"
#include "engine/solve.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int Problems = 10000;

// The working's text, added up, so that no problem can be left unsolved.
std::size_t g_characters = 0;

void solveAll(const char *text)
{
    for (int i = 0; i < Problems; ++i) {
        const tobarin::Problem problem = tobarin::readProblem(text).value.value();
        const tobarin::Solution solution = tobarin::solve(problem, tobarin::AnswerForm::Mixed);
        g_characters += tobarin::workingText(solution.working).size();
    }
}

}  // namespace

int main(int argc, char **argv)
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::printf("10,000 problems read, solved and written with their working, %d rounds\n", rounds);
    for (const char *text : {"1 2/3 + 3/4", "(1/2 + 1/3) ÷ (1/4 - 1/6)",
             "-3² + (2/3 - 1/2)² × 18 - (1 1/2 + 0.25) ÷ (-2)³ × 4/7"}) {
        std::vector<double> times;
        for (int round = 0; round < rounds; ++round) {
            const auto start = std::chrono::steady_clock::now();
            solveAll(text);
            const std::chrono::duration<double, std::micro> took
                = std::chrono::steady_clock::now() - start;
            times.push_back(took.count() / Problems);
        }
        std::sort(times.begin(), times.end());
        std::printf("%s\n  median %7.2f µs a problem  (min %7.2f, max %7.2f)\n", text,
            times[times.size() / 2], times.front(), times.back());
    }
    return g_characters == 0 ? 1 : 0;
}
