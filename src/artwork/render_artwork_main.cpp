// Draws the program's pictures into the folder given on the command line. Runs on the build
// host during the build; the resource compiler then packs the files into the program.
#include "artwork/artwork.h"
#include "artwork/artwork_font.h"
#include "artwork/built_in_picture.h"
#include "artwork/ico_file.h"
#include "artwork/icon_art.h"
#include "artwork/placeholders.h"
#include "artwork/program_picture.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

using namespace tessaloom::artwork;

namespace {

bool save(const QDir& folder, const QString& name, const QImage& image, const char* format, int quality = -1)
{
    const QString path = folder.filePath(name);
    if (image.save(path, format, quality))
        return true;
    QTextStream(stderr) << "Could not write " << path << '\n';
    return false;
}

bool save(const QDir& folder, const QString& name, const QByteArray& data)
{
    QFile file(folder.filePath(name));
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush())
        return true;
    QTextStream(stderr) << "Could not write " << file.fileName() << '\n';
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: tessaloom_render_artwork <output folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        QTextStream(stderr) << "Could not create " << folder.path() << '\n';
        return 1;
    }
    if (!artworkFontInstalled())
        QTextStream(stderr) << "warning: the font Comic Neue is missing (scripts/deps installs it); "
                               "the pictures are lettered in a stand-in\n";

    bool ok = save(folder, QStringLiteral("built_in_picture.png"), renderBuiltInPicture(), "PNG");
    ok = save(folder, QStringLiteral("program_picture.jpg"), renderProgramPicture(), "JPEG", 92) && ok;
    QList<QImage> icons;
    for (int size : tessaloom::kIconSizes) {
        icons.append(renderIcon(size));
        ok = save(folder, QStringLiteral("icon_%1.png").arg(size), icons.back(), "PNG") && ok;
    }
    ok = save(folder, QStringLiteral("tessaloom.ico"), icoFile(icons)) && ok;
    ok = save(folder, QStringLiteral("no_image_selected.png"),
              renderPlaceholder({QStringLiteral("No"), QStringLiteral("Image"), QStringLiteral("Selected")}), "PNG") &&
        ok;
    ok = save(folder, QStringLiteral("image_not_found.png"),
              renderPlaceholder({QStringLiteral("Image"), QStringLiteral("Not"), QStringLiteral("Found")}), "PNG") &&
        ok;
    return ok ? 0 : 1;
}
