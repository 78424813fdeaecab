#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Files the program writes (worksheets, the practice record) and reads back,
// named by the exact bytes of their path, as given: a name that is not UTF-8
// is written under that very name. Plain POSIX, no Qt, so that the command
// line and the window use the same code.
namespace tobarin {

// Writes `data` to `path` whole or not at all: into a temporary file beside
// the file, flushed to the disk, then renamed into its place. A symbolic link
// at `path` is followed, and the file it leads to is written. An existing
// target that is not a regular file (a folder, a device, a FIFO, a socket, a
// loop of symbolic links) is refused and left as it is, and so is a file that
// may not be written. An existing file keeps its permissions. Gives "" when
// done, or why it was not: "cannot write 'PATH': REASON", the path shown as
// messages show what was given (engine/number/written_number.h).
[[nodiscard]] std::string writeWhole(const std::string &path, std::string_view data);

// The text of the regular file at `path` (links followed) and whether it is
// there. A missing file is no error; anything else that stops the reading is
// ("cannot read 'PATH': REASON"), and so is a file longer than `most` bytes.
struct ReadFile {
    bool exists = false;
    std::string text;
    std::string error;
};
[[nodiscard]] ReadFile readWhole(const std::string &path, std::size_t most);

// A path as a message shows it: whole, its control characters and bytes that
// are not UTF-8 escaped.
[[nodiscard]] std::string shownPath(std::string_view path);

}  // namespace tobarin
