#include "app/practice_round.h"

#include "engine/number/written_number.h"
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

std::string problemLine(const practice::Round &round, std::size_t index)
{
    return "(" + std::to_string(index + 1) + ") " + round.set().problems.at(index).expression
        + " =";
}

// "1分05秒", "42秒".
std::string durationText(std::chrono::steady_clock::duration elapsed)
{
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(elapsed).count();
    const std::string rest = std::to_string(seconds % 60);
    return seconds < 60
        ? rest + "秒"
        : std::to_string(seconds / 60) + "分" + (rest.size() < 2 ? "0" : "") + rest + "秒";
}

}  // namespace

int practiseRound(const practice::PracticeSet &set, Method method, std::FILE *in, std::FILE *out,
    const NoteResult &noted)
{
    practice::Round round(set, method);
    const practice::UnitInfo &unit = practice::unitInfo(set.code.unit);
    write(out,
        "# " + practice::setCodeText(set.code) + "\n" + std::string(unit.title) + "（レベル"
            + std::to_string(set.code.level) + "）\n" + std::string(practice::formWanted(unit.unit))
            + "\n");
    const auto started = std::chrono::steady_clock::now();
    while (!round.finished()) {
        write(out, problemLine(round, round.position()) + " ");
        std::fflush(out);
        const std::optional<std::string> line = readLine(in);
        if (!line) {
            write(out, "\n");
            break;
        }
        const Parsed<WrittenNumber> typed = readNumber(*line);
        if (!typed.value) {
            write(out, typed.error + "\n");
            continue;
        }
        const std::size_t position = round.position();
        const practice::Round::Answered answered = round.answer(*typed.value);
        write(out, answered.check.text + "\n");
        if (round.answered() > position) {
            noted(position, round.results().back());
        }
        if (answered.outcome == practice::Round::Outcome::TryAgain) {
            write(out, "もう一度やってみましょう。\n");
        } else if (answered.outcome == practice::Round::Outcome::Missed) {
            write(out, "途中式:\n" + workingText(answered.working, false));
        }
    }
    const std::vector<std::size_t> missed = round.missed();
    if (!missed.empty()) {
        write(out, "まちがえた問題:\n");
        for (const std::size_t index : missed) {
            write(out,
                "(" + std::to_string(index + 1) + ") "
                    + workingText(round.workingOf(index), false));
        }
    }
    write(out,
        practice::scoreText(round.answered(), round.right()) + "（"
            + durationText(std::chrono::steady_clock::now() - started) + "）\n");
    return 0;
}

}  // namespace tobarin
