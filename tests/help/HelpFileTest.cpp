// The help file itself: no broken links, every topic reachable from the contents, pop-up text
// without the "See also" line.
#include "help/HelpFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>

namespace {

QStringList TopicFiles() {
    return QDir(QString(":/") + THelpFile::Name).entryList({"*.html"}, QDir::Files);
}

QString ReadTopic(const QString& file) {
    QFile topic(QString(":/") + THelpFile::Name + "/" + file);
    return topic.open(QIODevice::ReadOnly) ? QString::fromUtf8(topic.readAll()) : QString();
}

TEST(HelpFileTest, EveryLinkLeadsToATopicAndEveryTopicHasATitleKeyWordsAndAPlaceInTheContents) {
    THelpFile help;
    static const QRegularExpression href("href=\"([^\"]+)\"");
    const QStringList topics = TopicFiles();
    ASSERT_GT(topics.size(), 30);
    QSet<QString> inContents, indexed;
    const QList<THelpContentsEntry> contents = help.Contents();
    ASSERT_FALSE(contents.isEmpty());
    EXPECT_EQ(contents.first().Depth, 0);
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
        EXPECT_TRUE(inContents.contains(file)) << file.toStdString() << " is not in the contents";
        EXPECT_TRUE(indexed.contains(file)) << file.toStdString() << " has no key words";
        for (const QRegularExpressionMatch& link : href.globalMatch(ReadTopic(file))) {
            EXPECT_TRUE(topics.contains(link.captured(1)))
                << file.toStdString() << " links to " << link.captured(1).toStdString();
        }
    }
}

TEST(HelpFileTest, APopupIsTheTopicWithoutItsSeeAlsoLine) {
    THelpFile help;
    const QString popup = help.PopupHtml(help.ContextFile(2003));
    EXPECT_TRUE(popup.contains("Sound"));
    EXPECT_FALSE(popup.contains("See also"));
    EXPECT_FALSE(popup.contains("<body>"));
    EXPECT_FALSE(help.HasContext(0));
    EXPECT_FALSE(help.HasContext(-9001));
}

} // namespace
