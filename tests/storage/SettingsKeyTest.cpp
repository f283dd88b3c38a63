// The settings store against a real settings file in a temporary folder.
#include "storage/SettingsKey.h"
#include "StorageTestSupport.h"
#include "core/LiveSettings.h"
#include "storage/SettingNames.h"
#include "storage/StoredInteger.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <gmock/gmock.h>

#include <tuple>

namespace {

using testing::HasSubstr;

class SettingsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Home.isValid());
        qputenv("XDG_CONFIG_HOME", Home.path().toUtf8());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Home.path());
        ASSERT_TRUE(TSettingsKey().Location().startsWith(Home.path()));
    }

    QString KeyFolder() const { return Home.path() + "/Veltrane Inc."; }
    QString StoreFile() const { return KeyFolder() + "/Rennor.conf"; }

    QTemporaryDir Home;
};

TEST(StoredInteger, ReadsDecimalAndBothHexadecimalSpellings) {
    constexpr std::int32_t Min = INT32_MIN;
    const std::pair<const char16_t*, std::int32_t> values[] = {
        {u"20", 20},           {u"0x14", 20},       {u"0X14", 20},      {u"$14", 20},
        {u"$ff", 255},         {u"-5", -5},         {u"+7", 7},         {u"0", 0},
        {u"007", 7},           {u"-$10", -16},      {u"$FFFFFFFF", -1}, {u"2147483647", 2147483647},
        {u"-2147483648", Min}, {u"0x80000000", Min}};
    for (const auto& [text, value] : values) {
        EXPECT_EQ(ParseStoredInteger(QString::fromUtf16(text)), value)
            << QString::fromUtf16(text).toStdString();
    }
    // The last is an Arabic-Indic three, no digit here.
    for (const char16_t* text :
         {u"", u"abc", u"0x", u"$", u"-", u"12abc", u" 5", u"5 ", u"2147483648", u"-2147483649",
          u"$100000000", u"0x-5", u"-0x10", u"1e3", u"\u0663"}) {
        EXPECT_EQ(ParseStoredInteger(QString::fromUtf16(text)), std::nullopt)
            << QString::fromUtf16(text).toStdString();
    }
}

TEST_F(SettingsTest, StoredTextsReadAsTheirTypesAndAbsentOnesAsTheFallback) {
    // The settings file written by hand, as an editor or another version of the program might.
    ASSERT_TRUE(QDir().mkpath(KeyFolder()));
    WriteRaw(
        StoreFile(),
        "[General]\nA-D%20Factor=0x14\nRANDOMNESS=11\nAUTOPLAY%20SPEED=abc\nREPLAY%20SPEED=-5\n"
        "BOARD%20COLOR=99\nMUSIC=2\nSOUND=\nHUMAN%20vs%20HUMAN=\n"
        "1st%20NAME=\n2nd%20NAME=Ann\nHINT%20COLOR=$FF\n");
    const TSettingsKey key;
    const std::tuple<const char*, int, int> integers[] = {
        {SettingADFactor, 0, 20},     {SettingRandomness, DefaultRandomness, 11},
        {SettingAutoPlaySpeed, 4, 4}, {SettingReplaySpeed, DefaultSpeed, -5},
        {SettingBoardColor, 0, 99},   {SettingHintColor, 0, 255},
        {SettingLastColor, 77, 77}};
    for (const auto& [name, fallback, value] : integers) {
        EXPECT_EQ(key.ReadInteger(name, fallback), value) << name;
    }
    EXPECT_EQ(std::tuple(key.ReadBool(SettingMusic, false), key.ReadBool(SettingSound, true),
                         key.ReadBool(SettingHumanVsHuman, false),
                         key.ReadBool(SettingPlayer1Color, true)),
              std::tuple(true, true, false, true));
    // An empty name is a name: the box stays empty, only the labels fall back.
    EXPECT_EQ(std::tuple(key.ReadString(SettingFirstName, DefaultFirstName),
                         key.ReadString(SettingSecondName, DefaultSecondName),
                         key.ReadString(SettingWhoIsFirst, FirstPlayerIsFirst)),
              std::tuple(QString(), QString("Ann"), QString(FirstPlayerIsFirst)));
}

TEST_F(SettingsTest, AKeyOrAValueThatCannotBeStoredFailsTheWriteAndALaterWriteStillWorks) {
    // A regular file where the key's folder belongs.
    ASSERT_TRUE(QDir(KeyFolder()).removeRecursively());
    WriteRaw(KeyFolder(), "");
    TSettingsKey key;
    EXPECT_EQ(ErrorOf([&] { key.WriteBool(SettingMusic, true); }),
              "Failed to create key Software\\Veltrane Inc.\\Rennor");
    EXPECT_FALSE(key.ReadBool(SettingMusic, false)); // nothing was stored

    // The settings file's name taken by a folder: the key exists but nothing can be written.
    ASSERT_TRUE(QFile::remove(KeyFolder()));
    ASSERT_TRUE(QDir().mkpath(StoreFile()));
    EXPECT_EQ(ErrorOf([&] { key.WriteInteger(SettingRandomness, 3); }),
              "Failed to set data for 'RANDOMNESS'");
    ASSERT_TRUE(QDir().rmdir(StoreFile()));
    EXPECT_EQ(ErrorOf([&] { key.WriteInteger(SettingRandomness, 4); }), "");
    EXPECT_THAT(Contents(StoreFile()).toStdString(), HasSubstr("RANDOMNESS=4\n"));
}

} // namespace
