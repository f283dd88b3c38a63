// A real options dialog over a real settings file in a private config folder, with scripted ports.
#pragma once

#include "ui/OptionsForm.h"

#include "core/LiveSettings.h"
#include "core/Rules.h"
#include "game/ScriptedPorts.h"
#include "storage/SettingsKey.h"

#include <QAbstractButton>
#include <QApplication>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

class OptionsTest : public testing::Test {
protected:
    // One private config folder for the whole test program, before any store is opened.
    static void SetUpTestSuite() {
        static QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    }

    void SetUp() override {
        ResetGameState();
        Live = TLiveSettings{};
        NewBoard();
        Raw().clear();
        Raw().sync();
        Key = std::make_unique<TSettingsKey>();
        Form = std::make_unique<TOptionsForm>(*Key);
        Form->Hooks.NewGame = [this] {
            ++NewGames;
            StoredAtNewGame = {Stored("HUMAN vs HUMAN"), Stored("WHO IS FIRST")};
        };
        Form->Hooks.ApplySettings = [this] { ++Applies; };
        Form->Hooks.SwitchMusic = [this](bool on) { MusicSwitches.push_back(on); };
        Form->Hooks.ShowMainNames = [this](const QString& white, const QString& black) {
            MainNames = {white, black};
        };
    }

    void TearDown() override {
        Form.reset();
        ResetGameState();
    }

    static QSettings& Raw() {
        static QSettings settings(QStringLiteral("Veltrane Inc."), QStringLiteral("Rennor"));
        settings.sync();
        return settings;
    }
    static void Store(const char* name, const QString& text) {
        Raw().setValue(QLatin1String(name), text);
        Raw().sync();
    }
    static QString Stored(const char* name) { return Raw().value(QLatin1String(name)).toString(); }

    template <typename W = QWidget> W* Child(const char* name) const {
        W* widget = Form->findChild<W*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    // Clicks near the left end, where a check box has its box.
    void Click(const char* name) const {
        QAbstractButton* button = Child<QAbstractButton>(name);
        const QPoint at(std::min(8, button->width() / 2), button->height() / 2);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, at);
    }
    bool Down(const char* name) const { return Child<QAbstractButton>(name)->isChecked(); }
    QString Text(const char* name) const {
        return Child<QWidget>(name)->property("text").toString();
    }

    // Shows the dialog as the Options command does, without the modal loop.
    void Show() {
        Form->show();
        QApplication::processEvents();
    }
    void ShowOnPage(const char* page) {
        Show();
        Child<QTabWidget>("OptionsControl")->setCurrentWidget(Child(page));
    }

    TScriptedPorts Ports;
    std::unique_ptr<TSettingsKey> Key;
    std::unique_ptr<TOptionsForm> Form;
    int NewGames = 0;
    std::pair<QString, QString> StoredAtNewGame; // game mode and who is first
    int Applies = 0;
    std::vector<bool> MusicSwitches;
    std::pair<QString, QString> MainNames;
};
