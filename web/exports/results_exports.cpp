// The entry points of the class's results (クラスの結果), the page's third
// engine module (tobarin-results.wasm), which the page loads only when the
// view #results is opened. The codes are read and ranked here, by the same
// engine as the command line's and the desktop's; the page only draws the
// JSON it is given. Each entry catches every exception: nothing thrown may
// cross into JavaScript.

#include "engine/results/class_results.h"

#include <cstddef>
#include <emscripten/emscripten.h>
#include <string>

#include "web/exports/working_json.h"

namespace {

using namespace tobarin;
using web::jsonString;

// The text of codes the page writes in, and the JSON it reads back.
std::string &input()
{
    static std::string text;
    return text;
}
std::string &output()
{
    static std::string json;
    return json;
}

std::string marksJson(const std::vector<results::Mark> &marks)
{
    std::string json = "[";
    for (const results::Mark mark : marks) {
        json += (json.size() > 1 ? "," : "") + jsonString(results::markText(mark));
    }
    return json + "]";
}

std::string tableJson(const results::SetTable &table)
{
    std::string json = "{\"code\":" + jsonString(table.setCode)
        + ",\"title\":" + jsonString(table.title)
        + ",\"problems\":" + std::to_string(table.problemCount) + ",\"pupils\":[";
    for (std::size_t i = 0; i < table.pupils.size(); ++i) {
        const results::PupilRow &row = table.pupils[i];
        json += std::string(i > 0 ? "," : "") + "{\"number\":" + jsonString(row.number)
            + ",\"right\":" + std::to_string(row.right)
            + ",\"firstTry\":" + std::to_string(row.firstTry) + ",\"time\":" + jsonString(row.time)
            + ",\"marks\":" + marksJson(row.marks) + "}";
    }
    json += "],\"rates\":[";
    for (std::size_t i = 0; i < table.rates.size(); ++i) {
        json += (i > 0 ? "," : "") + jsonString(table.rates[i]);
    }
    json += "],\"mistakes\":[";
    for (std::size_t i = 0; i < table.mistakes.size(); ++i) {
        const results::MistakeLine &line = table.mistakes[i];
        json += std::string(i > 0 ? "," : "") + "{\"words\":" + jsonString(line.words)
            + ",\"pupils\":" + std::to_string(line.pupils) + ",\"problems\":"
            + jsonString(line.problems) + ",\"text\":" + jsonString(line.text) + "}";
    }
    return json + "]}";
}

// {"sets": [TABLE...], "notes": [{"line": 3, "skipped": true, "text":
//  "3行目: ..."}...], "csv": the CSV file's text, its byte-order mark first}
std::string resultsJson(const results::ClassResults &read)
{
    std::string json = "{\"sets\":[";
    bool first = true;
    for (const results::SetTable &table : results::classTables(read)) {
        json += (first ? "" : ",") + tableJson(table);
        first = false;
    }
    json += "],\"notes\":[";
    for (std::size_t i = 0; i < read.notes.size(); ++i) {
        const results::LineNote &note = read.notes[i];
        json += std::string(i > 0 ? "," : "") + "{\"line\":" + std::to_string(note.line)
            + ",\"skipped\":" + (note.skipped ? "true" : "false")
            + ",\"text\":" + jsonString(results::lineNoteText(note)) + "}";
    }
    return json + "],\"csv\":" + jsonString(results::classResultsCsv(read)) + "}";
}

}  // namespace

extern "C" {

// Room for `length` bytes of UTF-8 codes, for the page to write into; null
// when there is no memory for them.
EMSCRIPTEN_KEEPALIVE char *tobarin_results_input(std::size_t length)
{
    try {
        input().assign(length, '\0');
        return input().data();
    } catch (...) {
        return nullptr;
    }
}

// Reads the codes written in, and gives the length in bytes of the JSON
// above, at tobarin_results_output(); 0 when it failed.
EMSCRIPTEN_KEEPALIVE std::size_t tobarin_results_read()
{
    try {
        output() = resultsJson(results::readClassResults(input()));
        return output().size();
    } catch (...) {
        output().clear();
        return 0;
    }
}

EMSCRIPTEN_KEEPALIVE const char *tobarin_results_output()
{
    return output().data();
}
}
