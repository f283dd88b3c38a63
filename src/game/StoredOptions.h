// The two stored options that the game flow reads from the settings store at the moment of use.
#pragma once

#include <QString>
#include <functional>

// How the store is read; the main window installs readers over its settings key. A read that
// fails throws the store's error, which stops the command that asked.
struct TStoredOptionReaders {
    std::function<bool()> HumanHuman;    // "HUMAN vs HUMAN", default false
    std::function<QString()> WhoIsFirst; // "WHO IS FIRST", default "1st Player is First"
};

extern TStoredOptionReaders StoredOptionReaders;

bool StoredHumanHuman();
QString StoredWhoIsFirst();
