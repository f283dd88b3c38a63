// Fuzzes the SGF and PSQ readers: every input is refused with a message or read into a record that
// passes its checks, and a record read from SGF comes back unchanged through the writer.
#include "storage/RecordFile.h"
#include "storage/StorageError.h"

#include <cstdlib>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first byte picks the format, so both readers see every kind of text.
    if (size == 0) {
        return 0;
    }
    const TRecordFormat format = data[0] % 2 == 0 ? TRecordFormat::Sgf : TRecordFormat::Psq;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    TGameRecord record;
    try {
        record = ParseGameRecord(text, format);
    } catch (const EStorageError& e) {
        Require(!e.Text().isEmpty());
        return 0;
    }
    Require(record.Size == SmallBoardSize || record.Size == LargeBoardSize);
    // PSQ names may read as moves or numbers when written back, so only SGF must come back whole.
    if (format == TRecordFormat::Sgf) {
        Require(ParseGameRecord(EncodeGameRecord(record, format), format) == record);
    }
    return 0;
}
