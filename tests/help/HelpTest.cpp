// The help file and its engine: links, contents, index, a topic per context number, pop-ups.
#include "HelpTestSupport.h"

#include "help/HelpEngine.h"
#include "help/HelpFile.h"
#include "help/HelpWindow.h"

#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QWhatsThis>
#include <gtest/gtest.h>

#include <tuple>

namespace {

class HelpEngineTest : public testing::Test {
protected:
    void TearDown() override { QWhatsThis::hideText(); }
    HelpEngine Help;
};

TEST_F(HelpEngineTest, FinderIndexAndEachContextNumberLeadToTopicsAnUnknownOneSaysSo) {
    // Callers know the commands 1, 2, 4, 8, 11, 13.
    EXPECT_FALSE(Help.Command(THelpCommand(0), 0) || Help.Command(THelpCommand(99), 0));
    Help.Command(THelpCommand::Quit, 0); // nothing open: nothing happens
    EXPECT_FALSE(Help.Window() != nullptr || Help.ShowTopic(1234));
    ASSERT_TRUE(Help.IsWindowVisible());
    THelpWindow* window = Help.Window();
    EXPECT_TRUE(window->CurrentFile().isEmpty() &&
                window->Browser()->toPlainText().contains("1234"));

    // The finder after an unknown number shows the contents and the welcome page.
    ASSERT_TRUE(Help.Command(THelpCommand::Finder, 0));
    EXPECT_EQ(window->CurrentFile(), "welcome.html");

    // A click on a title in the contents opens it.
    QTreeWidget* tree = window->ContentsTree();
    tree->expandAll();
    const auto redo = tree->findItems("Redo", Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(redo.size(), 1);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(redo[0]).center());
    EXPECT_EQ(window->CurrentContext(), 9102);

    // Typing the start of a key word and pressing Enter shows its topic.
    window->ShowIndexPage();
    QTest::keyClicks(window->IndexEdit(), "switch s");
    ASSERT_NE(window->IndexList()->currentItem(), nullptr);
    EXPECT_TRUE(window->IndexList()->currentItem()->text().startsWith("switch sides"));
    QTest::keyClick(window->IndexEdit(), Qt::Key_Return);
    EXPECT_EQ(window->CurrentContext(), 9007);

    ASSERT_TRUE(Help.Command(THelpCommand::HelpOnHelp, 0));
    EXPECT_EQ(window->CurrentFile() + " " + window->CurrentTitle(), "helponhelp.html Using Help");

    QSet<QString> titles;
    for (int context : ProgramContexts) {
        ASSERT_TRUE(Help.Command(THelpCommand::Context, quintptr(context))) << context;
        const QString title = window->CurrentTitle();
        EXPECT_TRUE(window->CurrentContext() == context && !title.isEmpty() &&
                    window->Browser()->toPlainText().contains(title) &&
                    window->windowTitle() == "Rennor Help - " + title)
            << context << ": " << window->windowTitle().toStdString();
        titles << title;
    }
    EXPECT_EQ(titles.size(), ProgramContexts.size()) << "two numbers share a title";
    // An unknown number after a topic: that topic is no longer shown, and asking for it brings
    // it back.
    EXPECT_TRUE(!Help.ShowTopic(1234) && window->CurrentFile().isEmpty());
    EXPECT_TRUE(Help.ShowTopic(ProgramContexts.back()) &&
                !window->Browser()->toPlainText().contains("1234"));
    // A control given a topic answers What's This with its pop-up; Quit hides it and the window.
    QWidget control;
    Help.AttachContext(&control, 2002);
    QHelpEvent asked(QEvent::WhatsThis, {}, QPoint(300, 200));
    QCoreApplication::sendEvent(&control, &asked);
    EXPECT_NE(VisiblePopup(), nullptr);
    Help.Command(THelpCommand::Quit, 0);
    EXPECT_FALSE(VisiblePopup() != nullptr || Help.IsWindowVisible());
    Help.ShowContents(); // help asked for again after quitting comes back
    EXPECT_TRUE(Help.IsWindowVisible());
}

TEST(HelpFileTest, EveryLinkLeadsToATopicAndEveryTopicHasATitleKeyWordsAndAPlaceInTheContents) {
    THelpFile help;
    static const QRegularExpression href("href=\"([^\"]+)\"");
    const QDir folder(QString(":/") + THelpFile::Name);
    const QStringList topics = folder.entryList({"*.html"}, QDir::Files);
    ASSERT_GT(topics.size(), 30);
    QSet<QString> inContents, indexed;
    const QList<THelpContentsEntry> contents = help.Contents();
    for (qsizetype i = 0; i < contents.size(); ++i) {
        // Topics nest under their books, one level at a time.
        EXPECT_LE(contents[i].Depth, i == 0 ? 0 : contents[i - 1].Depth + 1);
        if (!contents[i].File.isEmpty()) {
            EXPECT_FALSE(help.Title(contents[i].File).isEmpty()) << contents[i].File.toStdString();
            inContents << contents[i].File;
        }
    }
    for (const QStringList& files : help.Index()) {
        indexed.unite(QSet<QString>(files.begin(), files.end()));
    }
    for (const QString& file : topics) {
        EXPECT_TRUE(inContents.contains(file) && indexed.contains(file))
            << file.toStdString() << " is not in the contents or has no key words";
        const QString popup = help.PopupHtml(file); // the topic without its links
        EXPECT_TRUE(!popup.isEmpty() && !popup.contains("seealso") && !popup.contains("<body>"))
            << file.toStdString();
        QFile topic(folder.filePath(file));
        ASSERT_TRUE(topic.open(QIODevice::ReadOnly));
        for (const QRegularExpressionMatch& link :
             href.globalMatch(QString::fromUtf8(topic.readAll()))) {
            EXPECT_TRUE(topics.contains(link.captured(1)))
                << file.toStdString() << " links to " << link.captured(1).toStdString();
        }
    }
}

// Beside the window it helps where it fits, else on the roomier side, never past the area.
TEST(HelpWindowPlace, BesideTheAnchorWhereItFitsAndAlwaysWithinTheArea) {
    const QRect area(0, 30, 1280, 994);
    const std::tuple<QSize, QRect, QRect> cases[] = {
        {{600, 500}, {10, 40, 300, 200}, {310, 40, 600, 500}},    // right
        {{600, 500}, {900, 40, 300, 200}, {300, 40, 600, 500}},   // left
        {{900, 500}, {200, 900, 600, 100}, {380, 524, 900, 500}}, // roomier right, pushed in
        {{900, 500}, {500, 0, 600, 100}, {0, 30, 900, 500}},      // roomier left, pushed in
        {{1600, 1200}, {10, 40, 300, 200}, {0, 30, 1280, 994}},   // cut down to the area
    };
    for (const auto& [wanted, anchor, place] : cases) {
        EXPECT_EQ(PlaceBeside(wanted, anchor, area), place) << anchor.x() << "," << anchor.y();
    }
}

// At any scale the help window opens within the screen of the window it helps.
TEST(HelpWindowPlace, TheWindowOpensFittedToTheScreenOfTheWindowItHelps) {
    QWidget main;
    main.setGeometry(10, 20, 200, 150);
    main.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    HelpEngine help(&main);
    help.ShowContents();
    const QRect area = main.screen()->availableGeometry();
    const QRect shown = help.Window()->frameGeometry();
    const QSize frame = main.frameGeometry().size() - main.size(); // the same for both
    EXPECT_EQ(shown, PlaceBeside(QSize(780, 540) + frame, main.frameGeometry(), area));
    EXPECT_TRUE(area.contains(shown)) << shown.width() << "x" << shown.height();
}

} // namespace
