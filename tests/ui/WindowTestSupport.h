// What every window test shares: the real main window and options dialog offscreen over a
// private settings file, scripted answers, the real game-over report, steps given as words, and
// the game, the options and the report read in one line each.
#pragma once

#include "core/LiveSettings.h"
#include "core/Rules.h"
#include "game/MainView.h"
#include "game/PlayRecord.h"
#include "game/ScriptedPorts.h"
#include "storage/SavedGameFile.h"
#include "ui/MainForm.h"
#include "ui/OptionsForm.h"
#include "ui/ShowWinner.h"
#include "widgets/DateTimeValue.h"
#include "widgets/Digits.h"
#include "widgets/RxDrawGrid.h"
#include "widgets/TurnStone.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

class WindowTest : public testing::Test {
protected:
    // The parts as text, joined by spaces.
    template <typename... T> static QString Line(const T&... parts) {
        return QStringList{QVariant(parts).toString()...}.join(' ');
    }
    static QString Hex(TColorValue colour) { return QString::number(colour, 16); }
    // The commands the game enables: "URAPH" (Undo, Redo, Auto Play, rePlay, Hint), '-' if not.
    static QString Commands() {
        QString s;
        for (int c = 0; c < 5; ++c) {
            s += MainView().CommandEnabled(TCommand(c)) ? QStringLiteral("URAPH")[c] : QChar('-');
        }
        return s;
    }

    // Scripted answers; the game-over report is the real one, read in one line and closed:
    // "Winner: moves hints undo comments switched, the stone as drawn at its centre / its rim
    // (or none), the commands while it is open".
    class TReportPorts final : public TScriptedPorts {
    public:
        QStringList Reports;
        QStringList StatusAtReport; // the status bar as each report opened, before any hover
        bool CloseWithEnter = false;

        void ShowGameReport() override {
            StatusAtReport << MainForm->StatusBar->text();
            TWinnerForm f(MainForm->MediaPlayer1, MainForm);
            QTimer::singleShot(0, &f, [&] {
                const QString stone = f.WinnerColor->isVisible()
                                          ? f.grab().toImage().pixelColor(100, 22).name() + '/' +
                                                f.WinnerColor->PenColor().name()
                                          : "none";
                Reports << f.WinnerName->text() + ": " +
                               Line(f.MovesDone->text(), f.HintsUsed->text(), f.UndoUsed->text(),
                                    f.CommentsUsed->text(), f.SwitchedSides->text(), stone,
                                    Commands());
                QTest::keyClick(&f, CloseWithEnter ? Qt::Key_Return : Qt::Key_Escape);
            });
            f.exec();
        }
    };

    static void SetUpTestSuite() {
        static QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
        // No sound server: a window test never reaches the user's (audio tests start their own).
        qputenv("PULSE_SERVER", ("unix:" + home.filePath("none")).toUtf8());
    }
    void SetUp() override {
        Raw().clear();
        for (const char* name : {"MUSIC", "SOUND", "RANDOMNESS"}) {
            Store(name, name[0] == 'R' ? "1" : "0");
        }
    }
    void TearDown() override { Stop(); }

    // Creates the windows as start-up does and shows the main window, which starts the game.
    void Start() {
        Form = std::make_unique<TMainForm>();
        Options = std::make_unique<TOptionsForm>(Form->Key(), Form.get());
        Form->SetOptionsForm(Options.get());
        Ports = std::make_unique<TReportPorts>();
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }
    // Starts afresh over a store that holds these values as well.
    void StartWith(std::initializer_list<std::pair<const char*, const char*>> stored) {
        Stop();
        SetUp();
        for (auto [name, text] : stored) {
            Store(name, text);
        }
        Start();
    }
    void Stop() {
        Ports.reset();
        Options.reset();
        Form.reset();
        ResetGameState();
        ResetPlayRecord();
        Live = TLiveSettings{};
    }

