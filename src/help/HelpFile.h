// The help file "Rennor.hlp": HTML topics compiled in as resources, addressed by context number,
// with a contents tree and a keyword index.
#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QUrl>

// One line of the contents: a book (no file) or a topic, at a depth from 0.
struct THelpContentsEntry {
    int Depth = 0;
    QString Title;
    QString File;
};

class THelpFile {
public:
    // The help file's name, as the program announces it; its topics live under ":/<name>/".
    static constexpr const char* Name = "Rennor.hlp";
    // The topic shown first by the contents, and the help on using help.
    static constexpr const char* WelcomeFile = "welcome.html";
    static constexpr const char* HelpOnHelpFile = "helponhelp.html";

    THelpFile();

    // The file of a context number's topic ("9004.html"); empty when the number has none.
    QString ContextFile(int context) const;
    bool HasContext(int context) const { return !ContextFile(context).isEmpty(); }
    // Every context number that has a topic, ascending.
    QList<int> Contexts() const;

    QUrl Url(const QString& file) const;
    QString Title(const QString& file) const;
    // The topic's body without its "See also" line, for a pop-up beside a control.
    QString PopupHtml(const QString& file) const;

    QList<THelpContentsEntry> Contents() const;
    // Keyword -> files of the topics that list it, from each topic's keywords.
    QMap<QString, QStringList> Index() const;

private:
    QString Read(const QString& file) const;

    QString FRoot;
};
