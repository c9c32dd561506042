#include "platform/qt/qt_web_browser.h"

#include <QDesktopServices>
#include <QUrl>

namespace tessaloom {

void QtWebBrowser::openAddress(const std::string& address)
{
    // The opener starts the browser detached; its result is of no use to anyone here.
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

} // namespace tessaloom
