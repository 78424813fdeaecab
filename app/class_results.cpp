#include "app/class_results.h"

#include "engine/results/class_results.h"
#include "ui/system/kept_file.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace tobarin {

namespace {

// Far more codes than a school has pupils; a device that never ends
// (/dev/zero) stops here.
constexpr std::size_t MostBytes = std::size_t {64} << 20U;

struct Input {
    std::string text;
    std::string error;  // why it cannot be read, without the name
};

// Everything a stream gives: a file, a pipe or a terminal alike.
Input readStream(std::FILE *stream)
{
    Input input;
    std::array<char, 8192> buffer {};
    std::size_t length = 0;
    while (input.text.size() <= MostBytes
        && (length = std::fread(buffer.data(), 1, buffer.size(), stream)) > 0) {
        input.text.append(buffer.data(), length);
    }
    if (std::ferror(stream) != 0) {
        input.error = std::strerror(errno);
    } else if (input.text.size() > MostBytes) {
        input.error = "it is larger than a file of codes can be";
    }
    return input;
}

// A file named by the bytes given, or what stands in its place (a pipe, as
// the shell's <(…) gives one); a folder is refused by name.
Input readFile(const std::string &path)
{
    std::FILE *file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return {{}, std::strerror(errno)};
    }
    struct stat status { };
    if (::fstat(::fileno(file), &status) == 0 && S_ISDIR(status.st_mode)) {
        std::fclose(file);
        return {{}, "it is a folder, not a file"};
    }
    Input input = readStream(file);
    std::fclose(file);
    return input;
}

}  // namespace

ClassResultsRun classResultsRun(const std::string &path, bool csv)
{
    const bool standardInput = path == "-";
    const Input input = standardInput ? readStream(stdin) : readFile(path);
    if (!input.error.empty()) {
        const std::string name = standardInput ? "standard input" : "'" + shownPath(path) + "'";
        return {2, {}, {"tobarin: cannot read " + name + ": " + input.error}};
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
