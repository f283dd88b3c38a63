// Game records on disk, SGF or PSQ: a file is read whole, decoded, checked and replayed before
// the caller sees anything, and a save replaces the old file only once the new one is complete.
#pragma once

#include "storage/GameRecord.h"

#include <QString>
#include <string>
#include <string_view>

enum class TRecordFormat { Sgf, Psq };

// The extensions of the two formats, without the dot.
inline constexpr char SgfExtension[] = "sgf";
inline constexpr char PsqExtension[] = "psq";

// The format of a file: by its extension (.sgf or .psq, in any case), otherwise by its text, SGF
// beginning with '(' after any white space.
TRecordFormat RecordFormatOf(const QString& path, std::string_view text);

// The record as the file's text.
std::string EncodeGameRecord(const TGameRecord& record, TRecordFormat format);

// Decodes text (a leading UTF-8 byte order mark allowed), then CheckGameRecord, then
// ReplayGameRecord: a record comes back only when all three pass. Raises EStorageError with the
// first complaint.
TGameRecord ParseGameRecord(std::string_view text, TRecordFormat format);

// The file a name typed for saving stands for: one without an extension gets the format's.
QString RecordPathToWrite(const QString& typed, TRecordFormat format);

// Reads the record at path, opened for reading only, and parses it in the format RecordFormatOf
// gives. Raises EStorageError with the file error ("File not found", "File access denied", ...),
// "The file is too large for a game record (over 1 MB)", or the complaint of ParseGameRecord. A
// folder, a pipe or a device is "File access denied".
TGameRecord ReadGameRecord(const QString& path);

// Writes the record to path in format through a temporary file that replaces the old one only when
// the whole text is on disk. Raises EStorageError with the file error; the old file is then
// unchanged.
void WriteGameRecord(const QString& path, const TGameRecord& record, TRecordFormat format);
