// The background music and the game-over sounds, as the main window and the game-over report
// play them. Every failure (no folder, no file, no audio output) leaves the game silent.
#pragma once

#include "sound/MediaPlayer.h"

#include <QString>
#include <QStringList>

// The "Sounds" folder, ending in a slash: beside the program, else the installed data folder
// (../share/rennor/Sounds from the program); the first when neither exists.
QString SoundsFolder();
// The same for a program that stands in programFolder.
QString SoundsFolderFor(const QString& programFolder);

// Opens the folder's Music.mid (closing what was open) and plays it from the beginning.
void StartMusic(TMediaPlayer& player, const QString& folder = SoundsFolder());
// Stops the music and seeks to its start; the device stays open.
void StopMusic(TMediaPlayer& player);
// The music player's end-of-play handler: a tune that played to its end plays again, from the
// beginning, so the music repeats for the whole run; a stopped or broken one stays silent.
void MediaPlayer2Notify(TMediaPlayer& player, TNotifyResult result);
// Routes the player's Notify to MediaPlayer2Notify, for the player that plays the music.
void LoopMusic(TMediaPlayer& player);

// The name the game-over sounds know the computer by, whichever computer player won.
inline constexpr char ComputerWinnerName[] = "Rennor King";

// The sound files that fit the end of a game, in the order they are tried: the computer's win
// ("Rennor King") draws from GameOvr1..5.wav, "Tie Game" is Tie.wav, any other winner draws
// from AILost1..9.wav. Each name appears once, so the search ends even when none exists.
QStringList GameOverCandidates(const QString& winnerName);
// The full path of the first candidate present in folder; empty when none is.
QString ChooseGameOverSound(const QString& winnerName, const QString& folder = SoundsFolder());
// The game-over report's sound: played only against the computer and with sound on; nothing
// waits for it.
void PlayGameOverSound(TMediaPlayer& player, const QString& winnerName, bool humanComputer,
                       bool soundOn, const QString& folder = SoundsFolder());
