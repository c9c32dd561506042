#pragma once

#include "game/game_state.h"
#include "platform/picture.h"

#include <QMainWindow>
#include <QTimer>

#include <array>
#include <cstdint>

class QPushButton;

namespace Ui {
class frmMarrowquillMemory;
}

namespace tessaloom {

class Announcer;
class CardBoard;
class GameWindow;

// The game window on the screen: it shows the logic's model and forwards the player's input.
class GameWindowWidget final : public QMainWindow {
    Q_OBJECT

public:
    explicit GameWindowWidget(GameWindow& logic, QWidget* parent = nullptr);
    ~GameWindowWidget() override;

    // Copies the model of the controls onto the widgets.
    void refresh();

    QPushButton* card(int position) const { return cards_[position]; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Arrow keys on a card move across the grid; Enter turns the card as Space does.
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Tells the logic the screen's device pixel ratio, now and whenever the window moves to
    // another screen.
    void showEvent(QShowEvent* event) override;

private:
    // Runs a handler of the logic, then shows what it changed.
    template <typename Handler>
    void forward(Handler handler)
    {
        handler();
        refresh();
    }
    void runCommand(void (GameWindow::*handler)());
    void connectControls();
    void connectMenus();
    void makeBoardAccessible();
    bool focusCardToward(int position, int rowStep, int columnStep);
    void flipTimerFired();
    void applyFonts();
    void refreshCards();
    void refreshLists();
    void refreshTimer();

    GameWindow& logic_;
    std::unique_ptr<Ui::frmMarrowquillMemory> ui_;
    std::array<QPushButton*, kBoardPositions> cards_{};
    CardBoard* board_ = nullptr;
    Announcer* announcer_ = nullptr;
    std::uint32_t announced_ = 0;
    QTimer* flipTimer_; // the flip timer, Timer1
    std::uint32_t appliedTimerRestarts_ = 0;
    bool watchingScreen_ = false;
    PictureRef shownPicture_;
};

} // namespace tessaloom
