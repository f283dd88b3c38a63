// The settings key of the current user, with the typed reads and writes the options use.
#pragma once

#include <QAnyStringView>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>

// One value of a write in one go, as the store holds it: booleans "0"/"1", integers and colours
// in decimal, texts as typed.
struct TSettingValue {
    TSettingValue(QAnyStringView name, bool value);
    TSettingValue(QAnyStringView name, std::int32_t value);
    TSettingValue(QAnyStringView name, const QString& value);

    QAnyStringView Name; // read only while the value is written
    QString Text;
};

// Every value is stored as text. Reads never fail for a missing key or value (they give the
// default); a value that is not text raises EStorageError, and so does a write that cannot be
// stored.
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
    // Stores every value in one rewrite of the store, so that a program stopped during it leaves
    // either all the old values or all the new ones. Values that cannot be stored still read back
    // for the rest of the run; the EStorageError raised then says they will not be remembered.
    void WriteValues(std::initializer_list<TSettingValue> values);

    // The file (or registry path) that holds the values.
    QString Location() const;

private:
    std::optional<QString> ReadText(QAnyStringView name) const;
    // One value on its own; its failure raises the store's error and keeps nothing.
    void WriteValue(const TSettingValue& value);

    // The values of writes that failed, by name, as they read for the rest of the run.
    std::map<QString, QString> Unsaved;
};
