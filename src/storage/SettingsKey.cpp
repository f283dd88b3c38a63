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
std::optional<QString> ReadText(QAnyStringView name) {
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

QSettings::Status StoreText(QAnyStringView name, const QString& text) {
    QSettings store = OpenStore();
    if (!CreateKey(store)) {
        throw EStorageError(
            QStringLiteral("Failed to create key %1").arg(QString::fromUtf8(SettingsKeyPath)));
    }
    store.setValue(name, text);
    store.sync();
    return store.status();
}

void WriteText(QAnyStringView name, const QString& text) {
    QSettings::Status status = StoreText(name, text);
    // A damaged store file (bytes of no text, lines without a name) leaves its parse error in the
    // status of the write that rewrites it, stored or not. The rewritten file parses, so a second
    // write tells whether the value is stored.
    if (status == QSettings::FormatError) {
        status = StoreText(name, text);
    }
    if (status != QSettings::NoError) {
        throw EStorageError(QStringLiteral("Failed to set data for '%1'").arg(name.toString()));
    }
}

} // namespace

TSettingsKey::TSettingsKey() {
    CreateKey(OpenStore());
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
    WriteText(name, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TSettingsKey::WriteInteger(QAnyStringView name, std::int32_t value) {
    WriteText(name, QString::number(value));
}

void TSettingsKey::WriteString(QAnyStringView name, const QString& value) {
    WriteText(name, value);
}

QString TSettingsKey::Location() const {
    return OpenStore().fileName();
}
