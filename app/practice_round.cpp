#include "app/practice_round.h"

#include "engine/practice/conversion_sets.h"
#include "engine/practice/round.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace tobarin {

namespace {

void write(std::FILE *out, std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), out);
}

// A line of input without its line end, or nothing at the end of input.
// Read a byte at a time, so that a NUL byte stays in the line (and is
// refused there) instead of ending it.
std::optional<std::string> readLine(std::FILE *in)
{
    std::string line;
    for (int c = std::getc(in); c != EOF; c = std::getc(in)) {
        if (c == '\n') {
            if (line.ends_with('\r')) {
                line.pop_back();
            }
            return line;
        }
        line += static_cast<char>(c);
    }
    return line.empty() ? std::nullopt : std::optional<std::string>(line);
}

}  // namespace

int practiseRound(const practice::PracticeSet &set, std::optional<Method> method, int number,
    std::FILE *in, std::FILE *out, const NoteResult &noted)
{
    practice::Round round(set, method);
    const std::string_view formWanted = practice::formWanted(set.code.unit);
    write(out,
        "# " + practice::setCodeText(set.code) + "\n" + practice::setTitle(set.code) + "\n"
            + (formWanted.empty() ? "" : std::string(formWanted) + "\n"));
    const auto started = std::chrono::steady_clock::now();
    std::chrono::milliseconds taken {0};  // to the last answer
    while (!round.finished()) {
        // A conversion's own instruction: 「帯分数に直しましょう。」...
        if (const std::string_view instruction = practice::instructionLine(round.current().problem);
            !instruction.empty()) {
            write(out, std::string(instruction) + "\n");
        }
        write(out, round.prompt(round.position()).line() + " ");
        std::fflush(out);
        const std::optional<std::string> line = readLine(in);
        if (!line) {
            write(out, "\n");
            break;
        }
        const std::size_t position = round.position();
        const practice::Round::Answered answered = round.answer(std::string_view(*line));
        if (answered.outcome == practice::Round::Outcome::NotRead) {
            write(out, answered.check.text + "\n");
            continue;
        }
        taken = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - started);
        write(out, answered.check.text + "\n");
        if (round.answered() > position) {
            noted(position, round.results().back());
        }
        if (!answered.then.empty()) {
            write(out, std::string(answered.then) + "\n");
        }
        if (answered.outcome == practice::Round::Outcome::Missed) {
            write(out,
                std::string(practice::WorkingHeading) + ":\n"
                    + workingText(answered.working, false));
        }
    }
    const std::vector<std::size_t> missed = round.missed();
    if (!missed.empty()) {
        write(out, std::string(practice::MissedHeading) + ":\n");
        for (const std::size_t index : missed) {
            write(
                out, round.prompt(index).number + " " + workingText(round.workingOf(index), false));
        }
    }
    write(out,
        std::string(practice::ResultCodeCaption) + ": " + round.resultCode(number, taken.count())
            + "\n");
    write(out, round.score() + "　" + practice::timeTakenText(taken.count()) + "\n");
    return 0;
}

}  // namespace tobarin
