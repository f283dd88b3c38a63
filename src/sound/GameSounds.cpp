// Music loop and game-over sound choice over the two media players of the main window.
#include "sound/GameSounds.h"

#include "core/Random.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

const QString MusicFile = "Music.mid";
const QString TieName = "Tie Game";

// Sound is a nicety: whatever goes wrong while starting one, the game carries on silently.
template <typename Action> void Silently(Action&& action) {
    try {
        action();
    } catch (...) {
    }
}

QStringList NumberedNames(const QString& stem, int count) {
    QStringList names;
    for (int n = 1; n <= count; ++n) {
        names << stem + QString::number(n) + ".wav";
    }
    return names;
}

// Fisher-Yates over the game's generator, so a seeded game draws the same sounds.
void Shuffle(QStringList& names) {
    for (qsizetype i = names.size() - 1; i > 0; --i) {
        names.swapItemsAt(i, RandomDraw(static_cast<std::int32_t>(i + 1)));
    }
}

} // namespace

QString SoundsFolder() {
    return SoundsFolderFor(QCoreApplication::applicationDirPath());
}

QString SoundsFolderFor(const QString& programFolder) {
    const QDir program(programFolder);
    const QStringList candidates = {program.filePath("Sounds"),
                                    program.filePath("../share/rennor/Sounds")};
    for (const QString& folder : candidates) {
        if (QFileInfo(folder).isDir()) {
            return QDir::cleanPath(folder) + "/";
        }
    }
    return QDir::cleanPath(candidates.first()) + "/";
}

void StartMusic(TMediaPlayer& player, const QString& folder) {
    Silently([&] {
        player.SetFileName(folder + MusicFile);
        player.Open();
        player.Play();
    });
}

void StopMusic(TMediaPlayer& player) {
    Silently([&] {
        player.Stop();
        player.Rewind();
    });
}

void MediaPlayer2Notify(TMediaPlayer& player, TNotifyResult result) {
    if (result != TNotifyResult::Successful) {
        return;
    }
    // At the end, auto-rewind takes the tune back to its start before it plays.
    Silently([&] { player.Play(); });
}

void LoopMusic(TMediaPlayer& player) {
    QObject::connect(&player, &TMediaPlayer::Notify, &player,
                     [&player](TNotifyResult result) { MediaPlayer2Notify(player, result); });
}

QStringList GameOverCandidates(const QString& winnerName) {
    if (winnerName == TieName) {
        return {"Tie.wav"};
    }
    QStringList names = winnerName == QLatin1String(ComputerWinnerName)
                            ? NumberedNames("GameOvr", 5)
                            : NumberedNames("AILost", 9);
    Shuffle(names);
    return names;
}

QString ChooseGameOverSound(const QString& winnerName, const QString& folder) {
    for (const QString& name : GameOverCandidates(winnerName)) {
        if (QFileInfo(folder + name).isFile()) {
            return folder + name;
        }
    }
    return {};
}

void PlayGameOverSound(TMediaPlayer& player, const QString& winnerName, bool humanComputer,
                       bool soundOn, const QString& folder) {
    if (!humanComputer || !soundOn) {
        return;
    }
    const QString path = ChooseGameOverSound(winnerName, folder);
    if (path.isEmpty()) {
        return;
    }
    Silently([&] {
        player.SetFileName(path);
        player.Open();
        player.Play();
    });
}
