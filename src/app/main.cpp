#include "app/program_windows.h"
#include "artwork/artwork.h"
#include "platform/application_info.h"
#include "settings/platform_registry.h"
#include "settings/registry.h"

#include <QApplication>
#include <QFont>

using namespace tessaloom;

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(kApplicationTitle));
    // Where the card font is missing, its free look-alike stands in.
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    QApplication::setWindowIcon(programIcon());

    const std::unique_ptr<Registry> registry = makePlatformRegistry();
    ProgramWindows windows(*registry);
    windows.start();
    return QApplication::exec();
}
