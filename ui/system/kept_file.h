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

// Why a file could not be written or read, in the English of the command
// line's messages and the Japanese of the windows'.
struct FileReason {
    std::string_view english;
    std::string_view japanese;
};
inline constexpr FileReason LinkLoop {
    "it is a loop of symbolic links", "シンボリックリンクが輪になっています。"};
inline constexpr FileReason NotAFolder {
    "it is a folder, not a file", "ファイルではなく、フォルダーです。"};
inline constexpr FileReason NotAFifo {
    "it is a FIFO (a named pipe), not a file", "ファイルではなく、名前付きパイプです。"};
inline constexpr FileReason NotADevice {
    "it is a device, not a file", "ファイルではなく、装置です。"};
inline constexpr FileReason NotASocket {
    "it is a socket, not a file", "ファイルではなく、ソケットです。"};
inline constexpr FileReason NotRegular {
    "it is not a regular file", "ふつうのファイルではありません。"};
inline constexpr FileReason TooLarge {
    "it is larger than the program ever writes it", "このプログラムが書くより大きなファイルです。"};
inline constexpr FileReason NoFolder {
    "its folder cannot be made", "入れるフォルダーを作れません。"};
inline constexpr FileReason Locked {
    "another program kept the record locked", "ほかのプログラムが記録を使ったままです。"};
inline constexpr FileReason NoLockHere {
    "its lock file cannot be made there", "そこに鍵のファイルを作れません。"};
inline constexpr FileReason NoLock {
    "its lock file could not be made", "鍵のファイルを作れませんでした。"};

// "cannot write 'PATH': REASON" and "cannot read 'PATH': REASON", as the
// functions above give them.
[[nodiscard]] std::string cannotWrite(const std::string &path, std::string_view reason);
[[nodiscard]] std::string cannotRead(const std::string &path, std::string_view reason);

// Such a message in Japanese, for the windows: 「PATH」に書きこめません。 or
// 「PATH」を読めません。 and its reason, a reason of the system's (errno's)
// too. A message or reason it does not know is given as it is.
[[nodiscard]] std::string inJapanese(std::string_view message);

}  // namespace tobarin
