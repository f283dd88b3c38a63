// The main window on a machine without any sound server: music and game-over sounds are asked
// for, nothing hangs, nothing is said, and the game goes on.
#include "MainFormTestSupport.h"
#include "sound/GameSounds.h"
#include "sound/MediaPlayer.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>

namespace {

// Far above what any call should take; only a hang comes near it.
constexpr qint64 HangMs = 10000;

class MainSilentTest : public MainFormTest {
protected:
    static void SetUpTestSuite() {
        MainFormTest::SetUpTestSuite();
        qputenv("PULSE_SERVER", "unix:/nonexistent/rennor/native");
    }
};

TEST_F(MainSilentTest, MusicAndGameOverSoundsReturnAtOnceAndTheGameGoesOn) {
    // The files are there, so only the missing server keeps the game silent.
    ASSERT_TRUE(QFileInfo(SoundsFolder() + "Music.mid").isFile());
    ASSERT_TRUE(QFileInfo(SoundsFolder() + "GameOvr1.wav").isFile());
    Store("MUSIC", QStringLiteral("1"));
    QElapsedTimer clock;
    clock.start();
    Start();
    EXPECT_EQ(Form->MediaPlayer2->FileName(), SoundsFolder() + "Music.mid")
        << "music was asked for";
    EXPECT_FALSE(Form->MediaPlayer2->IsPlaying());

    PlayGameOverSound(*Form->MediaPlayer1, QStringLiteral("Rennor King"), true, true);
    EXPECT_FALSE(Form->MediaPlayer1->FileName().isEmpty()) << "a sound was asked for";
    EXPECT_FALSE(Form->MediaPlayer1->IsPlaying());

    // Switching the music off and on again through the options dialog.
    auto* box = Options->findChild<QCheckBox*>(QStringLiteral("MusicCheckBox"));
    for (int round = 0; round < 2; ++round) {
        Options->show();
        box->click();
        Options->OKBtnClick();
    }
    EXPECT_LT(clock.elapsed(), HangMs);

    Click(5, 5);
    EXPECT_EQ(Game.MoveCount, 2) << "the computer answered";
    EXPECT_TRUE(Scripted->Errors.isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "a message was shown";
}

} // namespace
