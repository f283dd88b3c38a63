// Reading and writing the saved-game file, with the system's errors in the user's words.
#include "storage/SavedGameFile.h"

#include "storage/FileErrors.h"
#include "storage/StorageError.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {

// Reads up to bytes.size() bytes; fewer only at the end of the file.
qint64 ReadFully(QFile& file, TSavedGameBytes& bytes) {
    qint64 total = 0;
    const auto wanted = static_cast<qint64>(bytes.size());
    while (total < wanted) {
        errno = 0;
        const qint64 n = file.read(reinterpret_cast<char*>(bytes.data()) + total, wanted - total);
        if (n < 0) {
            ThrowFileError(TransferErrorNumber(errno));
        }
        if (n == 0) {
            break;
        }
        total += n;
    }
    return total;
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
    QFile file(path);
    OpenRegularFileToRead(file);
    TSavedGameBytes bytes{};
    const qint64 got = ReadFully(file, bytes);
    return ParseSavedGame(std::span(bytes.data(), static_cast<std::size_t>(got)));
}

void WriteSavedGame(const QString& path, const TSavedGame& saved) {
    const TSavedGameBytes bytes = EncodeSavedGame(saved);
    SaveWholeFile(path, reinterpret_cast<const char*>(bytes.data()),
                  static_cast<qint64>(bytes.size()));
}
