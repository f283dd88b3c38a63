// The stored options as the game flow reads them, with the store's defaults when no reader exists.
#include "game/StoredOptions.h"

#include "game/DialogOptions.h"
#include "storage/SettingNames.h"

TStoredOptionReaders StoredOptionReaders;

bool StoredHumanHuman() {
    return StoredOptionReaders.HumanHuman ? StoredOptionReaders.HumanHuman() : false;
}

QString StoredWhoIsFirst() {
    return StoredOptionReaders.WhoIsFirst ? StoredOptionReaders.WhoIsFirst()
                                          : QString(FirstPlayerIsFirst);
}
