#include "ui/system/kept_file.h"

#include "engine/number/written_number.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

namespace tobarin {

namespace {

// As many symbolic links as the system follows in one path.
constexpr int MostLinks = 40;

constexpr std::string_view WritePrefix = "cannot write '";
constexpr std::string_view ReadPrefix = "cannot read '";

std::string reasonOf(int error)
{
    return error == ELOOP ? std::string(LinkLoop.english) : std::strerror(error);
}

// Why a file of this kind is not one the program writes or reads.
std::string_view notAFile(mode_t mode)
{
    if (S_ISDIR(mode)) {
        return NotAFolder.english;
    }
    if (S_ISFIFO(mode)) {
        return NotAFifo.english;
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return NotADevice.english;
    }
    if (S_ISSOCK(mode)) {
        return NotASocket.english;
    }
    return NotRegular.english;
}

// The system's errors that a file of the program meets most, in Japanese.
struct SystemReason {
    int error;
    std::string_view japanese;
};
constexpr std::array<SystemReason, 9> SystemReasons {{
    {ENOENT, "そのフォルダーがありません。"},
    {EACCES, "使うことが許されていません。"},
    {EPERM, "使うことが許されていません。"},
    {ENOSPC, "ディスクに空きがありません。"},
    {EDQUOT, "使える容量をこえています。"},
    {EROFS, "書きこめないディスクです。"},
    {ENAMETOOLONG, "名前が長すぎます。"},
    {ENOTDIR, "とちゅうにフォルダーでないものがあります。"},
    {EIO, "ディスクの読み書きに失敗しました。"},
}};
constexpr std::array<FileReason, 11> OwnReasons {LinkLoop, NotAFolder, NotAFifo, NotADevice,
    NotASocket, NotRegular, TooLarge, NoFolder, Locked, NoLockHere, NoLock};

std::string reasonInJapanese(std::string_view reason)
{
    for (const FileReason &own : OwnReasons) {
        if (reason == own.english) {
            return std::string(own.japanese);
        }
    }
    for (const SystemReason &system : SystemReasons) {
        if (reason == std::strerror(system.error)) {
            return std::string(system.japanese);
        }
    }
    return std::string(reason);
}

// Where `path` leads once its symbolic links are followed: itself when it is
// no link, or the place the last link names, which may hold nothing yet. Or
// the error that stopped the following (ELOOP for a loop).
struct Target {
    std::string path;
    int error = 0;
};

Target followLinks(std::string path)
{
    for (int link = 0; link <= MostLinks; ++link) {
        struct stat status { };
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
            return {path, 0};
        }
        std::array<char, PATH_MAX> buffer {};
        const ssize_t length = ::readlink(path.c_str(), buffer.data(), buffer.size());
        if (length < 0 || static_cast<std::size_t>(length) == buffer.size()) {
            return {path, length < 0 ? errno : ENAMETOOLONG};
        }
        std::string next(buffer.data(), static_cast<std::size_t>(length));
        // A relative link is read from the folder the link stands in.
        const std::size_t slash = path.rfind('/');
        if (!next.starts_with('/') && slash != std::string::npos) {
            next.insert(0, path, 0, slash + 1);
        }
        path = std::move(next);
    }
    return {path, ELOOP};
}

// A name for a temporary file beside `path` that no other writer, in this
// process or another, takes at the same time (it is created exclusively).
std::string temporaryName(const std::string &path)
{
    static std::atomic<unsigned> count {0};
    return path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(count++);
}

// Writes all of `data`, or gives the error number that stopped it.
int writeAll(int file, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t written = ::write(file, data.data(), data.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

}  // namespace

std::string shownPath(std::string_view path)
{
    return echoed(path, std::string_view::npos);
}

std::string writeWhole(const std::string &path, std::string_view data)
{
    const auto refused = [&path](std::string_view reason) { return cannotWrite(path, reason); };
    const Target target = followLinks(path);
    if (target.error != 0) {
        return refused(reasonOf(target.error));
    }
    struct stat status { };
    const bool exists = ::stat(target.path.c_str(), &status) == 0;
    if (!exists && errno != ENOENT) {
        return refused(reasonOf(errno));
    }
    if (exists && !S_ISREG(status.st_mode)) {
        return refused(notAFile(status.st_mode));
    }
    if (exists && ::access(target.path.c_str(), W_OK) != 0) {
        return refused(reasonOf(errno));
    }

    std::string temporary;
    int file = -1;
    for (int attempt = 0; attempt < 100 && file < 0; ++attempt) {
        temporary = temporaryName(target.path);
        file = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (file < 0 && errno != EEXIST) {
            break;
        }
    }
    if (file < 0) {
        return refused(reasonOf(errno));
    }
    int error = writeAll(file, data);
    if (error == 0 && exists && ::fchmod(file, status.st_mode & 07777U) != 0) {
        error = errno;
    }
    // On the disk before it takes the file's place, so that a crash leaves
    // the old file or the new one, never an empty one.
    if (error == 0 && ::fsync(file) != 0) {
        error = errno;
    }
    if (::close(file) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.c_str(), target.path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.c_str());
        return refused(reasonOf(error));
    }
    return {};
}

ReadFile readWhole(const std::string &path, std::size_t most)
{
    ReadFile read;
    const auto refused = [&path, &read](std::string_view reason) {
        read.error = cannotRead(path, reason);
        return read;
    };
    const Target target = followLinks(path);
    if (target.error != 0) {
        return refused(reasonOf(target.error));
    }
    // Opened without waiting, should a FIFO have taken the file's place.
    const int file = ::open(target.path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (file < 0) {
        return errno == ENOENT ? read : refused(reasonOf(errno));
    }
    read.exists = true;
    struct stat status { };
    int error = ::fstat(file, &status) != 0 ? errno : 0;
    if (error == 0 && !S_ISREG(status.st_mode)) {
        ::close(file);
        return refused(notAFile(status.st_mode));
    }
    std::array<char, 8192> buffer {};
    while (error == 0 && read.text.size() <= most) {
        const ssize_t length = ::read(file, buffer.data(), buffer.size());
        if (length < 0 && errno != EINTR) {
            error = errno;
        } else if (length == 0) {
            break;
        } else if (length > 0) {
            read.text.append(buffer.data(), static_cast<std::size_t>(length));
        }
    }
    ::close(file);
    if (error != 0) {
        return refused(reasonOf(error));
    }
    if (read.text.size() > most) {
        return refused(TooLarge.english);
    }
    return read;
}

std::string cannotWrite(const std::string &path, std::string_view reason)
{
    return std::string(WritePrefix) + shownPath(path) + "': " + std::string(reason);
}

std::string cannotRead(const std::string &path, std::string_view reason)
{
    return std::string(ReadPrefix) + shownPath(path) + "': " + std::string(reason);
}

std::string inJapanese(std::string_view message)
{
    const bool writing = message.starts_with(WritePrefix);
    const std::size_t end = message.rfind("': ");
    if ((!writing && !message.starts_with(ReadPrefix)) || end == std::string_view::npos) {
        return std::string(message);
    }
    const std::size_t begin = (writing ? WritePrefix : ReadPrefix).size();
    return "「" + std::string(message.substr(begin, end - begin)) + "」"
        + (writing ? "に書きこめません。" : "を読めません。")
        + reasonInJapanese(message.substr(end + 3));
}

}  // namespace tobarin
