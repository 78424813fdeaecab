#pragma once

#include "engine/practice/generator.h"
#include "engine/practice/round.h"
#include "engine/working/textbook.h"

#include <cstddef>
#include <cstdio>
#include <functional>
#include <optional>

namespace tobarin {

// A practice set answered on the command line: each problem written as a
// line, an answer read from `in` for it and checked; a wrong answer may be
// tried once more, a second miss is shown its working. At the end (or at the
// end of input) the problems missed with their working, the result code
// ("結果コード: r1:...", with `number`, the 出席番号 or 0 for none), then the
// last line, the score, "N問中M問正解（1回目でF問）", and the time taken, from
// the first problem shown to the last answer. Each problem's result is handed
// to `noted` (its index in the set) as soon as it is known, for the record.
// An answer line is read whole, a NUL byte or another control character in
// it too, and the reader refuses such a character by name.
// `method`: as --method chose it, or nothing for the unit's own
// (practice::workingMethod). Returns the exit status, 0.
using NoteResult = std::function<void(std::size_t problem, practice::Round::Result result)>;
int practiseRound(const practice::PracticeSet &set, std::optional<Method> method, int number,
    std::FILE *in, std::FILE *out, const NoteResult &noted);

}  // namespace tobarin
