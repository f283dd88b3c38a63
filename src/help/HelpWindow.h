// The help window: contents and index on the left, the topic on the right, with back and forward.
#pragma once

#include <QRect>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;
class QUrl;
class THelpFile;

// Where a window of outer size `wanted` goes beside `anchor` (both outer rectangles): cut down to
// `area`, right of the anchor where it fits, else left of it, else on the side with more room,
// and always within the area.
QRect PlaceBeside(QSize wanted, const QRect& anchor, const QRect& area);

class THelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit THelpWindow(const THelpFile& helpFile, QWidget* parent = nullptr);

    // Fits the window to the available area of the anchor's screen, beside the anchor; without
    // an anchor, in the middle of the primary screen.
    void PlaceNear(const QWidget* anchor);

    void ShowFile(const QString& file);
    // A page that says the topic of a context number is missing, so a wrong number is noticed.
    void ShowMissingContext(int context);
    void ShowContentsPage();
    void ShowIndexPage();

    // The file of the topic shown ("9004.html"); empty for the missing-topic page.
    QString CurrentFile() const;
    // The context number of the topic shown; 0 for topics without one.
    int CurrentContext() const;
    QString CurrentTitle() const;

    QTreeWidget* ContentsTree() const { return FContents; }
    QListWidget* IndexList() const { return FIndexList; }
    QLineEdit* IndexEdit() const { return FIndexEdit; }
    QTextBrowser* Browser() const { return FBrowser; }

private:
    QWidget* MakeIndexPage();
    void FillContents();
    void FillIndex();
    void FindInIndex(const QString& text);
    void ShowIndexEntry();
    void UpdateTitle(const QUrl& source);

    const THelpFile& FHelpFile;
    QTabWidget* FTabs = nullptr;
    QTreeWidget* FContents = nullptr;
    QLineEdit* FIndexEdit = nullptr;
    QListWidget* FIndexList = nullptr;
    QTextBrowser* FBrowser = nullptr;
    // The "Topic not found" page is set as text: the browser still names the topic before it.
    bool FTopicMissing = false;
};
