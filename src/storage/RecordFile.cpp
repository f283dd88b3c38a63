// Record files: the format chosen, the size bounded, the text handed to the codecs whole.
#include "storage/RecordFile.h"

#include "storage/FileErrors.h"
#include "storage/PsqRecord.h"
#include "storage/RecordReplay.h"
#include "storage/SgfRecord.h"
#include "storage/StorageError.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

[[noreturn]] void TooLarge() {
    RecordError("The file is too large for a game record (over " +
                std::to_string(MaxRecordFileBytes >> 20) + " MB)");
}

QString ExtensionOf(TRecordFormat format) {
    return QLatin1String(format == TRecordFormat::Sgf ? SgfExtension : PsqExtension);
}

} // namespace

TRecordFormat RecordFormatOf(const QString& path, std::string_view text) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (TRecordFormat format : {TRecordFormat::Sgf, TRecordFormat::Psq}) {
        if (suffix == ExtensionOf(format)) {
            return format;
        }
    }
    if (text.starts_with(ByteOrderMark)) {
        text.remove_prefix(ByteOrderMark.size());
    }
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && text[first] == '(' ? TRecordFormat::Sgf
                                                                 : TRecordFormat::Psq;
}

std::string EncodeGameRecord(const TGameRecord& record, TRecordFormat format) {
    return format == TRecordFormat::Sgf ? EncodeSgf(record) : EncodePsq(record);
}

TGameRecord ParseGameRecord(std::string_view text, TRecordFormat format) {
    if (text.size() > MaxRecordFileBytes) {
        TooLarge();
    }
    if (text.starts_with(ByteOrderMark)) {
        text.remove_prefix(ByteOrderMark.size());
    }
    const TGameRecord record = format == TRecordFormat::Sgf ? DecodeSgf(text) : DecodePsq(text);
    CheckGameRecord(record);
    ReplayGameRecord(record);
    return record;
}

QString RecordPathToWrite(const QString& typed, TRecordFormat format) {
    return QFileInfo(typed).suffix().isEmpty() ? typed + u'.' + ExtensionOf(format) : typed;
}

TGameRecord ReadGameRecord(const QString& path) {
    QFile file(path);
    OpenRegularFileToRead(file);
    if (file.size() > static_cast<qint64>(MaxRecordFileBytes)) {
        TooLarge();
    }
    errno = 0;
    // One byte past the bound tells a file that grew since its size was asked.
    const QByteArray bytes = file.read(static_cast<qint64>(MaxRecordFileBytes) + 1);
    if (file.error() != QFileDevice::NoError) {
        ThrowFileError(TransferErrorNumber(errno));
    }
    const std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return ParseGameRecord(text, RecordFormatOf(path, text));
}

void WriteGameRecord(const QString& path, const TGameRecord& record, TRecordFormat format) {
    const std::string text = EncodeGameRecord(record, format);
    SaveWholeFile(path, text.data(), static_cast<qint64>(text.size()));
}
