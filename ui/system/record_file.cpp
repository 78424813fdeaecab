#include "ui/system/record_file.h"

#include "ui/system/kept_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStringList>

namespace tobarin {

namespace {

// Far more than a record of every unit and tag; a longer file is not one.
constexpr std::size_t MostRecordBytes = 1 << 20;

// How long a change waits for another program that holds the lock.
constexpr int LockWaitMs = 10000;

const QString OldRecordKey = QStringLiteral("practice/record");

std::string bytesOf(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

std::string_view lockError(QLockFile::LockError error)
{
    switch (error) {
    case QLockFile::LockFailedError:
        return Locked.english;
    case QLockFile::PermissionError:
        return NoLockHere.english;
    case QLockFile::NoError:
    case QLockFile::UnknownError:
        break;
    }
    return NoLock.english;
}

}  // namespace

RecordFile::RecordFile()
{
    const QString settings
        = QSettings(QStringLiteral("Tobarin"), QStringLiteral("Tobarin")).fileName();
    m_settings = bytesOf(settings);
    m_path = bytesOf(QFileInfo(settings).dir().filePath(QStringLiteral("practice-record.txt")));
}

RecordFile::Kept RecordFile::read() const
{
    const ReadFile file = readWhole(m_path, MostRecordBytes);
    if (!file.error.empty()) {
        return {{}, file.error};
    }
    if (file.exists) {
        return {practice::Record::fromText(file.text), {}};
    }
    // Not written yet: the record of an earlier version, if its settings hold
    // one. Settings that cannot be read may hold one too, which a new file
    // would hide: nothing is kept then.
    const ReadFile settings = readWhole(m_settings, MostRecordBytes);
    if (!settings.error.empty()) {
        return {{}, settings.error};
    }
    if (!settings.exists) {
        return {};
    }
    // A value with a comma is read as a list: its parts joined again.
    const QStringList old = QSettings(QStringLiteral("Tobarin"), QStringLiteral("Tobarin"))
                                .value(OldRecordKey)
                                .toStringList();
    return {practice::Record::fromText(old.join(QStringLiteral(", ")).toStdString()), {}};
}

std::string RecordFile::change(const std::function<void(practice::Record &)> &change) const
{
    const QString path = QFile::decodeName(QByteArray::fromStdString(m_path));
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        return cannotWrite(m_path, NoFolder.english);
    }
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(LockWaitMs)) {
        return cannotWrite(m_path, lockError(lock.error()));
    }
    Kept kept = read();
    if (!kept.error.empty()) {
        return kept.error;
    }
    change(kept.record);
    return writeWhole(m_path, kept.record.text());
}

}  // namespace tobarin
