// Saved games in real files: file errors, short and longer files, and a save that stops part-way
// past a file size limit.
#include "storage/SavedGameFile.h"
#include "BoardTestSupport.h"
#include "StorageTestSupport.h"
#include "storage/FileErrors.h"

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
    // Saves into a folder that is a file, or onto a folder.
    WriteRaw(PathOf("notafolder"), "x");
    EXPECT_EQ(ErrorOf([&] { WriteSavedGame(PathOf("notafolder/game.rnr"), TSavedGame{}); }),
              "Path not found");
    EXPECT_EQ(ErrorOf([&] { WriteSavedGame(Dir.path(), TSavedGame{}); }), "File access denied");
    // An open that fails without a system error number: the path tells what went wrong.
    EXPECT_EQ(std::tuple(OpenErrorNumber(0, PathOf("absent.rnr")), OpenErrorNumber(0, Dir.path()),
                         OpenErrorNumber(0, path), OpenErrorNumber(EPERM, path)),
              std::tuple(ENOENT, EISDIR, EACCES, EPERM));
    EXPECT_EQ(IoErrorText(ENOSPC), "Disk full"); // a full disk stops a save as the limit below does
}

#ifdef RENNOR_HAS_RLIMIT
TEST_F(SavedGameFileTest, AFailedSaveLeavesThePreviousFileWhole) {
    const QString path = PathOf("keep.rnr");
    Play({{10, 10}});
    WriteSavedGame(path, CaptureSavedGame(Game, TSavedPlay{}));
    Play({{11, 11}, {12, 12}});
    const QByteArray before = Contents(path);
    // A file size limit makes the write stop part-way without touching a device.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit lower{1000, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lower), 0);
    const QString error = ErrorOf([&] { WriteSavedGame(path, CaptureSavedGame(Game, {})); });
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(error, QStringLiteral("I/O error %1").arg(EFBIG));
    // The earlier file whole, and nothing beside it.
    EXPECT_EQ(Contents(path), before);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.rnr"});
}
#endif

} // namespace
