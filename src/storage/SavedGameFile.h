// Saved games on disk: the whole file is read and checked before anything of the game changes, and
// a save replaces the old file only once the new one is complete.
#pragma once

#include "storage/SavedGame.h"

#include <QString>

// The default extension of saved games, without the dot.
inline constexpr char SavedGameExtension[] = "rnr";

// Reads and checks the saved game at path, opened for reading only. Raises EStorageError with the
// file error ("File not found", "File access denied", ...), "Read beyond end of file" for a short
// file, or the complaint of CheckSavedGame.
TSavedGame ReadSavedGame(const QString& path);

// Writes the saved game to path through a temporary file that replaces the old one only when the
// whole image is on disk. Raises EStorageError with the file error; the old file is then unchanged.
void WriteSavedGame(const QString& path, const TSavedGame& saved);
