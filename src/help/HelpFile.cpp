// Reading the compiled-in topics: titles and keywords from each page's head, the contents from
// a small outline file.
#include "help/HelpFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocumentFragment>

// Resources of a static library must be registered by name before first use.
static void RegisterHelpResources() {
    Q_INIT_RESOURCE(help);
}

namespace {

QString Between(const QString& text, const QRegularExpression& pattern) {
    const QRegularExpressionMatch match = pattern.match(text);
    return match.hasMatch() ? match.captured(1).trimmed() : QString();
}

} // namespace

THelpFile::THelpFile() : FRoot(QString(":/") + Name + "/") {
    RegisterHelpResources();
}

QString THelpFile::ContextFile(int context) const {
    const QString file = QString::number(context) + ".html";
    return context > 0 && QFile::exists(FRoot + file) ? file : QString();
}

QList<int> THelpFile::Contexts() const {
    QList<int> contexts;
    const QStringList files = QDir(FRoot).entryList({"*.html"}, QDir::Files);
    for (const QString& file : files) {
        bool isNumber = false;
        const int context = file.chopped(5).toInt(&isNumber);
        if (isNumber) {
            contexts << context;
        }
    }
    std::sort(contexts.begin(), contexts.end());
    return contexts;
}

QUrl THelpFile::Url(const QString& file) const {
    return QUrl("qrc" + FRoot + file);
}

QString THelpFile::Read(const QString& file) const {
    QFile topic(FRoot + file);
    return topic.open(QIODevice::ReadOnly) ? QString::fromUtf8(topic.readAll()) : QString();
}

QString THelpFile::Title(const QString& file) const {
    static const QRegularExpression title("<title>(.*?)</title>",
                                          QRegularExpression::DotMatchesEverythingOption);
    return QTextDocumentFragment::fromHtml(Between(Read(file), title)).toPlainText();
}

QString THelpFile::PopupHtml(const QString& file) const {
    static const QRegularExpression body("<body>(.*)</body>",
                                         QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression seeAlso("<p class=\"seealso\">.*?</p>",
                                            QRegularExpression::DotMatchesEverythingOption);
    QString html = Between(Read(file), body);
    return html.remove(seeAlso).trimmed();
}

QList<THelpContentsEntry> THelpFile::Contents() const {
    QList<THelpContentsEntry> entries;
    const QStringList lines = Read("contents.txt").split('\n');
    for (const QString& line : lines) {
        if (line.trimmed().isEmpty() || line.trimmed().startsWith('#')) {
            continue;
        }
        THelpContentsEntry entry;
        const qsizetype indent = line.indexOf(QRegularExpression("\\S"));
        entry.Depth = int(indent / 2);
        const QStringList parts = line.trimmed().split('=');
        entry.Title = parts.first().trimmed();
        entry.File = parts.size() > 1 ? parts.at(1).trimmed() : QString();
        entries << entry;
    }
    return entries;
}

QMap<QString, QStringList> THelpFile::Index() const {
    static const QRegularExpression keywords("<meta name=\"keywords\" content=\"(.*?)\"");
    QMap<QString, QStringList> index;
    const QStringList files = QDir(FRoot).entryList({"*.html"}, QDir::Files);
    for (const QString& file : files) {
        const QStringList words = Between(Read(file), keywords).split(';', Qt::SkipEmptyParts);
        for (const QString& word : words) {
            index[word.trimmed()] << file;
        }
    }
    return index;
}
