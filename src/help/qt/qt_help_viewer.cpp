#include "help/qt/qt_help_viewer.h"

#include "help/qt/help_viewer_window.h"
#include "platform/qt/window_placement.h"

namespace tessaloom {

QtHelpViewer::QtHelpViewer(WebBrowser& webBrowser)
    : webBrowser_(webBrowser)
{
}

QtHelpViewer::~QtHelpViewer() = default;

void QtHelpViewer::displayTopic(const std::string& helpFile, const std::string& topic)
{
    if (!open(helpFile))
        return;
    window_->showTopic(QString::fromStdString(topic));
    present();
}

void QtHelpViewer::displayIndex(const std::string& helpFile, const std::string& keyword)
{
    if (!open(helpFile))
        return;
    window_->showIndex(QString::fromStdString(keyword));
    present();
}

bool QtHelpViewer::open(const std::string& helpFile)
{
    if (!window_)
        window_ = std::make_unique<HelpViewerWindow>(webBrowser_);
    // Not shown unless the file can be read; when it cannot, the window stays as it was.
    return window_->openFile(QString::fromStdString(helpFile));
}

void QtHelpViewer::present()
{
    // Opened on the screen of the window the command came from; once open, where the user put it.
    if (!window_->isVisible())
        placeWindow(*window_, nullptr);
    if (window_->isMinimized())
        window_->showNormal();
    else
        window_->show();
    window_->raise();
    window_->activateWindow();
}

} // namespace tessaloom
