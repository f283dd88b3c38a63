// The user's wording of file errors, from the system's error numbers.
#pragma once

#include <QFile>
#include <QString>

// "File not found", "File access denied", "Disk full"... and "I/O error N" for the rest.
QString IoErrorText(int errorNumber);

// The error number of a failed open of path, given errno as it stood right after the failure.
// Qt leaves errno at 0 for some refusals of its own (a folder opened as a file); those are told
// from what stands at path.
int OpenErrorNumber(int errnoAfter, const QString& path);

// The error number of a failed read or write, given errno right after it.
int TransferErrorNumber(int errnoAfter);

// Throws EStorageError with the user's wording of errorNumber.
[[noreturn]] void ThrowFileError(int errorNumber);

// Both throw EStorageError in the user's words. Only a regular file (or a link to one) is opened:
// a pipe waits for a writer and a device may never end.
void OpenRegularFileToRead(QFile& file);
// Writes the whole of data to path through a temporary file that replaces it only when complete,
// so a failed save leaves the old file as it was.
void SaveWholeFile(const QString& path, const char* data, qint64 size);
