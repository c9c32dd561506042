#pragma once

#include "game/game_window.h"
#include "game/game_window_host.h"
#include "support/scripted_services.h"

#include <gtest/gtest.h>

#include <functional>

namespace tessaloom::testing {

// Stands in for the windows around the game window; `whileOpen` runs where a modal one would.
struct ScriptedHost final : GameWindowHost {
    int programEnds = 0;
    std::function<void()> whileOpen; // runs inside the picture dialog or the About box

    bool showPictureDialog() override
    {
        if (whileOpen)
            whileOpen();
        return programEnds == 0;
    }
    void showAboutBox() override { showPictureDialog(); }
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

    // Another position of the grid still on the board whose pair number is (or is not) p's.
    int cardWith(int p, bool samePair) const
    {
        for (int q = 0; q < state().NumCards; ++q)
            if (q != p && card(q).Visible && (state().CardValue[q] == state().CardValue[p]) == samePair)
                return q;
        return -1;
    }
};

} // namespace tessaloom::testing
