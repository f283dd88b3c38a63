// File error texts, the same on every platform whatever the system says.
#include "storage/FileErrors.h"

#include <QFileInfo>
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
