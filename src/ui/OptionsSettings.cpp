// The order of loading matters: names before the game mode, which may overwrite the second label.
#include "ui/OptionsSettings.h"
#include "ui/OptionsForm.h"

#include "game/Ports.h"
#include "storage/SettingNames.h"
#include "storage/SettingsKey.h"
#include "storage/StorageError.h"

namespace {

void LoadPlayers(TOptionsForm& options, TSettingsKey& key) {
    options.SetWhoMovesFirstCaption(
        key.ReadString(SettingWhoIsFirst, QLatin1String(FirstPlayerIsFirst)));
    options.SetFirstPlayerText(key.ReadString(SettingFirstName, QLatin1String(DefaultFirstName)));
    options.SetSecondPlayerText(
        key.ReadString(SettingSecondName, QLatin1String(DefaultSecondName)));
    options.SetHumanHuman(key.ReadBool(SettingHumanVsHuman, DefaultHumanVsHuman));
    const bool firstWhite = key.ReadBool(SettingPlayer1Color, DefaultPlayer1White);
    Live.FirstPlayerColor = firstWhite ? WhiteStone : BlackStone;
    options.SetFirstPlayerWhite(firstWhite);
    if (options.Hooks.ShowMainNames) {
        // The white player's name comes first on the main window.
        const QString first = options.FirstPlayerLabel();
        const QString second = options.SecondPlayerLabel();
        options.Hooks.ShowMainNames(firstWhite ? first : second, firstWhite ? second : first);
    }
}

void LoadEngineAndSpeeds(TOptionsForm& options, TSettingsKey& key) {
    options.SetADPosition(key.ReadInteger(SettingADFactor, Live.ADFactor + ADFactorOffset));
    Live.Randomness = key.ReadInteger(SettingRandomness, DefaultRandomness);
    options.SetRandomness(Live.Randomness);
    options.SetAutoPlayPosition(key.ReadInteger(SettingAutoPlaySpeed, DefaultSpeed));
    options.SetReplayPosition(key.ReadInteger(SettingReplaySpeed, DefaultSpeed));
}

void LoadColors(TSettingsKey& key) {
    Live.BoardColor = key.ReadInteger(SettingBoardColor, Live.BoardColor);
    Live.HintColor = key.ReadInteger(SettingHintColor, Live.HintColor);
    Live.PendingHintColor = Live.HintColor;
    Live.LastMoveColor = key.ReadInteger(SettingLastColor, Live.LastMoveColor);
    Live.PendingLastMoveColor = Live.LastMoveColor;
}

// A program that was never chosen cannot be started: without one the choice is Rennor King.
void LoadComputerPlayer(TOptionsForm& options, TSettingsKey& key) {
    TPlayerSetup setup;
    setup.Kind = PlayerKindFromText(key.ReadString(SettingComputerPlayer, QString()));
    setup.EnginePath = key.ReadString(SettingEnginePath, QString());
    setup.MoveTimeMs = MoveTimeWithinLimits(key.ReadInteger(SettingMoveTime, DefaultMoveTimeMs));
    if (setup.Kind == TPlayerKind::External && setup.EnginePath.isEmpty()) {
        setup.Kind = TPlayerKind::King;
    }
    options.SetComputerPlayerSetup(setup);
}

TSettingValue RuleValue(const TGameRules& rules) {
    return {SettingRule, RuleText(rules.Rule)};
}

TSettingValue OpeningValue(const TGameRules& rules) {
    return {SettingOpening, OpeningText(rules.Opening)};
}

TSettingValue SizeValue(const TGameRules& rules) {
    return {SettingBoardSize, rules.Size};
}

void SwitchMusicIfChanged(TOptionsForm& options, TSettingsKey& key) {
    const bool stored = key.ReadBool(SettingMusic, DefaultMusic);
    if (stored != options.MusicChecked() && options.Hooks.SwitchMusic) {
        options.Hooks.SwitchMusic(options.MusicChecked());
    }
}

} // namespace

void LoadSettings(TOptionsForm& options, TSettingsKey& key) {
    options.SetMusicChecked(key.ReadBool(SettingMusic, DefaultMusic));
    options.SetSoundChecked(key.ReadBool(SettingSound, DefaultSound));
    LoadPlayers(options, key);
    LoadEngineAndSpeeds(options, key);
    LoadColors(key);
    LoadComputerPlayer(options, key);
    options.SetChosenRules(ReadRules(key));
}

TGameRules ReadRules(TSettingsKey& key) {
    TGameRules rules;
    rules.Rule = RuleFromText(key.ReadString(SettingRule, RuleText(rules.Rule)));
    rules.Opening = OpeningFromText(key.ReadString(SettingOpening, OpeningText(rules.Opening)));
    rules.Size = PlayedSizeFrom(key.ReadInteger(SettingBoardSize, rules.Size));
    return rules;
}

void WriteRules(TSettingsKey& key, const TGameRules& rules) {
    key.WriteValues({RuleValue(rules), OpeningValue(rules), SizeValue(rules)});
}

void SaveSettings(TOptionsForm& options, TSettingsKey& key) {
    SwitchMusicIfChanged(options, key);
    Live.FirstPlayerColor = options.WhitePlayerDown() ? WhiteStone : BlackStone;
    const TPlayerSetup setup = options.ComputerPlayerSetup();
    const TGameRules rules = options.ChosenRules();
    key.WriteValues({
        {SettingMusic, options.MusicChecked()},
        {SettingSound, options.SoundChecked()},
        {SettingHumanVsHuman, options.HumanHuman()},
        {SettingWhoIsFirst, options.WhoMovesFirstCaption()},
        {SettingPlayer1Color, Live.FirstPlayerColor != BlackStone},
        {SettingFirstName, options.FirstPlayerText()},
        {SettingSecondName, options.SecondPlayerText()},
        {SettingADFactor, options.ADPosition()},
        {SettingRandomness, Live.Randomness},
        {SettingAutoPlaySpeed, options.AutoPlayPosition()},
        {SettingReplaySpeed, options.ReplayPosition()},
        {SettingBoardColor, Live.BoardColor},
        {SettingHintColor, Live.HintColor},
        {SettingLastColor, Live.LastMoveColor},
        {SettingComputerPlayer, PlayerKindText(setup.Kind)},
        {SettingEnginePath, setup.EnginePath},
        {SettingMoveTime, setup.MoveTimeMs},
        RuleValue(rules),
        OpeningValue(rules),
        SizeValue(rules),
    });
}

bool ReportingStoreErrors(const std::function<void()>& operation) {
    try {
        operation();
        return true;
    } catch (const EStorageError& error) {
        Ports().ShowError(error.Text());
        return false;
    }
}
