// Every text of every window and dialog fits the space it is drawn in, every picture is drawn for
// the screen's pixel ratio and the main window keeps its layout; CTest runs it at each scale.
#include "WindowTestSupport.h"

#include "ui/AboutForm.h"
#include "ui/ExitForm.h"
#include "ui/LogoForm.h"
#include "ui/ReviewForm.h"
#include "widgets/SecretPanel.h"

#include <QtWidgets>

namespace {

struct TFit {
    int Texts = 0;
    QStringList Cut;

    // Trailing blanks leave no ink, so they may stand outside the space.
    static QSize Ink(const QWidget* w, QString text) {
        return w->fontMetrics().size(Qt::TextShowMnemonic, text.remove(QRegularExpression(" +$")));
    }
    void Need(const QWidget* w, const QString& text, QSize need, const QRect& space) {
        ++Texts;
        const bool inside = w->isWindow() || w->parentWidget()->rect().contains(w->geometry());
        if (need.width() > space.width() || need.height() > space.height() || !inside) {
            Cut << QStringLiteral("%1 \"%2\"").arg(w->metaObject()->className(), text);
        }
    }
    void Window(QWidget* window) {
        for (QWidget* w : window->findChildren<QWidget*>()) {
            if (w->isVisibleTo(window)) {
                Control(w);
            }
        }
    }
    void Menu(QWidget* menu) { // a menu bar or a menu, and the menus it opens
        auto* bar = qobject_cast<QMenuBar*>(menu);
        for (QAction* a : menu->actions()) {
            const QRect place = bar ? bar->actionGeometry(a) & bar->rect()
                                    : static_cast<QMenu*>(menu)->actionGeometry(a);
            const QString shortcut = a->shortcut().toString(QKeySequence::NativeText);
            if (!a->isSeparator()) {
                Need(menu, a->text(), Ink(menu, a->text() + shortcut), place);
            }
            if (a->menu()) {
                Menu(a->menu());
            }
        }
    }
    void Control(QWidget* w);
};

void TFit::Control(QWidget* w) {
    const QFontMetrics fm = w->fontMetrics();
    const int frame = w->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, w);
    if (auto* l = qobject_cast<QLabel*>(w); l && !l->pixmap().isNull()) {
        const QPixmap& p = l->pixmap();
        if (p.size() != p.deviceIndependentSize().toSize() * l->devicePixelRatioF()) {
            Cut << "a picture not drawn at the pixel ratio";
        }
    } else if (l && !l->text().isEmpty()) {
        const QSize wrapped(l->minimumSizeHint().width(), l->heightForWidth(l->width()));
        Need(l, l->text(), l->wordWrap() ? wrapped : l->sizeHint(), l->rect());
    } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
        if (!b->icon().availableSizes().contains(b->iconSize() * b->devicePixelRatioF()) &&
            !b->icon().isNull()) {
            Cut << b->objectName() + " has no icon drawn at the pixel ratio";
        }
        QStyleOptionButton o;
        o.initFrom(b);
        const auto space = qobject_cast<QCheckBox*>(b)      ? QStyle::SE_CheckBoxContents
                           : qobject_cast<QRadioButton*>(b) ? QStyle::SE_RadioButtonContents
                                                            : QStyle::SE_PushButtonContents;
        if (!b->text().isEmpty()) {
            Need(b, b->text(), Ink(b, b->text()), b->style()->subElementRect(space, &o, b));
        }
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        const QSize need(fm.horizontalAdvance(e->text()) + 1, fm.height()); // text and cursor
        Need(e, e->text(), need, e->rect().adjusted(frame + 2, frame + 1, -frame - 2, -frame - 1));
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        Need(g, g->title(), g->minimumSizeHint(), g->rect()); // the title and its margins
    } else if (auto* t = qobject_cast<QTabBar*>(w)) {
        const int padding = t->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, t);
        for (int i = 0; i < t->count(); ++i) {
            const QSize need = Ink(t, t->tabText(i)) + QSize(padding, 0);
            Need(t, t->tabText(i), need, t->tabRect(i) & t->rect());
        }
    } else if (auto* p = qobject_cast<TSecretPanel*>(w)) {
        p->SetActive(true);
        for (const QString& line : p->Lines()) {
            Need(p, line, {fm.horizontalAdvance(line), p->LineHeight()}, p->TextRect());
        }
        p->SetActive(false);
    }
}

TEST_F(WindowTest, EveryTextFitsItsSpaceAndEveryPictureTheScreen) {
    Start();
    TFit fit;
    fit.Window(Form.get());
    fit.Menu(Form->menuBar());
    EXPECT_EQ(Form->menuBar()->actionGeometry(Form->Menu.Help1->menuAction()).top(), 0)
        << "the menu bar keeps one row";
    fit.Menu(Form->Menu.PopUpMenu2);

    Options->SetADPosition(0); // "-16", the widest read-out
    for (const char* page : {"Preferences", "PlayerSettings", "GeneralSettings", "AIE", "Rules"}) {
        ShowOptions(page);
        fit.Window(Options.get());
    }
    Options->hide();
    for (int x = 1; x <= 5; ++x) { // a game won, for the report
        MakeMove(x, 1);
        MakeMove(x, 3);
    }
    TAboutForm about(Form.get());
    TExitForm exit(Form.get());
    TWinnerForm report(nullptr, Form.get());
    TLogoForm logo;
    TReviewForm review({19, {{0, 0, BlackStone}}, WhiteStone, TRule::Freestyle}, Form.get());
    for (QWidget* window :
         std::initializer_list<QWidget*>{&about, &exit, &report, &logo, &review}) {
        window->show();
        fit.Window(window);
        window->hide();
    }

    EXPECT_GT(fit.Texts, 100);
    EXPECT_TRUE(fit.Cut.isEmpty()) << "at scale " << qgetenv("QT_SCALE_FACTOR").constData() << ":\n"
                                   << fit.Cut.join(QLatin1Char('\n')).toStdString();
}

} // namespace
