#pragma once

#include "game/game_window.h"
#include "game/game_window_host.h"
#include "support/scripted_services.h"

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
class GameFixture : public ::testing::Test, protected ScriptedServices {
protected:
    ScriptedRandom random;
    ScriptedHost host;
    GameWindow game{{messageBoxes, pictures, files, random, settings, host, help}};

    const GameState& state() const { return game.state(); }
    const GameWindowControls& controls() const { return game.controls(); }
    const CardButton& card(int p) const { return game.controls().btnButton[p]; }

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
