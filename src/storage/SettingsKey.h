// The settings key of the current user, with the typed reads and writes the options use.
#pragma once

#include <QAnyStringView>
#include <QString>
#include <cstdint>

// Every value is stored as text: booleans "0"/"1", integers and colours in decimal, texts as
// typed. Reads never fail for a missing key or value (they give the default); a value that is not
// text raises EStorageError, and so does a write that cannot be stored.
class TSettingsKey {
public:
    // Opens the key, creating it when it is missing. A key that cannot be created is no error
    // here: reads then give their defaults, and the first write reports it.
    TSettingsKey();

    bool ReadBool(QAnyStringView name, bool fallback) const;
    std::int32_t ReadInteger(QAnyStringView name, std::int32_t fallback) const;
    QString ReadString(QAnyStringView name, const QString& fallback) const;

    void WriteBool(QAnyStringView name, bool value);
    void WriteInteger(QAnyStringView name, std::int32_t value);
    void WriteString(QAnyStringView name, const QString& value);

    // The file (or registry path) that holds the values.
    QString Location() const;
};
