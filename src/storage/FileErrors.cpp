// File error texts, the same on every platform whatever the system says, and the reading and
// saving that report them.
#include "storage/FileErrors.h"

#include "storage/StorageError.h"

#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>

QString IoErrorText(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
        return QStringLiteral("File not found");
    case ENOTDIR:
        return QStringLiteral("Path not found");
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY:
        return QStringLiteral("File access denied");
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return QStringLiteral("Disk full");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Too many open files");
    default:
        return QStringLiteral("I/O error %1").arg(errorNumber);
    }
}

int OpenErrorNumber(int errnoAfter, const QString& path) {
    if (errnoAfter != 0) {
        return errnoAfter;
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        return ENOENT;
    }
    return info.isDir() ? EISDIR : EACCES;
}

int TransferErrorNumber(int errnoAfter) {
    return errnoAfter != 0 ? errnoAfter : EIO;
}

[[noreturn]] void ThrowFileError(int errorNumber) {
    throw EStorageError(IoErrorText(errorNumber));
}

namespace {

void RefuseAllButRegularFiles(const QString& path) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        ThrowFileError(EACCES);
    }
}

} // namespace

void OpenRegularFileToRead(QFile& file) {
    RefuseAllButRegularFiles(file.fileName());
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        ThrowFileError(OpenErrorNumber(errno, file.fileName()));
    }
}

void SaveWholeFile(const QString& path, const char* data, qint64 size) {
    RefuseAllButRegularFiles(path);
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        ThrowFileError(OpenErrorNumber(errno, path));
    }
    // QSaveFile takes a short write (a full disk, a file size limit) for success and would commit
    // the truncated file, so the count is checked here and the write abandoned.
    errno = 0;
    const qint64 written = file.write(data, size);
    const int writeErrno = errno;
    if (written != size) {
        file.cancelWriting(); // the temporary file goes with the object
        ThrowFileError(TransferErrorNumber(writeErrno));
    }
    errno = 0;
    if (!file.commit()) {
        ThrowFileError(TransferErrorNumber(errno));
    }
}
