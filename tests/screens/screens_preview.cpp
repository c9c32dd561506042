// Shows the splash window, then in its place a stand-in for the game window with the built-in
// picture and, given "about", the About box over it: for looking at the screens on a display
// (scripts/screenshot with TESSALOOM_PROGRAM pointing here).
#include "artwork/artwork.h"
#include "platform/calendar.h"
#include "platform/qt/qt_application_info.h"
#include "screens/qt/about_dialog.h"
#include "screens/qt/splash_window.h"

#include <QApplication>
#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QTimer>

#include <memory>

using namespace tessaloom;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    QApplication::setWindowIcon(programIcon());
    const bool about = argc > 1 && QString::fromLocal8Bit(argv[1]) == QStringLiteral("about");

    QtApplicationInfo application;
    SystemCalendar calendar;
    std::unique_ptr<QLabel> stand_in;
    SplashWindow::open(application, calendar, [&] {
        stand_in = std::make_unique<QLabel>();
        stand_in->setWindowTitle(QStringLiteral("Tessaloom"));
        stand_in->setPixmap(QPixmap(QString::fromLatin1(kBuiltInPictureResource))
                                .scaled(321, 240, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        stand_in->move(40, 40);
        stand_in->show();
        if (about)
            QTimer::singleShot(300, stand_in.get(), [&] { AboutDialog::showModal(stand_in.get(), calendar); });
    });
    return QApplication::exec();
}
