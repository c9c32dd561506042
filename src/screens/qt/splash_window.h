#pragma once

#include <QFrame>

#include <functional>
#include <memory>

class QTimer;

namespace Ui {
class frmSplash;
}

namespace tessaloom {

class ApplicationInfo;
class Calendar;
class SplashScreen;

// The start-up window on the screen: no title bar, centred, not in the task bar. It forwards
// its timer's tick, keys that produce a character, clicks on the free area of its frame and
// its closing to the logic, which hands over to the game window once.
class SplashWindow final : public QFrame {
    Q_OBJECT

public:
    // Loads the splash (its Form_Load runs now) and starts its two-second timer. The hand-over
    // calls `loadAndShowGameWindow`, then the splash closes.
    SplashWindow(const ApplicationInfo& application, const Calendar& calendar,
                 std::function<void()> loadAndShowGameWindow, QWidget* parent = nullptr);
    ~SplashWindow() override;

    // What a program's main() does: makes a splash that deletes itself once it has closed,
    // shows it and returns it. The services must outlive the splash.
    static SplashWindow* open(const ApplicationInfo& application, const Calendar& calendar,
                              std::function<void()> loadAndShowGameWindow);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    class Launcher;

    void applyFonts();
    void refresh();

    std::unique_ptr<Launcher> launcher_;
    std::unique_ptr<SplashScreen> logic_;
    std::unique_ptr<Ui::frmSplash> ui_;
    QTimer* timer_ = nullptr;
    bool pressedOnFrame_ = false;
};

} // namespace tessaloom
