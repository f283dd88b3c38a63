// Saved games in real files: file errors, short and longer files, and saves that fail.
#include "storage/SavedGameFile.h"
#include "BoardTestSupport.h"
#include "StorageTestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <csignal>
#if __has_include(<sys/resource.h>)
#include <sys/resource.h>
#define RENNOR_HAS_RLIMIT 1
#endif

namespace {

class SavedGameFileTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        ASSERT_TRUE(Dir.isValid());
    }

    QString PathOf(const QString& name) const { return Dir.filePath(name); }

    QTemporaryDir Dir;
};

TEST_F(SavedGameFileTest, FileErrorsOfLoadsAndSavesReadOnlyAndLongerFilesLoad) {
    const QString path = PathOf("readonly.rnr");
    WriteRaw(path, QByteArray(4368, '\0') + QByteArray("trailing bytes are ignored"));
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    EXPECT_EQ(ReadSavedGame(path).MoveCount, 0);
    WriteRaw(PathOf("short.rnr"), QByteArray(4367, '\0'));
    EXPECT_EQ(ErrorOf([&] { ReadSavedGame(PathOf("short.rnr")); }), "Read beyond end of file");
    WriteRaw(PathOf("empty.rnr"), QByteArray());
    EXPECT_EQ(ErrorOf([&] { ReadSavedGame(PathOf("empty.rnr")); }), "Read beyond end of file");
    EXPECT_EQ(ErrorOf([&] { ReadSavedGame(PathOf("absent.rnr")); }), "File not found");
    EXPECT_EQ(ErrorOf([&] { ReadSavedGame(Dir.path()); }), "File access denied");
    // Saves into a folder that is a file, or onto a folder.
    WriteRaw(PathOf("notafolder"), "x");
    EXPECT_EQ(ErrorOf([&] { WriteSavedGame(PathOf("notafolder/game.rnr"), TSavedGame{}); }),
              "Path not found");
    EXPECT_EQ(ErrorOf([&] { WriteSavedGame(Dir.path(), TSavedGame{}); }), "File access denied");
}

#ifdef RENNOR_HAS_RLIMIT
// A file size limit makes the write stop part-way, as a full disk would, without touching a
// real device.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        OldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &Old);
        rlimit lower = Old;
        lower.rlim_cur = bytes;
        Active = setrlimit(RLIMIT_FSIZE, &lower) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &Old);
        std::signal(SIGXFSZ, OldHandler);
    }
    bool Active = false;

private:
    rlimit Old{};
    void (*OldHandler)(int) = nullptr;
};

TEST_F(SavedGameFileTest, AFailedSaveLeavesThePreviousFileWhole) {
    const QString path = PathOf("keep.rnr");
    Play({{10, 10}});
    WriteSavedGame(path, CaptureSavedGame(Game, TSavedPlay{}));
    const QByteArray before = Contents(path);

    Play({{11, 11}, {12, 12}});
    QString error;
    {
        FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.Active);
        error = ErrorOf([&] { WriteSavedGame(path, CaptureSavedGame(Game, TSavedPlay{})); });
    }
    EXPECT_EQ(error, QStringLiteral("I/O error %1").arg(EFBIG));
    EXPECT_EQ(Contents(path), before);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{"keep.rnr"});
    EXPECT_EQ(ReadSavedGame(path).LastMoveX, 10); // the first save, read back whole
}

#endif

} // namespace
