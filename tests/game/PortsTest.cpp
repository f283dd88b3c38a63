// The standard error box's full-stop rule and the ports' defaults.
#include "game/Ports.h"
#include "game/ScriptedPorts.h"

#include <gtest/gtest.h>

namespace {

TEST(PortsTest, FullStopIsAppendedOnlyAfterCharactersThatSortAfterIt) {
    EXPECT_EQ(WithFullStop(QStringLiteral("File not found")), QStringLiteral("File not found."));
    EXPECT_EQ(WithFullStop(QStringLiteral("Done.")), QStringLiteral("Done."));
    EXPECT_EQ(WithFullStop(QStringLiteral("Really?")), QStringLiteral("Really?."));

    // Characters before the full stop in sort order keep the text as it is.
    EXPECT_EQ(WithFullStop(QStringLiteral("Stop!")), QStringLiteral("Stop!"));
    EXPECT_EQ(WithFullStop(QStringLiteral("Invalid data type for 'MUSIC'")),
              QStringLiteral("Invalid data type for 'MUSIC'"));
    EXPECT_EQ(WithFullStop(QStringLiteral("I/O error 5 -")), QStringLiteral("I/O error 5 -"));
    EXPECT_EQ(WithFullStop(QString()), QString());
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
