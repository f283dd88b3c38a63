// Reading and writing the saved-game file, with the system's errors in the user's words.
#include "storage/SavedGameFile.h"

#include "storage/FileErrors.h"
#include "storage/StorageError.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

namespace {

[[noreturn]] void FileError(int errorNumber) {
    throw EStorageError(IoErrorText(errorNumber));
}

// Reads up to bytes.size() bytes; fewer only at the end of the file.
qint64 ReadFully(QFile& file, TSavedGameBytes& bytes) {
    qint64 total = 0;
    const auto wanted = static_cast<qint64>(bytes.size());
    while (total < wanted) {
        errno = 0;
        const qint64 n = file.read(reinterpret_cast<char*>(bytes.data()) + total, wanted - total);
        if (n < 0) {
            FileError(TransferErrorNumber(errno));
        }
        if (n == 0) {
            break;
        }
        total += n;
    }
    return total;
}

// Opening a pipe waits for a writer and a device may never end: only a regular file (or a link
// to one) is a saved game.
void RefuseAllButRegularFiles(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        FileError(EACCES);
    }
}

bool HasExtension(const QString& path) {
    return !QFileInfo(path).suffix().isEmpty();
}

} // namespace

QString SavedGamePathToRead(const QString& typed) {
    if (!HasExtension(typed)) {
        const QString extension = QLatin1String(SavedGameExtension);
        for (const QString& suffix : {extension, extension.toUpper()}) {
            if (QFileInfo::exists(typed + u'.' + suffix)) {
                return typed + u'.' + suffix;
            }
        }
    }
    return typed;
}

TSavedGame ReadSavedGame(const QString& path) {
    RefuseAllButRegularFiles(path);
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        FileError(OpenErrorNumber(errno, path));
    }
    TSavedGameBytes bytes{};
    const qint64 got = ReadFully(file, bytes);
    return ParseSavedGame(std::span(bytes.data(), static_cast<std::size_t>(got)));
}

void WriteSavedGame(const QString& path, const TSavedGame& saved) {
    RefuseAllButRegularFiles(path);
    const TSavedGameBytes bytes = EncodeSavedGame(saved);
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        FileError(OpenErrorNumber(errno, path));
    }
    // QSaveFile takes a short write (a full disk, a file size limit) for success and would commit
    // the truncated file, so the count is checked here and the write abandoned.
    errno = 0;
    const qint64 written =
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    const int writeErrno = errno;
    if (written != static_cast<qint64>(bytes.size())) {
        file.cancelWriting(); // the temporary file goes with the object
        FileError(TransferErrorNumber(writeErrno));
    }
    errno = 0;
    if (!file.commit()) {
        FileError(TransferErrorNumber(errno));
    }
}
