#pragma once

#include "game/game_window.h"
#include "game/game_window_host.h"
#include "help/help_commands.h"
#include "settings/memory_registry.h"
#include "settings/settings_store.h"
#include "settings/value_names.h"
#include "support/scripted_help.h"
#include "support/scripted_platform.h"

#include <gtest/gtest.h>

#include <functional>

namespace tessaloom::testing {

// Stands in for the windows around the game window; `whileOpen` runs where a modal one would.
class ScriptedHost final : public GameWindowHost {
public:
    int pictureDialogs = 0;
    int programEnds = 0;
    std::function<void()> whileOpen;  // runs inside the picture dialog or the About box

    bool showPictureDialog() override
    {
        ++pictureDialogs;
        if (whileOpen)
            whileOpen();
        return programEnds == 0;
    }
    void showAboutBox() override
    {
        if (whileOpen)
            whileOpen();
    }
    void endProgram() override { ++programEnds; }
};

// A game window's logic on scripted services and an in-memory settings store.
class GameFixture : public ::testing::Test {
protected:
    ScriptedMessageBoxes messageBoxes;
    ScriptedPictures pictures;
    FakeFileSystem files;
    ScriptedRandom random;
    MemoryRegistry registry;
    SettingsStore settings{registry};
    ScriptedHost host;
    ScriptedHelpViewer helpViewer;
    ScriptedWebBrowser webBrowser;
    FixedProgramFolder programFolder{"/opt/tessaloom"};
    HelpCommands help{programFolder, helpViewer, webBrowser};
    GameWindow game{{messageBoxes, pictures, files, random, settings, host, help}};

    const GameState& state() const { return game.state(); }
    const GameWindowControls& controls() const { return game.controls(); }
    const CardButton& card(int p) const { return game.controls().btnButton[p]; }

    void store(const std::string& name, const SettingValue& value)
    {
        settings.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name, value);
    }
    SettingValue stored(const std::string& name)
    {
        return settings.ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name);
    }

    // The other visible position that carries the same pair number as position p.
    int partnerOf(int p) const
    {
        for (int q = 0; q < state().NumCards; ++q)
            if (q != p && card(q).Visible && state().CardValue[q] == state().CardValue[p])
                return q;
        return -1;
    }
    // A visible position whose pair number differs from position p's.
    int strangerOf(int p) const
    {
        for (int q = 0; q < state().NumCards; ++q)
            if (card(q).Visible && state().CardValue[q] != state().CardValue[p])
                return q;
        return -1;
    }
    int firstVisible() const
    {
        for (int q = 0; q < kBoardPositions; ++q)
            if (card(q).Visible)
                return q;
        return -1;
    }

    // Turns two cards and lets the flip timer fire.
    void turnPair(int a, int b)
    {
        game.btnButton_Click(a);
        game.btnButton_Click(b);
        game.Timer1_Timer();
    }
};

} // namespace tessaloom::testing
