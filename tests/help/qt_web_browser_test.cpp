#include "platform/qt/qt_web_browser.h"

#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QObject>
#include <QUrl>

namespace tessaloom {
namespace {

// Stands in for the desktop's opener of web addresses.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

TEST(QtWebBrowser, HandsTheAddressUnchangedToTheDesktop)
{
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");

    QtWebBrowser().openAddress("https://www.marrowquill.example/tessaloom/?from=help&v=1.0");

    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(catcher.opened.size(), 1u);
    EXPECT_EQ(catcher.opened[0].toString(), QStringLiteral("https://www.marrowquill.example/tessaloom/?from=help&v=1.0"));
}

} // namespace
} // namespace tessaloom

#include "qt_web_browser_test.moc"
