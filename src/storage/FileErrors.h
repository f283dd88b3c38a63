// The user's wording of file errors, from the system's error numbers.
#pragma once

#include <QString>

// "File not found", "File access denied", "Disk full"... and "I/O error N" for the rest.
QString IoErrorText(int errorNumber);

// The error number of a failed open of path, given errno as it stood right after the failure.
// Qt leaves errno at 0 for some refusals of its own (a folder opened as a file); those are told
// from what stands at path.
int OpenErrorNumber(int errnoAfter, const QString& path);

// The error number of a failed read or write, given errno right after it.
int TransferErrorNumber(int errnoAfter);
