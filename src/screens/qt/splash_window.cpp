#include "screens/qt/splash_window.h"

#include "artwork/artwork.h"
#include "platform/qt/program_font.h"
#include "platform/qt/window_placement.h"
#include "screens/game_window_launcher.h"
#include "screens/splash_screen.h"
#include "ui_splash_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QTimer>

namespace tessaloom {

class SplashWindow::Launcher final : public GameWindowLauncher {
public:
    explicit Launcher(std::function<void()> launch)
        : launch_(std::move(launch))
    {
    }
    void loadAndShowGameWindow() override
    {
        if (launch_)
            launch_();
    }

private:
    std::function<void()> launch_;
};

SplashWindow::SplashWindow(const ApplicationInfo& application, const Calendar& calendar,
                           std::function<void()> loadAndShowGameWindow, QWidget* parent)
    : QFrame(parent)
    , launcher_(std::make_unique<Launcher>(std::move(loadAndShowGameWindow)))
    , logic_(std::make_unique<SplashScreen>(SplashServices{application, calendar, *launcher_}))
    , ui_(std::make_unique<Ui::frmSplash>())
{
    ui_->setupUi(this);
    // A splash-type window has no title bar and stays out of the task bar.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setFixedSize(size());
    setFocusPolicy(Qt::StrongFocus);
    applyFonts();
    ui_->imgLogo->setPixmap(QPixmap(QString::fromLatin1(kProgramPictureResource)));
    ui_->Frame1->installEventFilter(this);

    timer_ = new QTimer(this);
    timer_->setObjectName(QStringLiteral("Timer1"));
    connect(timer_, &QTimer::timeout, this, [this] {
        logic_->Timer1_Timer();
        refresh();
    });

    logic_->Form_Load();
    refresh();
    placeWindow(*this, nullptr);
}

SplashWindow::~SplashWindow() = default;

SplashWindow* SplashWindow::open(const ApplicationInfo& application, const Calendar& calendar,
                                 std::function<void()> loadAndShowGameWindow)
{
    auto* splash = new SplashWindow(application, calendar, std::move(loadAndShowGameWindow));
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    return splash;
}

void SplashWindow::applyFonts()
{
    ui_->lblProductName->setFont(comicSans(27.75, true));
    ui_->lblCompanyProduct->setFont(comicSans(18, true));
    ui_->Label1->setFont(comicSans(27.75, true));
    ui_->lblVersion->setFont(comicSans(12, true));
    ui_->lblCopyright->setFont(comicSans(8.25, false));
    ui_->lblWarning->setFont(comicSans(6.75, false));
}

void SplashWindow::refresh()
{
    const SplashControls& model = logic_->controls();
    ui_->lblVersion->setText(QString::fromStdString(model.lblVersion));
    ui_->lblCopyright->setText(QString::fromStdString(model.lblCopyright));
    if (model.Timer1Enabled && model.Timer1Interval > 0) {
        if (!timer_->isActive() || timer_->interval() != model.Timer1Interval)
            timer_->start(model.Timer1Interval);
    } else {
        timer_->stop();
    }
    if (model.Unloaded)
        close();
}

void SplashWindow::showEvent(QShowEvent* event)
{
    QFrame::showEvent(event);
    // Keys go to the splash itself, whatever the window manager makes of a splash window.
    activateWindow();
    setFocus(Qt::OtherFocusReason);
}

void SplashWindow::closeEvent(QCloseEvent* event)
{
    // After the hand-over the logic does nothing more, and the close goes ahead as usual.
    logic_->Form_Unload();
    refresh();
    QFrame::closeEvent(event);
}

// Only keys that produce a character count: arrows, function keys and lone modifiers carry no
// text and leave the splash alone.
void SplashWindow::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty()) {
        QFrame::keyPressEvent(event);
        return;
    }
    logic_->Form_KeyPress(text.at(0).unicode());
    refresh();
}

// A click on the frame's own free area; a press or release over the picture or a label, which
// reaches the frame because labels pass mouse events on, is not one.
bool SplashWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != ui_->Frame1)
        return QFrame::eventFilter(watched, event);
    if (event->type() != QEvent::MouseButtonPress && event->type() != QEvent::MouseButtonRelease)
        return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;
    const QPoint at = mouse->position().toPoint();
    const bool onFreeArea = ui_->Frame1->rect().contains(at) && ui_->Frame1->childAt(at) == nullptr;
    if (event->type() == QEvent::MouseButtonPress) {
        pressedOnFrame_ = onFreeArea;
        return false;
    }
    const bool clicked = pressedOnFrame_ && onFreeArea;
    pressedOnFrame_ = false;
    if (clicked) {
        logic_->Frame1_Click();
        refresh();
        return true;
    }
    return false;
}

} // namespace tessaloom