    static QSettings& Raw() {
        static QSettings settings(QStringLiteral("Veltrane Inc."), QStringLiteral("Rennor"));
        settings.sync();
        return settings;
    }
    static void Store(const char* name, const QVariant& value) {
        Raw().setValue(QLatin1String(name), value);
        Raw().sync();
    }
    static QString Stored(const char* name) { return Raw().value(QLatin1String(name)).toString(); }
    // What the store holds of the names in "name=text, name=text...", in that form.
    static QString StoredLike(const QString& values) {
        QStringList stored;
        for (const QString& value : values.split(", ")) {
            stored << value.section('=', 0, 0) + '=' +
                          Raw().value(value.section('=', 0, 0)).toString();
        }
        return stored.join(", ");
    }

    // Steps, one a word: "5,4" clicks that square; a capital letter gives a menu command (New
    // game, Auto play, rePlay, sWitch sides, Hint, Undo, Redo, eXit, Load or Save File, Options);
    // "no" answers the next question; any other word presses the options dialog's control of
    // that name.
    void Do(const QString& steps) {
        const TMainMenuItems& m = Form->Menu;
        const QList<QAction*> items = {m.NewGame1,  m.AutoPlay1, m.Replay1, m.SwitchSides1,
                                       m.Hint1,     m.Undo1,     m.Redo1,   m.Exit1,
                                       m.LoadGame1, m.SaveGame1, m.Options1};
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            if (step.contains(',')) {
                Click(step.section(',', 0, 0).toInt(), step.section(',', 1).toInt());
            } else if (step == "no") {
                Ports->ConfirmAnswers.push_back(false);
            } else if (const int i = QStringLiteral("NAPWHURXLSO").indexOf(step);
                       step.size() == 1 && i >= 0) {
                Ports->FileNames = {File};
                items[i]->trigger();
            } else { // near the left end, where a check box has its box
                auto* button = Control<QAbstractButton>(step.toLatin1());
                QTest::mouseClick(button, Qt::LeftButton, {},
                                  {std::min(8, button->width() / 2), 5});
            }
        }
    }
    // The options dialog as the Options command shows it, without its modal loop, on page.
    void ShowOptions(const char* page = nullptr) {
        Options->show();
        QApplication::processEvents();
        if (page != nullptr) {
            Control<QTabWidget>("OptionsControl")->setCurrentWidget(Control(page));
        }
    }

    // The game: stones on the board, moves made, moves shown, the colour to move or "over",
    // undo and hint counts, the commands, questions asked, reports and error boxes shown.
    QString State() const {
        int stones = 0;
        for (int i = 0; i < BoardSize * BoardSize; ++i) {
            stones += Game.Board[i / BoardSize + 1][i % BoardSize + 1] != NoStone;
        }
        const char* toMove = IsGameOver() ? "over" : Game.ColorToMove == WhiteStone ? "W" : "B";
        return Line(stones, Game.MoveCount, Form->MovesDone->Value(), toMove, "undo",
                    Play.UndoUsedCount, "hints", Play.HintsUsedCount, Commands(), "asked",
                    Ports->Questions.size(), "reports", Ports->Reports.size()) +
               (Ports->Errors.isEmpty() ? "" : " error " + Ports->Errors.join('|'));
    }
    // The moves made, as "W5,5 B10,10".
    static QString MovesMade() {
        QStringList moves;
        for (int i = 1; i <= Game.MoveCount; ++i) {
            const TMoveRecord& m = Game.Moves[i];
            moves << QString::asprintf("%c%d,%d", m.Color == WhiteStone ? 'W' : 'B', m.X, m.Y);
        }
        return moves.join(' ');
    }
    // Writes a saved game of these moves, first's colour first, with Undo and Redo enabled.
    static void WriteGame(const QString& path, const std::vector<std::pair<int, int>>& squares,
                          TStoneColor first = BlackStone, int hints = 0) {
        TSavedGame saved;
        for (auto [x, y] : squares) {
            const bool firsts = saved.MoveCount % 2 == 0;
            saved.Moves[++saved.MoveCount] = {
                firsts == (first == BlackStone) ? BlackStone : WhiteStone, x, y};
        }
        std::tie(saved.LastMoveX, saved.LastMoveY) = squares.back();
        saved.Play.UndoEnabled = saved.Play.RedoEnabled = true;
        saved.Play.HintsUsedCount = hints;
        WriteSavedGame(path, saved);
    }
    // The options dialog: boxes and mode; who is first; the stones down; name boxes and labels;
    // A-D bar and read-out; randomness button down and speed bars. Then the live settings:
    // A-D factor; randomness and pending; speeds; board, hint, last-move colours, pending hint
    // and last-move colours and whether the last changed; the first player's colour.
    QString OptionsShown() const {
        QStringList stones;
        int down = 0; // the randomness button down, 0 if none
        for (const char* s : {"BlackPlayer", "WhitePlayer", "WhiteMaster", "BlackMaster"}) {
            if (Control<QAbstractButton>(QByteArray(s) + "SpeedButton")->isChecked()) {
                stones << s;
            }
        }
        for (int i = 1; i <= 11; ++i) {
            down +=
                i * Control<QAbstractButton>("SpeedButton" + QByteArray::number(i))->isChecked();
        }
        const TOptionsForm& o = *Options;
        const TLiveSettings& l = Live;
        return QStringList{
            Line("music", o.MusicChecked(), "sound", o.SoundChecked(), "humans", o.HumanHuman(),
                 "box", Control("SecondPlayerEditBox")->isEnabled()),
            o.WhoMovesFirstCaption(),
            stones.join(' '),
            Line(o.FirstPlayerText(), "/", o.SecondPlayerText(), "shown", o.FirstPlayerLabel(), "/",
                 o.SecondPlayerLabel()),
            Line("A-D", o.ADPosition(), Control<QLabel>("ADPanel")->text()),
            Line("randomness", down, "speeds", o.AutoPlayPosition(), o.ReplayPosition()),
            Line("live A-D", l.ADFactor, "randomness", l.Randomness, l.PendingRandomness, "speeds",
                 l.AutoPlaySpeed, l.ReplaySpeed),
            Line("colours", Hex(l.BoardColor), Hex(l.HintColor), Hex(l.LastMoveColor), "pending",
                 Hex(l.PendingHintColor), Hex(l.PendingLastMoveColor), l.LastMoveColorChanged,
                 "first", l.FirstPlayerColor == WhiteStone ? "W" : "B")}
            .join(", ");
    }
    QString Shown(int from, int to = -1) const {
        return OptionsShown().section(", ", from, to < 0 ? from : to);
    }

    TRxDrawGrid& Grid() const { return *Form->CellGrid; }
    TMainMenuItems& Items() const { return Form->Menu; }
    // The centre of board square (X, Y) in the grid's widget coordinates.
    QPoint SquareCentre(int X, int Y) const {
        return Grid().ClientOrigin() + Grid().CellRect(X - 1, Y - 1).center();
    }
    void Click(int X, int Y, Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mouseClick(&Grid(), button, Qt::NoModifier, SquareCentre(X, Y));
    }
    // The board as it stands on the screen, without painting anything anew.
    QImage Board() const {
        const QPoint origin = Grid().mapTo(Form.get(), Grid().ClientOrigin());
        const QSize size = Grid().ClientRect().size();
        return Form->screen()
            ->grabWindow(Form->winId(), origin.x(), origin.y(), size.width(), size.height())
            .toImage();
    }
    // The colour of square (X, Y) at (dx, dy) from its top-left corner, as "rrggbb".
    QString Pixel(const QImage& board, int X, int Y, int dx, int dy) const {
        return board.pixelColor(Grid().CellRect(X - 1, Y - 1).topLeft() + QPoint(dx, dy))
            .name()
            .mid(1);
    }
    // A pixel of a smoothed stone rim, which smoothing moves a few levels off its colour, as
    // "rrggbb" with each channel taken to the nearest of 00, 80 and ff.
    static QString Stark(const QColor& c) {
        const auto level = [](int v) { return v < 64 ? 0 : v < 192 ? 128 : 255; };
        return QString::asprintf("%02x%02x%02x", level(c.red()), level(c.green()), level(c.blue()));
    }
    template <typename W = QWidget> W* Control(const QByteArray& name) const {
        W* widget = Options->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name.constData();
        return widget;
    }

    std::unique_ptr<TMainForm> Form;
    std::unique_ptr<TOptionsForm> Options;
    std::unique_ptr<TReportPorts> Ports;
    QString File; // the file that L and S name
};
