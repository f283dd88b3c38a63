// The settings store over QSettings: text values only, typed on the way in and out.
#include "storage/SettingsKey.h"

#include "storage/SettingNames.h"
#include "storage/StorageError.h"
#include "storage/StoredInteger.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <optional>

namespace {

// A fresh QSettings for every operation: its status() never resets once an error was met, so a
// long-lived one would keep reporting an old failure after the cause is gone.
QSettings OpenStore() {
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, SettingsOrganization,
                     SettingsApplication);
}

// On platforms where the store is a file, the key is the folder that holds it.
bool CreateKey(const QSettings& store) {
#ifdef Q_OS_WIN
    Q_UNUSED(store);
    return true;
#else
    return QDir().mkpath(QFileInfo(store.fileName()).absolutePath());
#endif
}

// The stored text, or nothing when the value is absent.
std::optional<QString> StoredText(QAnyStringView name) {
    const QSettings store = OpenStore();
    const QVariant value = store.value(name);
    if (!value.isValid()) {
        return std::nullopt;
    }
    if (value.typeId() != QMetaType::QString) {
        throw EStorageError(QStringLiteral("Invalid data type for '%1'").arg(name.toString()));
    }
    // Like a registry string, the text ends at its first NUL.
    QString text = value.toString();
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0) {
        text.truncate(nul);
    }
    return text;
}

[[noreturn]] void KeyNotCreated() {
    throw EStorageError(
        QStringLiteral("Failed to create key %1").arg(QString::fromUtf8(SettingsKeyPath)));
}

// Sets every value and syncs once: the store file is replaced whole, or not at all. False when
// the key cannot be created.
std::optional<QSettings::Status> StoreTexts(std::initializer_list<TSettingValue> values) {
    QSettings store = OpenStore();
    if (!CreateKey(store)) {
        return std::nullopt;
    }
    for (const TSettingValue& v : values) {
        store.setValue(v.Name, v.Text);
    }
    store.sync();
    return store.status();
}

// Whether the values are stored. A damaged store file (bytes of no text, lines without a name)
// leaves its parse error in the status of the write that rewrites it, stored or not. The rewritten
// file parses, so a second write tells whether the values are stored. Raises the error of a key
// that cannot be created.
bool Stored(std::initializer_list<TSettingValue> values) {
    std::optional<QSettings::Status> status = StoreTexts(values);
    if (status == QSettings::FormatError) {
        status = StoreTexts(values);
    }
    if (!status) {
        KeyNotCreated();
    }
    return *status == QSettings::NoError;
}

} // namespace

TSettingValue::TSettingValue(QAnyStringView name, bool value)
    : Name(name), Text(value ? QStringLiteral("1") : QStringLiteral("0")) {}

TSettingValue::TSettingValue(QAnyStringView name, std::int32_t value)
    : Name(name), Text(QString::number(value)) {}

TSettingValue::TSettingValue(QAnyStringView name, const QString& value) : Name(name), Text(value) {}

TSettingsKey::TSettingsKey() {
    CreateKey(OpenStore());
}

std::optional<QString> TSettingsKey::ReadText(QAnyStringView name) const {
    if (const auto kept = Unsaved.find(name.toString()); kept != Unsaved.end()) {
        return kept->second;
    }
    return StoredText(name);
}

bool TSettingsKey::ReadBool(QAnyStringView name, bool fallback) const {
    return ReadInteger(name, fallback ? 1 : 0) != 0;
}

std::int32_t TSettingsKey::ReadInteger(QAnyStringView name, std::int32_t fallback) const {
    const std::optional<QString> text = ReadText(name);
    return text ? StoredIntegerOr(*text, fallback) : fallback;
}

QString TSettingsKey::ReadString(QAnyStringView name, const QString& fallback) const {
    return ReadText(name).value_or(fallback);
}

void TSettingsKey::WriteBool(QAnyStringView name, bool value) {
    WriteValue({name, value});
}

void TSettingsKey::WriteInteger(QAnyStringView name, std::int32_t value) {
    WriteValue({name, value});
}

void TSettingsKey::WriteString(QAnyStringView name, const QString& value) {
    WriteValue({name, value});
}

void TSettingsKey::WriteValue(const TSettingValue& value) {
    if (!Stored({value})) {
        throw EStorageError(
            QStringLiteral("Failed to set data for '%1'").arg(value.Name.toString()));
    }
    Unsaved.erase(value.Name.toString());
}

void TSettingsKey::WriteValues(std::initializer_list<TSettingValue> values) {
    bool stored = false;
    try {
        stored = Stored(values);
    } catch (const EStorageError&) {
        // A key that cannot be created is one more store that cannot be written.
    }
    for (const TSettingValue& v : values) {
        if (stored) {
            Unsaved.erase(v.Name.toString());
        } else {
            Unsaved[v.Name.toString()] = v.Text;
        }
    }
    if (!stored) {
        throw EStorageError(QStringLiteral("The options could not be saved to %1. They apply "
                                           "until Rennor closes, but will not be remembered")
                                .arg(QDir::toNativeSeparators(Location())));
    }
}

QString TSettingsKey::Location() const {
    return OpenStore().fileName();
}
