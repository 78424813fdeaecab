#pragma once

#include "engine/practice/generator.h"
#include "engine/practice/round.h"
#include "engine/working/textbook.h"

#include <cstdio>

namespace tobarin {

// A practice set answered on the command line: each problem written as a
// line, an answer read from `in` for it and checked; a wrong answer may be
// tried once more, a second miss is shown its working. At the end (or at the
// end of input) the problems missed with their working, then the last line,
// "N問中M問正解" and the time taken. Each result is noted in `record`.
// Returns the exit status, 0.
int practiseRound(const practice::PracticeSet &set, Method method, std::FILE *in, std::FILE *out,
    practice::Record &record);

}  // namespace tobarin
