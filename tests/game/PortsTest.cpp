// The standard error box's full-stop rule and the ports' defaults.
#include "game/Ports.h"
#include "game/ScriptedPorts.h"

#include <gtest/gtest.h>

namespace {

TEST(PortsTest, FullStopIsAppendedOnlyAfterCharactersThatSortAfterIt) {
    // Characters before the full stop in sort order keep the text as it is.
    const std::pair<const char*, const char*> texts[] = {
        {"File not found", "File not found."},
        {"Done.", "Done."},
        {"Really?", "Really?."},
        {"Stop!", "Stop!"},
        {"Invalid data type for 'MUSIC'", "Invalid data type for 'MUSIC'"},
        {"I/O error 5 -", "I/O error 5 -"},
        {"", ""}};
    for (const auto& [text, shown] : texts) {
        EXPECT_EQ(WithFullStop(QString::fromUtf8(text)), QString::fromUtf8(shown)) << text;
    }
}

TEST(PortsTest, ScriptedPortsAnswerInOrderThenByDefaultAndUninstallThemselves) {
    {
        TScriptedPorts scripted;
        scripted.ConfirmAnswers = {false};
        EXPECT_FALSE(Ports().Confirm(QStringLiteral("A")));
        EXPECT_TRUE(Ports().Confirm(QStringLiteral("B")));
        Ports().ShowError(QStringLiteral("Disk full"));
        EXPECT_EQ(scripted.Questions, QStringList({"A", "B"}));
        EXPECT_EQ(scripted.Errors, QStringList({"Disk full."}));
    }
    // The silent defaults: Yes to questions, every dialog cancelled.
    EXPECT_TRUE(Ports().Confirm(QStringLiteral("C")));
    EXPECT_EQ(Ports().PickColor(0), std::nullopt);
    EXPECT_EQ(Ports().AskOpenFileName({}), std::nullopt);
}

} // namespace
