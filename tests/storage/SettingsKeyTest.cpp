// The settings store against a real settings file in a temporary folder.
#include "storage/SettingsKey.h"
#include "core/LiveSettings.h"
#include "storage/SettingNames.h"
#include "storage/StorageError.h"
#include "storage/StoredInteger.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

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

    // Writes the settings file by hand, as an editor or another version of the program might.
    void WriteStoreFile(const QByteArray& lines) const {
        ASSERT_TRUE(QDir().mkpath(KeyFolder()));
        QFile f(StoreFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[General]\n" + lines);
    }

    QByteArray StoreFileText() const {
        QFile f(StoreFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The message of the EStorageError that op raises, or "" when it raises none.
    template <typename F> static QString ErrorOf(F op) {
        try {
            op();
        } catch (const EStorageError& e) {
            return e.Text();
        }
        return {};
    }

    QTemporaryDir Home;
};

TEST(StoredInteger, ReadsDecimalAndBothHexadecimalSpellings) {
    const struct {
        const char16_t* Text;
        std::optional<std::int32_t> Value;
    } cases[] = {
        {u"20", 20},
        {u"0x14", 20},
        {u"0X14", 20},
        {u"$14", 20},
        {u"$ff", 255},
        {u"-5", -5},
        {u"+7", 7},
        {u"99", 99},
        {u"0", 0},
        {u"007", 7},
        {u"2147483647", 2147483647},
        {u"-2147483648", -2147483647 - 1},
        {u"$FFFFFFFF", -1},
        {u"0x80000000", -2147483647 - 1},
        {u"-$10", -16},
        {u"", std::nullopt},
        {u"abc", std::nullopt},
        {u"0x", std::nullopt},
        {u"$", std::nullopt},
        {u"-", std::nullopt},
        {u"12abc", std::nullopt},
        {u" 5", std::nullopt},
        {u"5 ", std::nullopt},
        {u"2147483648", std::nullopt},
        {u"-2147483649", std::nullopt},
        {u"$100000000", std::nullopt},
        {u"0x-5", std::nullopt},
        {u"-0x10", std::nullopt},
        {u"1e3", std::nullopt},
        {u"\u0663", std::nullopt}, // an Arabic-Indic three is no digit here
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.Text);
        EXPECT_EQ(ParseStoredInteger(text), c.Value) << text.toStdString();
    }
}

TEST_F(SettingsTest, MissingValuesAndMissingKeyGiveTheDefaults) {
    const TSettingsKey key;
    EXPECT_TRUE(key.ReadBool(SettingMusic, DefaultMusic));
    EXPECT_FALSE(key.ReadBool(SettingHumanVsHuman, DefaultHumanVsHuman));
    EXPECT_EQ(key.ReadInteger(SettingADFactor, Live.ADFactor + ADFactorOffset), 20);
    EXPECT_EQ(key.ReadString(SettingWhoIsFirst, FirstPlayerIsFirst), "1st Player is First");
    EXPECT_EQ(key.ReadString(SettingFirstName, DefaultFirstName), "Player 1");
}

TEST_F(SettingsTest, StoredTextsReadAsTheirTypes) {
    WriteStoreFile("A-D%20Factor=0x14\n"
                   "RANDOMNESS=11\n"
                   "AUTOPLAY%20SPEED=abc\n"
                   "REPLAY%20SPEED=-5\n"
                   "BOARD%20COLOR=99\n"
                   "MUSIC=2\n"
                   "SOUND=\n"
                   "HUMAN%20vs%20HUMAN=\n"
                   "PLAYER1%20COLOR=0\n"
                   "1st%20NAME=\n"
                   "2nd%20NAME=Ann\n"
                   "HINT%20COLOR=$FF\n");
    const TSettingsKey key;
    EXPECT_EQ(key.ReadInteger(SettingADFactor, 0), 20);
    EXPECT_EQ(key.ReadInteger(SettingRandomness, DefaultRandomness), 11);
    EXPECT_EQ(key.ReadInteger(SettingAutoPlaySpeed, DefaultSpeed), 9);
    EXPECT_EQ(key.ReadInteger(SettingReplaySpeed, DefaultSpeed), -5);
    EXPECT_EQ(key.ReadInteger(SettingBoardColor, 0), 99);
    EXPECT_EQ(key.ReadInteger(SettingHintColor, 0), 255);
    EXPECT_TRUE(key.ReadBool(SettingMusic, false));
    EXPECT_TRUE(key.ReadBool(SettingSound, true));
    EXPECT_FALSE(key.ReadBool(SettingHumanVsHuman, false));
    EXPECT_FALSE(key.ReadBool(SettingPlayer1Color, true));
    // An empty name is a name: the box stays empty, only the labels fall back.
    EXPECT_EQ(key.ReadString(SettingFirstName, DefaultFirstName), "");
    EXPECT_EQ(key.ReadString(SettingSecondName, DefaultSecondName), "Ann");
}

TEST_F(SettingsTest, WritesStoreTextThatReadsBack) {
    TSettingsKey key;
    key.WriteBool(SettingMusic, false);
    key.WriteBool(SettingSound, true);
    key.WriteInteger(SettingADFactor, -5);
    key.WriteInteger(SettingBoardColor, ColorGray);
    const QString awkward = QStringLiteral("  Ann, Bob; #1 = \"x\" \\ \u00e9");
    key.WriteString(SettingFirstName, awkward);
    key.WriteString(SettingSecondName, QString());

    const QByteArray text = StoreFileText();
    EXPECT_THAT(text.toStdString(), testing::HasSubstr("MUSIC=0\n"));
    EXPECT_THAT(text.toStdString(), testing::HasSubstr("SOUND=1\n"));
    EXPECT_THAT(text.toStdString(), testing::HasSubstr("A-D%20Factor=-5\n"));
    EXPECT_THAT(text.toStdString(), testing::HasSubstr("BOARD%20COLOR=8421504\n"));

    const TSettingsKey fresh;
    EXPECT_FALSE(fresh.ReadBool(SettingMusic, true));
    EXPECT_EQ(fresh.ReadInteger(SettingADFactor, 0), -5);
    EXPECT_EQ(fresh.ReadString(SettingFirstName, ""), awkward);
    EXPECT_EQ(fresh.ReadString(SettingSecondName, DefaultSecondName), "");
}

TEST_F(SettingsTest, ValuesThatAreNotTextAreInvalidDataType) {
    WriteStoreFile("MUSIC=a, b\n"
                   "SOUND=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n"
                   "1st%20NAME=@ByteArray(Ann)\n"
                   "2nd%20NAME=\"a, b\"\n");
    const TSettingsKey key;
    EXPECT_EQ(ErrorOf([&] { key.ReadBool(SettingMusic, true); }), "Invalid data type for 'MUSIC'");
    EXPECT_EQ(ErrorOf([&] { key.ReadInteger(SettingSound, 1); }), "Invalid data type for 'SOUND'");
    EXPECT_EQ(ErrorOf([&] { key.ReadString(SettingFirstName, ""); }),
              "Invalid data type for '1st NAME'");
    // Quoted, the same characters are text.
    EXPECT_EQ(key.ReadString(SettingSecondName, ""), "a, b");
}

TEST_F(SettingsTest, AKeyThatCannotBeCreatedFailsTheWrite) {
    // A regular file where the key's folder belongs.
    ASSERT_TRUE(QDir(KeyFolder()).removeRecursively());
    QFile blocker(KeyFolder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    TSettingsKey key;
    EXPECT_EQ(ErrorOf([&] { key.WriteBool(SettingMusic, true); }),
              "Failed to create key Software\\Veltrane Inc.\\Rennor");
    EXPECT_FALSE(key.ReadBool(SettingMusic, false)); // nothing was stored
}

TEST_F(SettingsTest, AValueThatCannotBeSetFailsAndALaterWriteStillWorks) {
    // The settings file's name taken by a folder: the key exists but nothing can be written.
    ASSERT_TRUE(QDir().mkpath(StoreFile()));
    TSettingsKey key;
    EXPECT_EQ(ErrorOf([&] { key.WriteInteger(SettingRandomness, 3); }),
              "Failed to set data for 'RANDOMNESS'");

    ASSERT_TRUE(QDir().rmdir(StoreFile()));
    EXPECT_EQ(ErrorOf([&] { key.WriteInteger(SettingRandomness, 4); }), "");
    EXPECT_EQ(TSettingsKey().ReadInteger(SettingRandomness, 0), 4);
    EXPECT_THAT(StoreFileText().toStdString(), testing::HasSubstr("RANDOMNESS=4\n"));
}

TEST_F(SettingsTest, ADamagedFileGivesTheDefaultsAndTheNextWritesStore) {
    // Lines without a name, bytes of no text, a section that never closes.
    const QByteArray damaged("\xff\xfe\x00\x01 no name here\n[Gen\nMUSIC=0\n\x80=\x7f\n", 31);
    for (const bool readAfterDamage : {false, true}) {
        WriteStoreFile("RANDOMNESS=3\n");
        TSettingsKey key;
        ASSERT_EQ(key.ReadInteger(SettingRandomness, 0), 3);
        {
            // Damaged under the running program, which then writes first or reads first.
            QFile f(StoreFile());
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            ASSERT_EQ(f.write(damaged), damaged.size());
        }
        if (readAfterDamage) {
            EXPECT_EQ(key.ReadInteger(SettingRandomness, DefaultRandomness), DefaultRandomness);
            EXPECT_EQ(key.ReadString(SettingFirstName, DefaultFirstName), "Player 1");
        }
        EXPECT_EQ(ErrorOf([&] { key.WriteInteger(SettingRandomness, 5); }), "");
        EXPECT_EQ(ErrorOf([&] { key.WriteBool(SettingSound, false); }), "");
        const std::string text = StoreFileText().toStdString();
        EXPECT_THAT(text, testing::HasSubstr("RANDOMNESS=5\n"));
        EXPECT_THAT(text, testing::HasSubstr("SOUND=0\n"));
    }
}

TEST(LiveSettings, StartValues) {
    const TLiveSettings start;
    EXPECT_EQ(start.ADFactor, 4);
    EXPECT_EQ(start.Randomness, 1);
    EXPECT_EQ(start.AutoPlaySpeed, 9);
    EXPECT_EQ(start.ReplaySpeed, 9);
    EXPECT_EQ(start.BoardColor, 8421504);
    EXPECT_EQ(start.HintColor, 255);
    EXPECT_EQ(start.LastMoveColor, 65280);
    EXPECT_EQ(start.FirstPlayerColor, 0);
    EXPECT_FALSE(start.LastMoveColorChanged);
}

} // namespace
