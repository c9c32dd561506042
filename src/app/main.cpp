#include "game/game_window.h"
#include "game/qt/game_window_widget.h"
#include "platform/application_info.h"
#include "platform/file_system.h"
#include "platform/qt/qt_message_boxes.h"
#include "platform/qt/qt_picture_loader.h"
#include "platform/random_source.h"

#include <QApplication>
#include <QFont>
#include <QScreen>
#include <QStyle>

using namespace tessaloom;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    // Where the card font is missing, its free look-alike stands in.
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));

    QtMessageBoxes messageBoxes;
    QtPictureLoader pictures;
    RealFileSystem files;
    ClockSeededRandom random;
    GameWindow logic({messageBoxes, pictures, files, random});
    logic.Form_Load();

    GameWindowWidget window(logic);
    messageBoxes.setOwner(&window);
    messageBoxes.setBeforeShow([&window] { window.refresh(); });
    window.refresh();
    window.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, window.size(),
                                           window.screen()->availableGeometry()));
    window.show();
    return QApplication::exec();
}
