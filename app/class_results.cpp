#include "app/class_results.h"

#include "engine/results/class_results.h"
#include "ui/kept_file.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace tobarin {

namespace {

// Far more codes than a school has pupils.
constexpr std::size_t MostBytes = std::size_t {64} << 20U;

struct Input {
    std::string text;
    std::string error;
};

Input readStandardInput()
{
    Input input;
    std::array<char, 8192> buffer {};
    std::size_t length = 0;
    while ((length = std::fread(buffer.data(), 1, buffer.size(), stdin)) > 0) {
        input.text.append(buffer.data(), length);
    }
    if (std::ferror(stdin) != 0) {
        input.error = std::string("cannot read standard input: ") + std::strerror(errno);
    }
    return input;
}

Input readFile(const std::string &path)
{
    ReadFile read = readWhole(path, MostBytes);
    if (!read.error.empty()) {
        return {{}, std::move(read.error)};
    }
    if (!read.exists) {
        return {{}, "cannot read '" + shownPath(path) + "': " + std::strerror(ENOENT)};
    }
    return {std::move(read.text), {}};
}

}  // namespace

ClassResultsRun classResultsRun(const std::string &path, bool csv)
{
    const Input input = path == "-" ? readStandardInput() : readFile(path);
    if (!input.error.empty()) {
        return {2, {}, {"tobarin: " + input.error}};
    }
    const results::ClassResults read = results::readClassResults(input.text);
    ClassResultsRun run;
    run.status = read.anySkipped() ? 1 : 0;
    run.output = csv ? results::classResultsCsv(read) : results::classResultsText(read);
    for (const results::LineNote &note : read.notes) {
        run.reports.push_back(results::lineNoteText(note));
    }
    return run;
}

}  // namespace tobarin
