// The settings key, its value names and the texts that stand in for missing values.
#pragma once

// Where the settings live; named in the error raised when the key cannot be created.
inline constexpr char SettingsKeyPath[] = "Software\\Veltrane Inc.\\Rennor";
inline constexpr char SettingsOrganization[] = "Veltrane Inc.";
inline constexpr char SettingsApplication[] = "Rennor";

// Value names, in the order in which the options are saved.
inline constexpr char SettingMusic[] = "MUSIC";
inline constexpr char SettingSound[] = "SOUND";
inline constexpr char SettingHumanVsHuman[] = "HUMAN vs HUMAN";
inline constexpr char SettingWhoIsFirst[] = "WHO IS FIRST";
inline constexpr char SettingPlayer1Color[] = "PLAYER1 COLOR";
inline constexpr char SettingFirstName[] = "1st NAME";
inline constexpr char SettingSecondName[] = "2nd NAME";
inline constexpr char SettingADFactor[] = "A-D Factor";
inline constexpr char SettingRandomness[] = "RANDOMNESS";
inline constexpr char SettingAutoPlaySpeed[] = "AUTOPLAY SPEED";
inline constexpr char SettingReplaySpeed[] = "REPLAY SPEED";
inline constexpr char SettingBoardColor[] = "BOARD COLOR";
inline constexpr char SettingHintColor[] = "HINT COLOR";
inline constexpr char SettingLastColor[] = "LAST COLOR";
// Values of our own, saved after those: the computer player, its engine and its time per move.
inline constexpr char SettingComputerPlayer[] = "COMPUTER PLAYER";
inline constexpr char SettingEnginePath[] = "ENGINE PATH";
inline constexpr char SettingMoveTime[] = "MOVE TIME"; // milliseconds
// The rule, the opening and the board size new games are played under.
inline constexpr char SettingRule[] = "RULE";            // "Freestyle", "Standard", "Renju"
inline constexpr char SettingOpening[] = "OPENING";      // "None", "Swap", "Swap2"
inline constexpr char SettingBoardSize[] = "BOARD SIZE"; // 19 or 15

// The captions of the who-moves-first button, and the names shown for empty name boxes.
inline constexpr char FirstPlayerIsFirst[] = "1st Player is First";
inline constexpr char SecondPlayerIsFirst[] = "2nd Player is First";
inline constexpr char DefaultFirstName[] = "Player 1";
inline constexpr char DefaultSecondName[] = "Player 2";

// Defaults of the values whose default is not a live value.
inline constexpr bool DefaultMusic = true;
inline constexpr bool DefaultSound = true;
inline constexpr bool DefaultHumanVsHuman = false;
inline constexpr bool DefaultPlayer1White = true;
inline constexpr int DefaultRandomness = 2;
inline constexpr int DefaultSpeed = 9;
// The stored A-D track bar position is the factor plus this offset.
inline constexpr int ADFactorOffset = 16;
