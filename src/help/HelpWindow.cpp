// The help window's layout and navigation over the compiled-in topics.
#include "help/HelpWindow.h"

#include "help/HelpFile.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int FileRole = Qt::UserRole;
constexpr QSize WrittenSize(780, 540);

QPushButton* ToolButton(const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setAutoDefault(false);
    return button;
}

} // namespace

THelpWindow::THelpWindow(const THelpFile& helpFile, QWidget* parent)
    : QWidget(parent, Qt::Window), FHelpFile(helpFile) {
    setWindowTitle("Rennor Help");
    setObjectName("HelpWindow");
    // Help left open must not keep the program alive once the main window has gone.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(WrittenSize);

    FContents = new QTreeWidget(this);
    FContents->setHeaderHidden(true);
    FContents->setAccessibleName("Contents");
    FTabs = new QTabWidget(this);
    FTabs->addTab(FContents, "C&ontents");
    FTabs->addTab(MakeIndexPage(), "&Index");

    FBrowser = new QTextBrowser(this);
    FBrowser->setOpenExternalLinks(true);
    connect(FBrowser, &QTextBrowser::sourceChanged, this, &THelpWindow::UpdateTitle);

    auto* back = ToolButton("&Back", this);
    auto* forward = ToolButton("&Forward", this);
    auto* contents = ToolButton("&Contents", this);
    connect(back, &QPushButton::clicked, FBrowser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, FBrowser, &QTextBrowser::forward);
    connect(FBrowser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(FBrowser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(contents, &QPushButton::clicked, this, &THelpWindow::ShowContentsPage);
    back->setEnabled(false);
    forward->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();

    auto* splitter = new QSplitter(this);
    splitter->addWidget(FTabs);
    splitter->addWidget(FBrowser);
    splitter->setStretchFactor(1, 3);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(splitter);

    FillContents();
    FillIndex();
    connect(FContents, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const QString file = item->data(0, FileRole).toString();
        if (!file.isEmpty()) {
            ShowFile(file);
        }
    });
    connect(FContents, &QTreeWidget::itemClicked, FContents, &QTreeWidget::itemActivated);
}

QWidget* THelpWindow::MakeIndexPage() {
    auto* page = new QWidget(this);
    FIndexEdit = new QLineEdit(page);
    FIndexEdit->setAccessibleName("Index word");
    FIndexEdit->setPlaceholderText("Type the first letters of a word");
    FIndexList = new QListWidget(page);
    FIndexList->setAccessibleName("Index");
    auto* display = ToolButton("&Display", page);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(FIndexEdit);
    layout->addWidget(FIndexList);
    layout->addWidget(display);
    connect(FIndexEdit, &QLineEdit::textEdited, this, &THelpWindow::FindInIndex);
    connect(FIndexEdit, &QLineEdit::returnPressed, this, &THelpWindow::ShowIndexEntry);
    connect(FIndexList, &QListWidget::itemActivated, this, &THelpWindow::ShowIndexEntry);
    connect(display, &QPushButton::clicked, this, &THelpWindow::ShowIndexEntry);
    return page;
}

void THelpWindow::FillContents() {
    QList<QTreeWidgetItem*> parents;
    for (const THelpContentsEntry& entry : FHelpFile.Contents()) {
        parents.resize(entry.Depth);
        auto* item = parents.isEmpty() ? new QTreeWidgetItem(FContents)
                                       : new QTreeWidgetItem(parents.last());
        item->setText(0, entry.Title);
        item->setData(0, FileRole, entry.File);
        parents << item;
    }
}

// A keyword found in several topics gets one line per topic, named after it.
void THelpWindow::FillIndex() {
    const QMap<QString, QStringList> index = FHelpFile.Index();
    QStringList keywords = index.keys();
    std::sort(keywords.begin(), keywords.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    for (const QString& keyword : keywords) {
        const QStringList& files = index.value(keyword);
        for (const QString& file : files) {
            const QString text =
                files.size() == 1 ? keyword : keyword + " - " + FHelpFile.Title(file);
            auto* item = new QListWidgetItem(text, FIndexList);
            item->setData(FileRole, file);
        }
    }
}

void THelpWindow::FindInIndex(const QString& text) {
    for (int row = 0; row < FIndexList->count(); ++row) {
        if (FIndexList->item(row)->text().startsWith(text, Qt::CaseInsensitive)) {
            FIndexList->setCurrentRow(row);
            FIndexList->scrollToItem(FIndexList->item(row), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void THelpWindow::ShowIndexEntry() {
    if (QListWidgetItem* item = FIndexList->currentItem()) {
        ShowFile(item->data(FileRole).toString());
    }
}

QRect PlaceBeside(QSize wanted, const QRect& anchor, const QRect& area) {
    const QSize size = wanted.boundedTo(area.size());
    const int right = anchor.right() + 1;
    const int left = anchor.left() - size.width();
    const int roomRight = area.right() + 1 - right;
    const int roomLeft = anchor.left() - area.left();
    const bool rightSide =
        roomRight >= size.width() || (roomLeft < size.width() && roomRight >= roomLeft);
    const int x =
        std::clamp(rightSide ? right : left, area.left(), area.right() + 1 - size.width());
    const int y = std::clamp(anchor.top(), area.top(), area.bottom() + 1 - size.height());
    return {QPoint(x, y), size};
}

void THelpWindow::PlaceNear(const QWidget* anchor) {
    const QScreen* screen = anchor != nullptr ? anchor->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->availableGeometry();
    if (anchor == nullptr) {
        QRect place(QPoint(), WrittenSize.boundedTo(area.size()));
        place.moveCenter(area.center());
        setGeometry(place);
        return;
    }
    // The window system frames this window only once it is shown: take the anchor's frame.
    const QRect inner = anchor->geometry();
    const QRect outer = anchor->frameGeometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(),
                         outer.right() - inner.right(), outer.bottom() - inner.bottom());
    const QRect place = PlaceBeside(WrittenSize.grownBy(frame), outer, area);
    resize(place.size().shrunkBy(frame));
    move(place.topLeft());
}

void THelpWindow::ShowFile(const QString& file) {
    FTopicMissing = false;
    FBrowser->setSource(FHelpFile.Url(file));
}

void THelpWindow::ShowMissingContext(int context) {
    FTopicMissing = true;
    FBrowser->setHtml(QString("<h2>Topic not found</h2><p>The help file %1 has no topic for the "
                              "context number %2.</p><p>Use the <b>Contents</b> or the "
                              "<b>Index</b> to find the subject.</p>")
                          .arg(THelpFile::Name)
                          .arg(context));
    UpdateTitle(QUrl());
}

void THelpWindow::ShowContentsPage() {
    FTabs->setCurrentIndex(0);
    if (CurrentFile().isEmpty()) {
        ShowFile(THelpFile::WelcomeFile);
    }
}

void THelpWindow::ShowIndexPage() {
    FTabs->setCurrentIndex(1);
    FIndexEdit->setFocus();
}

QString THelpWindow::CurrentFile() const {
    return FTopicMissing ? QString() : FBrowser->source().fileName();
}

int THelpWindow::CurrentContext() const {
    return CurrentFile().chopped(std::min<qsizetype>(5, CurrentFile().size())).toInt();
}

QString THelpWindow::CurrentTitle() const {
    return CurrentFile().isEmpty() ? QString() : FHelpFile.Title(CurrentFile());
}

// Told the new address: while the browser announces it, it may still report the old one.
void THelpWindow::UpdateTitle(const QUrl& source) {
    FTopicMissing = source.isEmpty();
    const QString file = source.fileName();
    const QString title = file.isEmpty() ? QString() : FHelpFile.Title(file);
    setWindowTitle(title.isEmpty() ? "Rennor Help" : "Rennor Help - " + title);
}
