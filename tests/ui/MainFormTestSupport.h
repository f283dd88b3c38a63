// The real main window and options dialog offscreen, over a private settings file, with scripted
// ports.
#pragma once

#include "core/LiveSettings.h"
#include "core/Rules.h"
#include "game/PlayRecord.h"
#include "game/ScriptedPorts.h"
#include "ui/MainForm.h"
#include "ui/OptionsForm.h"
#include "widgets/Digits.h"
#include "widgets/RXCtrls.h"
#include "widgets/RxDrawGrid.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

class MainFormTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        static QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    }

    void SetUp() override {
        ResetGameState();
        ResetPlayRecord();
        Live = TLiveSettings{};
        Raw().clear();
        Store("MUSIC", QStringLiteral("0")); // no synthesizer in most tests
        Store("RANDOMNESS", QStringLiteral("1"));
    }

    void TearDown() override {
        Scripted.reset();
        Options.reset();
        Form.reset();
        ResetGameState();
        ResetPlayRecord();
    }

    // Creates the windows as start-up does and shows the main window, which starts the game.
    void Start() {
        Form = std::make_unique<TMainForm>();
        Options = std::make_unique<TOptionsForm>(Form->Key(), Form.get());
        Form->SetOptionsForm(Options.get());
        Scripted = std::make_unique<TScriptedPorts>();
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
    }

    static QSettings& Raw() {
        static QSettings settings(QStringLiteral("Veltrane Inc."), QStringLiteral("Rennor"));
        return settings;
    }
    static void Store(const char* name, const QString& text) {
        Raw().setValue(QLatin1String(name), text);
        Raw().sync();
    }

    TRxDrawGrid& Grid() const { return *Form->CellGrid; }
    // The centre of board square (X, Y) in the grid's widget coordinates.
    QPoint SquareCentre(int X, int Y) const {
        return Grid().ClientOrigin() + Grid().CellRect(X - 1, Y - 1).center();
    }
    void Click(int X, int Y, Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mouseClick(&Grid(), button, Qt::NoModifier, SquareCentre(X, Y));
    }
    // The grid's client area as it stands on the screen, without painting anything anew.
    QImage Board() const {
        const QPoint origin = Grid().mapTo(Form.get(), Grid().ClientOrigin());
        const QSize size = Grid().ClientRect().size();
        return Form->screen()
            ->grabWindow(Form->winId(), origin.x(), origin.y(), size.width(), size.height())
            .toImage();
    }
    // A pixel of square (X, Y) at (dx, dy) from the square's top-left corner.
    QColor SquarePixel(const QImage& board, int X, int Y, int dx, int dy) const {
        const QPoint corner = Grid().CellRect(X - 1, Y - 1).topLeft();
        return board.pixelColor(corner + QPoint(dx, dy));
    }
    int StonesOnBoard() const {
        int n = 0;
        for (int X = 1; X <= BoardSize; ++X) {
            for (int Y = 1; Y <= BoardSize; ++Y) {
                n += Game.Board[X][Y] != NoStone;
            }
        }
        return n;
    }

    std::unique_ptr<TMainForm> Form;
    std::unique_ptr<TOptionsForm> Options;
    std::unique_ptr<TScriptedPorts> Scripted;
};
