#include "web/exports/practice_json.h"

#include "engine/practice/sheet.h"
#include "engine/solve.h"
#include "engine/working/textbook.h"

#include "web/exports/working_json.h"

namespace tobarin::web {

namespace {

std::string boolean(bool value)
{
    return value ? "true" : "false";
}

std::string_view outcomeName(practice::Round::Outcome outcome)
{
    switch (outcome) {
    case practice::Round::Outcome::Right:
        return "right";
    case practice::Round::Outcome::TryAgain:
        return "tryAgain";
    case practice::Round::Outcome::Missed:
        return "missed";
    case practice::Round::Outcome::NotRead:
        break;
    }
    return "notRead";
}

std::string unitsJson()
{
    std::string json = "[";
    for (const practice::UnitInfo &unit : practice::units()) {
        json += (json.size() > 1 ? "," : "") + std::string("{\"id\":") + jsonString(unit.id)
            + ",\"title\":" + jsonString(unit.title) + "}";
    }
    return json + "]";
}

// Whether the record holds anything of the unit, streaks of 0 too: the
// record's text has a line for each unit and tag it has seen.
bool practised(const std::string &recordText, std::string_view unit)
{
    const std::string line = std::string(unit) + " ";
    return recordText.starts_with(line) || recordText.find("\n" + line) != std::string::npos;
}

}  // namespace

std::string practiceSetJson(const practice::Round &round)
{
    const practice::PracticeSet &set = round.set();
    std::string json = R"({"kind":"set","code":)" + jsonString(practice::setCodeText(set.code))
        + ",\"unit\":" + jsonString(practice::unitInfo(set.code.unit).id)
        + ",\"title\":" + jsonString(practice::setTitle(set.code)) + ",\"instruction\":"
        + jsonString(practice::sheetInstruction(set.code.unit)) + ",\"problems\":[";
    const AnswerForm form = practice::unitInfo(set.code.unit).answerForm;
    for (std::size_t i = 0; i < set.problems.size(); ++i) {
        const practice::Prompt prompt = round.prompt(i);
        const Solution solution = solve(set.problems[i].problem, form);
        const std::optional<WrittenNumber> &answer = solution.answer;
        json += (i > 0 ? "," : "") + std::string("{\"expression\":")
            + jsonString(set.problems[i].expression)
            + ",\"line\":" + expressionJson(set.problems[i].problem.expression) + ",\"number\":"
            + jsonString(prompt.number) + ",\"progress\":" + jsonString(prompt.progress)
            + ",\"problem\":" + jsonString(prompt.problem)
            + ",\"asked\":" + jsonString(round.asked(i)) + ",\"answerLine\":"
            + jsonString(practice::answerLineHint(set.problems[i].problem)) + ",\"key\":"
            + jsonString(answer ? practice::keyText(set.code.unit, *answer) : answerText(solution))
            + (solution.answers.empty()
                    ? std::string()
                    : ",\"keyLine\":" + expressionJson(solution.working.steps.back().expression))
            + "}";
    }
    return json + "]}";
}

std::string refusedJson(std::string_view message)
{
    return R"({"kind":"refused","message":)" + jsonString(message) + ",\"unitsHeading\":"
        + jsonString(practice::UnitsHeading) + ",\"units\":" + unitsJson() + "}";
}

std::string answeredJson(const practice::Round &round, const practice::Round::Answered &answered,
    std::int64_t elapsed, int number)
{
    const std::size_t problem = answered.problem;
    const bool missed = answered.outcome == practice::Round::Outcome::Missed;
    std::string json = R"({"kind":"answered","problem":)" + std::to_string(problem)
        + ",\"outcome\":" + jsonString(outcomeName(answered.outcome))
        + ",\"category\":" + std::to_string(static_cast<int>(categoryOf(answered.check.verdict)))
        + ",\"verdict\":" + jsonString(answered.verdict) + ",\"then\":" + jsonString(answered.then)
        + ",\"working\":" + (missed ? workingJson(answered.working) : "null")
        + ",\"finished\":" + boolean(round.finished()) + ",\"result\":";
    if (round.answered() > problem) {
        const practice::Round::Result result = round.results().at(problem);
        json += result == practice::Round::Result::First ? "\"first\""
            : result == practice::Round::Result::Second  ? "\"second\""
                                                         : "\"missed\"";
    } else {
        json += "null";
    }
    if (round.finished()) {
        json += ",\"score\":" + jsonString(round.score())
            + ",\"time\":" + jsonString(practice::timeTakenText(elapsed))
            + ",\"resultCode\":" + jsonString(round.resultCode(number, elapsed))
            + ",\"missedHeading\":" + jsonString(round.missedHeading()) + ",\"missed\":[";
        bool first = true;
        for (const std::size_t index : round.missed()) {
            json += first ? "" : ",";
            first = false;
            json += "{\"problem\":" + std::to_string(index)
                + ",\"number\":" + jsonString(round.prompt(index).number)
                + ",\"working\":" + workingJson(round.workingOf(index)) + "}";
        }
        json += "]";
    }
    return json + "}";
}

std::string recordJson(const practice::Record &record)
{
    const std::string text = record.text();
    std::string json = R"({"kind":"record","units":[)";
    bool firstUnit = true;
    for (const practice::UnitInfo &unit : practice::units()) {
        if (!practised(text, unit.id)) {
            continue;
        }
        json += (firstUnit ? "{\"id\":" : ",{\"id\":") + jsonString(unit.id)
            + ",\"title\":" + jsonString(unit.title) + ",\"rows\":[";
        firstUnit = false;
        bool firstRow = true;
        for (const practice::Record::Row &row : record.table(unit.unit)) {
            json += (firstRow ? "{\"tag\":" : ",{\"tag\":") + jsonString(practice::tagName(row.tag))
                + ",\"streak\":" + std::to_string(row.streak)
                + ",\"mastered\":" + boolean(record.mastered(unit.unit, row.tag)) + "}";
            firstRow = false;
        }
        json += "]}";
    }
    return json + "]}";
}

}  // namespace tobarin::web
