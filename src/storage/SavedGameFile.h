// Saved games on disk: the whole file is read and checked before anything of the game changes, and
// a save replaces the old file only once the new one is complete.
#pragma once

#include "storage/SavedGame.h"

#include <QString>

// The default extension of saved games, without the dot.
inline constexpr char SavedGameExtension[] = "rnr";

// The file a name typed for loading stands for: one without an extension finds name.rnr, else
// name.RNR; otherwise, and when neither exists, the name as typed.
QString SavedGamePathToRead(const QString& typed);

// Reads and checks the saved game at path, opened for reading only. Raises EStorageError with the
// file error ("File not found", "File access denied", ...), "Read beyond end of file" for a short
// file, or the complaint of CheckSavedGame. A folder, a pipe or a device is "File access denied",
// before anything could wait on it.
TSavedGame ReadSavedGame(const QString& path);

// Writes the saved game to path through a temporary file that replaces the old one only when the
// whole image is on disk. Raises EStorageError with the file error; the old file is then unchanged.
// Only a regular file is replaced.
void WriteSavedGame(const QString& path, const TSavedGame& saved);
