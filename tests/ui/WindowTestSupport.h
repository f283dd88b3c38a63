// What every window test shares: the real main window and options dialog offscreen over a
// private settings file, scripted answers, the real game-over report, and the game in one line.
#pragma once

#include "core/LiveSettings.h"
#include "core/Rules.h"
#include "game/MainView.h"
#include "game/PlayRecord.h"
#include "game/ScriptedPorts.h"
#include "ui/MainForm.h"
#include "ui/OptionsForm.h"
#include "ui/ShowWinner.h"
#include "widgets/DateTimeValue.h"
#include "widgets/Digits.h"
#include "widgets/RxDrawGrid.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Failures show texts as texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// The commands the game flow enables, as "URAPH" (Undo, Redo, Auto Play, rePlay, Hint) with a
// '-' for each one disabled.
inline QString Commands() {
    QString s;
    for (auto [c, letter] : {std::pair{TCommand::Undo, 'U'},
                             {TCommand::Redo, 'R'},
                             {TCommand::AutoPlay, 'A'},
                             {TCommand::Replay, 'P'},
                             {TCommand::Hint, 'H'}}) {
        s += MainView().CommandEnabled(c) ? QLatin1Char(letter) : QLatin1Char('-');
    }
    return s;
}

// Scripted answers and files; the game-over report is the real one, read in one line and closed.
class TReportPorts final : public TPorts {
public:
    TScriptedPorts Scripted;
    QStringList Reports;
    QImage Picture; // the last report as drawn
    bool CloseWithEnter = false;

    TReportPorts() { InstallPorts(this); }
    ~TReportPorts() override { InstallPorts(nullptr); }
    bool Confirm(const QString& question) override { return Scripted.Confirm(question); }
    void ShowError(const QString& message) override { Scripted.ShowError(message); }
    bool ConfirmExit() override { return Scripted.ConfirmExit(); }
    std::optional<QString> AskSaveFileName(const TFileDialogSpec& d) override {
        return Scripted.AskSaveFileName(d);
    }
    std::optional<QString> AskOpenFileName(const TFileDialogSpec& d) override {
        return Scripted.AskOpenFileName(d);
    }
    std::optional<TColorValue> PickColor(TColorValue c) override { return Scripted.PickColor(c); }

    // "Winner: moves, hints, undo, comments, switched, stone (the colour at its centre / its
    // rim) or none; the commands while it was open".
    void ShowGameReport() override {
        TWinnerForm f(MainForm->MediaPlayer1, MainForm);
        QTimer::singleShot(0, &f, [&] {
            Picture = f.grab().toImage();
            const QString stone =
                f.WinnerColor->isVisible()
                    ? Picture.pixelColor(100, 22).name() + '/' + f.WinnerColor->PenColor().name()
                    : QStringLiteral("none");
            Reports << QStringLiteral("%1: %2 moves, hints %3, undo %4, comments %5, switched %6, "
                                      "stone %7; %8")
                           .arg(f.WinnerName->text(), f.MovesDone->text(), f.HintsUsed->text(),
                                f.UndoUsed->text(), f.CommentsUsed->text(), f.SwitchedSides->text(),
                                stone, Commands());
            QTest::keyClick(&f, CloseWithEnter ? Qt::Key_Return : Qt::Key_Escape);
        });
        f.exec();
    }
};

class WindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
        // No sound server at all: a window test never reaches the user's (audio tests start one
        // of their own).
        qputenv("PULSE_SERVER", ("unix:" + home.filePath("no-server")).toUtf8());
    }
    void SetUp() override {
        Raw().clear();
        for (auto [name, text] : {std::pair{"MUSIC", "0"}, {"SOUND", "0"}, {"RANDOMNESS", "1"}}) {
            Store(name, text);
        }
    }
    void TearDown() override { Stop(); }

    // Creates the windows as start-up does and shows the main window, which starts the game.
    void Start() {
        Form = std::make_unique<TMainForm>();
        Options = std::make_unique<TOptionsForm>(Form->Key(), Form.get());
        Form->SetOptionsForm(Options.get());
        Ports = std::make_unique<TReportPorts>();
        Answers = &Ports->Scripted;
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
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

    // The game as the window shows it: stones on the board / moves made / moves shown, the
    // colour to move or "over", undo and hint counts, the commands, questions asked, reports and
    // error boxes.
    QString State() const {
        int stones = 0;
        for (int X = 1; X <= BoardSize; ++X) {
            for (int Y = 1; Y <= BoardSize; ++Y) {
                stones += Game.Board[X][Y] != NoStone;
            }
        }
        const QString toMove = IsGameOver() ? "over" : Game.ColorToMove == WhiteStone ? "W" : "B";
        return QStringLiteral("%1/%2/%3 %4, undo %5, hints %6, %7, asked %8, reports %9")
                   .arg(stones)
                   .arg(Game.MoveCount)
                   .arg(Form->MovesDone->Value())
                   .arg(toMove)
                   .arg(Play.UndoUsedCount)
                   .arg(Play.HintsUsedCount)
                   .arg(Commands())
                   .arg(Answers->Questions.size())
                   .arg(Ports->Reports.size()) +
               (Answers->Errors.isEmpty() ? "" : ", error " + Answers->Errors.join('|'));
    }

    // The moves made, as "W5,5 B10,10".
    static QString MovesMade() {
        QStringList moves;
        for (int i = 1; i <= Game.MoveCount; ++i) {
            const TMoveRecord& m = Game.Moves[i];
            moves << QStringLiteral("%1%2,%3")
                         .arg(m.Color == WhiteStone ? 'W' : 'B')
                         .arg(m.X)
                         .arg(m.Y);
        }
        return moves.join(' ');
    }

    // The options dialog as the user sees it: check boxes, mode, who is first, the stones down
    // (Black/White Player/Master), the name boxes and the labels, the A-D bar and its read-out,
    // the randomness button down, the autoplay and replay bars.
    QString OptionsShown() const {
        QStringList stones;
        for (const char* s : {"BlackPlayer", "WhitePlayer", "WhiteMaster", "BlackMaster"}) {
            if (Control<QAbstractButton>((QByteArray(s) + "SpeedButton").constData())
                    ->isChecked()) {
                stones << QString::fromLatin1(s);
            }
        }
        int random = 0;
        for (int i = 1; i <= 11; ++i) {
            const QByteArray name = "SpeedButton" + QByteArray::number(i);
            random = Control<QAbstractButton>(name.constData())->isChecked() ? i : random;
        }
        const auto& o = *Options;
        return QStringLiteral("music %1 sound %2 humans %3 box %4, %5, %6, names %7/%8 shown %9/")
                   .arg(o.MusicChecked())
                   .arg(o.SoundChecked())
                   .arg(o.HumanHuman())
                   .arg(Control("SecondPlayerEditBox")->isEnabled() ? "on" : "off")
                   .arg(o.WhoMovesFirstCaption(), stones.join(' '), o.FirstPlayerText(),
                        o.SecondPlayerText(), o.FirstPlayerLabel()) +
               QStringLiteral("%1, A-D %2 (%3), randomness button %4, speeds %5/%6")
                   .arg(o.SecondPlayerLabel())
                   .arg(o.ADPosition())
                   .arg(Control<QLabel>("ADPanel")->text())
                   .arg(random)
                   .arg(o.AutoPlayPosition())
                   .arg(o.ReplayPosition());
    }
    // The live settings: A-D factor, randomness (pending), autoplay/replay speeds, board, hint and
    // last-move colours (pending, changed), the first player's colour.
    static QString LiveShown() {
        return QStringLiteral("A-D %1, randomness %2 (%3), speeds %4/%5, colours %6/%7/%8 (%9/")
                   .arg(Live.ADFactor)
                   .arg(Live.Randomness)
                   .arg(Live.PendingRandomness)
                   .arg(Live.AutoPlaySpeed)
                   .arg(Live.ReplaySpeed)
                   .arg(Live.BoardColor, 0, 16)
                   .arg(Live.HintColor, 0, 16)
                   .arg(Live.LastMoveColor, 0, 16)
                   .arg(Live.PendingHintColor, 0, 16) +
               QStringLiteral("%1 %2), first %3")
                   .arg(Live.PendingLastMoveColor, 0, 16)
                   .arg(Live.LastMoveColorChanged ? "changed" : "kept")
                   .arg(Live.FirstPlayerColor == WhiteStone ? 'W' : 'B');
    }
    // Every stored value, by name.
    static QString StoredValues() {
        QStringList values;
        for (const QString& name : Raw().allKeys()) {
            values << name + '=' + Raw().value(name).toString();
        }
        return values.join(", ");
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
    // A pixel of square (X, Y) at (dx, dy) from its top-left corner.
    QColor Pixel(const QImage& board, int X, int Y, int dx, int dy) const {
        return board.pixelColor(Grid().CellRect(X - 1, Y - 1).topLeft() + QPoint(dx, dy));
    }
    template <typename W = QWidget> W* Control(const char* name) const {
        W* widget = Options->findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    std::unique_ptr<TMainForm> Form;
    std::unique_ptr<TOptionsForm> Options;
    std::unique_ptr<TReportPorts> Ports;
    TScriptedPorts* Answers = nullptr;
};
