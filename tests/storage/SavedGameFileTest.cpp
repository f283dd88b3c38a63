// Saved games in real files: file errors, short and longer files, and saves that stop part-way,
// past a file size limit or on a disk that fills up.
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
#if __has_include(<sys/mount.h>) && __has_include(<sched.h>)
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#define RENNOR_HAS_MOUNT 1
#endif

namespace {

class SavedGameFileTest : public BoardTest {
protected:
    QString PathOf(const QString& name) const { return Dir.filePath(name); }

    // Saves a one-stone game to keep.rnr and plays two stones more; the file's bytes.
    QByteArray SaveThenPlayOn() {
        Play({{10, 10}});
        WriteSavedGame(PathOf("keep.rnr"), CaptureSavedGame(Game, TSavedPlay{}));
        Play({{11, 11}, {12, 12}});
        return Contents(PathOf("keep.rnr"));
    }

    QString SaveAgain() const {
        return ErrorOf([&] { WriteSavedGame(PathOf("keep.rnr"), CaptureSavedGame(Game, {})); });
    }

    // A failed save leaves the earlier file whole and nothing beside it.
    void ExpectKept(const QByteArray& before) const {
        EXPECT_EQ(Contents(PathOf("keep.rnr")), before);
        EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.rnr"});
    }

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
}

#ifdef RENNOR_HAS_RLIMIT
TEST_F(SavedGameFileTest, AFailedSaveLeavesThePreviousFileWhole) {
    const QByteArray before = SaveThenPlayOn();
    // A file size limit makes the write stop part-way without touching a device.
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const rlimit lower{1000, old.rlim_max};
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &lower), 0);
    const QString error = SaveAgain();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(error, QStringLiteral("I/O error %1").arg(EFBIG));
    ExpectKept(before);
}
#endif

#ifdef RENNOR_HAS_MOUNT
bool WriteProcFile(const char* path, const QByteArray& text) {
    QFile file(QString::fromLatin1(path));
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

// A mount namespace of this test process alone, so nothing mounted outlives it even if it dies.
// Without the right to mount, a user namespace gives it, with our own ids mapped to themselves
// so that the files we create there are ours.
bool EnterOwnMountNamespace() {
    if (unshare(CLONE_NEWNS) == 0) {
        return true;
    }
    const QByteArray uid = QByteArray::number(getuid());
    const QByteArray gid = QByteArray::number(getgid());
    return unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 &&
           WriteProcFile("/proc/self/setgroups", "deny") &&
           WriteProcFile("/proc/self/uid_map", uid + ' ' + uid + " 1") &&
           WriteProcFile("/proc/self/gid_map", gid + ' ' + gid + " 1");
}

// A tiny in-memory file system on the test's folder, with room for one saved game and not for a
// second copy beside it: a 4368-byte file takes two of its three pages.
class FullDiskTest : public SavedGameFileTest {
protected:
    void SetUp() override {
        SavedGameFileTest::SetUp();
        Mounted = EnterOwnMountNamespace() &&
                  mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                  mount("rennor-test", QFile::encodeName(Dir.path()).constData(), "tmpfs", 0,
                        "size=12k") == 0;
        if (!Mounted) {
            GTEST_SKIP() << "no tmpfs can be mounted here; the file-size limit test covers this";
        }
    }

    void TearDown() override {
        // The folder can go only once nothing is mounted on it.
        if (Mounted) {
            umount2(QFile::encodeName(Dir.path()).constData(), MNT_DETACH);
        }
        SavedGameFileTest::TearDown();
    }

    bool Mounted = false;
};

TEST_F(FullDiskTest, ASaveOntoAFullDiskLeavesThePreviousFileWhole) {
    const QByteArray before = SaveThenPlayOn();
    ASSERT_EQ(before.size(), 4368);
    EXPECT_EQ(SaveAgain(), "Disk full");
    ExpectKept(before);
    // The failed attempt left no debris taking the room: once the old file goes, the save fits.
    ASSERT_TRUE(QFile::remove(PathOf("keep.rnr")));
    EXPECT_EQ(SaveAgain(), "");
    EXPECT_EQ(ReadSavedGame(PathOf("keep.rnr")).MoveCount, 3);
}
#endif

} // namespace
