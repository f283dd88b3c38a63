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

TEST(HelpFileTest, EveryLinkLeadsToATopic) {
    THelpFile help;
    static const QRegularExpression href("href=\"([^\"]+)\"");
    const QStringList topics = TopicFiles();
    const QSet<QString> files(topics.begin(), topics.end());
    ASSERT_GT(files.size(), 30);
    for (const QString& file : files) {
        for (const QRegularExpressionMatch& link : href.globalMatch(ReadTopic(file))) {
            EXPECT_TRUE(files.contains(link.captured(1)))
                << file.toStdString() << " links to " << link.captured(1).toStdString();
        }
    }
}

TEST(HelpFileTest, EveryTopicHasATitleKeywordsAndAPlaceInTheContents) {
    THelpFile help;
    QSet<QString> inContents;
    for (const THelpContentsEntry& entry : help.Contents()) {
        if (!entry.File.isEmpty()) {
            EXPECT_FALSE(help.Title(entry.File).isEmpty()) << entry.File.toStdString();
            inContents << entry.File;
        }
    }
    QSet<QString> indexed;
    const QMap<QString, QStringList> index = help.Index();
    for (const QStringList& files : index) {
        indexed.unite(QSet<QString>(files.begin(), files.end()));
    }
    for (const QString& file : TopicFiles()) {
        EXPECT_TRUE(inContents.contains(file)) << file.toStdString() << " is not in the contents";
        EXPECT_TRUE(indexed.contains(file)) << file.toStdString() << " has no key words";
    }
}

TEST(HelpFileTest, ContentsNestTopicsUnderTheirBooks) {
    THelpFile help;
    const QList<THelpContentsEntry> contents = help.Contents();
    ASSERT_FALSE(contents.isEmpty());
    EXPECT_EQ(contents.first().Depth, 0);
    for (qsizetype i = 1; i < contents.size(); ++i) {
        EXPECT_LE(contents[i].Depth, contents[i - 1].Depth + 1) << contents[i].Title.toStdString();
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
