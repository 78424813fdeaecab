#pragma once

#include <string>
#include <vector>

// The command line's --results FILE|- [--csv]: the class's results read from
// a file of result codes (engine/results/class_results.h).
namespace tobarin {

struct ClassResultsRun {
    // 0 every line was read, 1 a line was skipped, 2 the file cannot be read.
    int status = 0;
    std::string output;  // the tables as text, or CSV: for standard output
    std::vector<std::string> reports;  // "12行目: …", or why the file cannot be read
};

// `path` is used as the bytes given; "-" is standard input.
[[nodiscard]] ClassResultsRun classResultsRun(const std::string &path, bool csv);

}  // namespace tobarin
