// The players behind rennor-brain: Rennor Emperor, and Rennor King exactly as written.
#pragma once

#include "protocol/BrainSession.h"
#include "search/Emperor.h"
#include "variants/Rule.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

enum class TBrainPlayer { Emperor, King };

// What the brain is started with; INFO rennor_player, rennor_randomness and rennor_ad_factor
// change the same during a session.
struct TBrainSettings {
    TBrainPlayer Player = TBrainPlayer::Emperor;
    int Randomness = 1; // Rennor King's random term, 1 (none) to 11, as the options store it
    int ADFactor = 4;   // Rennor King's attack/defence setting, -16 (defence) to 16 (attack)
    std::optional<std::uint64_t> Seed; // Rennor King's draws; from the time of day when unset
};

// The settings from the command line, or why they cannot be read.
std::optional<std::string> ParseBrainArguments(int argc, char** argv, TBrainSettings& settings);
extern const char BrainUsage[];

class TRennorBrain : public TBrainEngine {
public:
    explicit TRennorBrain(const TBrainSettings& settings);

    TAbout About() const override;
    std::optional<std::string> RefuseSize(int size) const override;
    void NewGame(int size) override;
    std::optional<std::string> Configure(const std::string& key, const std::string& value) override;
    std::pair<int, int> Choose(const TBrainGame& game, std::chrono::milliseconds budget) override;

private:
    std::pair<int, int> KingMove(const TBrainGame& game) const;
    std::pair<int, int> EmperorMove(const TBrainGame& game, std::chrono::milliseconds budget);
    void WarmUp();

    TBrainSettings Settings;
    TRule Rule = TRule::Freestyle; // from INFO rule, which the session has checked
    int Size = 0;
    std::size_t TableBytes;
    std::unique_ptr<TEmperor> Emperor;
    bool Warm = false;
};
