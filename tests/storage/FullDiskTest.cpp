// A save onto a disk that fills up part-way: a tiny in-memory file system with room for one
// saved game and not for a second copy beside it.
#include "BoardTestSupport.h"
#include "StorageTestSupport.h"
#include "storage/SavedGameFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#if __has_include(<sys/mount.h>) && __has_include(<sched.h>)
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>
#define RENNOR_HAS_MOUNT 1
#endif

namespace {

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

// Mounts a tmpfs of the given size on folder; false where the sandbox forbids it.
bool MountTinyDisk(const QString& folder, const char* size) {
    if (!EnterOwnMountNamespace() ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return false;
    }
    const QByteArray options = QByteArray("size=") + size;
    return mount("rennor-test", QFile::encodeName(folder).constData(), "tmpfs", 0,
                 options.constData()) == 0;
}

class FullDiskTest : public BoardTest {
protected:
    void SetUp() override {
        BoardTest::SetUp();
        ASSERT_TRUE(Dir.isValid());
        // Three pages: a 4368-byte saved game takes two, so a second copy cannot be written.
        Mounted = MountTinyDisk(Dir.path(), "12k");
        if (!Mounted) {
            GTEST_SKIP() << "no tmpfs can be mounted here; the file-size limit test covers this";
        }
    }

    void TearDown() override {
        // The folder can go only once nothing is mounted on it.
        if (Mounted) {
            umount2(QFile::encodeName(Dir.path()).constData(), MNT_DETACH);
        }
        BoardTest::TearDown();
    }

    QTemporaryDir Dir;
    bool Mounted = false;
};

TEST_F(FullDiskTest, ASaveOntoAFullDiskLeavesThePreviousFileWhole) {
    const QString path = Dir.filePath("keep.rnr");
    Play({{10, 10}});
    WriteSavedGame(path, CaptureSavedGame(Game, TSavedPlay{}));
    const QByteArray before = Contents(path);
    ASSERT_EQ(before.size(), 4368);

    Play({{11, 11}, {12, 12}});
    EXPECT_EQ(ErrorOf([&] { WriteSavedGame(path, CaptureSavedGame(Game, TSavedPlay{})); }),
              "Disk full");
    EXPECT_EQ(Contents(path), before);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"keep.rnr"});

    // The failed attempt left no debris taking the room: once the old file goes, the save fits.
    ASSERT_TRUE(QFile::remove(path));
    WriteSavedGame(path, CaptureSavedGame(Game, TSavedPlay{}));
    EXPECT_EQ(ReadSavedGame(path).MoveCount, 3);
}
#endif

} // namespace
