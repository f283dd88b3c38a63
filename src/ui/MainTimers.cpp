// The main window's timers (game clock, turn indicator, comment timer) and its media players.
#include "ui/MainForm.h"

#include "sound/GameSounds.h"
#include "sound/MediaPlayer.h"
#include "timing/SuperTimer.h"
#include "timing/TimerLst.h"
#include "widgets/SecretPanel.h"

#include <QTimer>

namespace {
constexpr int ClockIntervalMs = 10;
constexpr int BlinkIntervalMs = 100;
constexpr int CommentIntervalMs = 20000;
} // namespace

void TMainForm::BuildTimers() {
    MediaPlayer1 = new TMediaPlayer(this);
    MediaPlayer2 = new TMediaPlayer(this);
    LoopMusic(*MediaPlayer2); // the music player's notify handler plays the tune again

    Timer1 = new QTimer(this);
    Timer1->setInterval(ClockIntervalMs);
    // Each tick sets the next one for the turn of the shown second, which a coarse timer could
    // anticipate by a few milliseconds.
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
    Timer1->start();

    BlinkTimer = new TSuperTimer(this);
    BlinkTimer->SetInterval(BlinkIntervalMs);
    BlinkTimer->SetOnTimer([this](QObject*) { BlinkTimerTimer(); });
    BlinkTimer->SetEnabled(true);

    RxTimer = new TRxTimerList(this);
    CommentTimer = new TRxTimerEvent(this);
    CommentTimer->SetInterval(CommentIntervalMs);
    CommentTimer->SetCycled(true);
    CommentTimer->SetRepeatCount(1);
    CommentTimer->SetOnTimer([this](QObject*) { CommentTimerTimer(); });
    CommentTimer->SetParentList(RxTimer);
    RxTimer->SetActive(true);
}

void TMainForm::SetSeen(bool seen) {
    if (seen == Seen) {
        return;
    }
    Seen = seen;
    CommentPanel->SetPaused(!seen);
    if (seen) {
        Timer1Timer();
        BlinkTimer->SetEnabled(true); // a finished game's first tick leaves both stones lit
    } else {
        Timer1->stop();
        BlinkTimer->SetEnabled(false);
    }
}

// The timers stop and the players go while the window is still whole: closing an audio output
// runs pending events, and no tick of this window may reach it half destroyed.
void TMainForm::ReleaseTimers() {
    Timer1->stop();
    BlinkTimer->SetEnabled(false);
    RxTimer->SetActive(false);
    delete MediaPlayer1;
    delete MediaPlayer2;
    MediaPlayer1 = MediaPlayer2 = nullptr;
}
