#include "artwork/artwork.h"

#include <gtest/gtest.h>

#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>

#include <iterator>
#include <tuple>
#include <vector>

namespace tessaloom {
namespace {

// Windows picks an icon by the sizes in the .ico file's directory, so they must match the
// pictures: each drawn size as it is, 256 written as 0 since it does not fit the directory's byte.
TEST(Artwork, EveryPictureLoadsAtItsSizeAndFormatAndTheIcoFileHoldsEveryIconSize)
{
    std::vector<std::tuple<QString, QSize, QByteArray>> pictures = {
        {kBuiltInPictureResource, {642, 480}, "png"},
        {kProgramPictureResource, {200, 233}, "jpeg"},
        {kNoImageSelectedResource, {300, 252}, "png"},
        {kImageNotFoundResource, {300, 252}, "png"},
    };
    for (int size : kIconSizes)
        pictures.push_back({QStringLiteral(":/artwork/icon_%1.png").arg(size), {size, size}, "png"});
    for (const auto& [path, size, format] : pictures) {
        QImageReader reader(path);
        EXPECT_EQ(reader.format(), format) << path.toStdString();
        EXPECT_EQ(reader.read().size(), size) << path.toStdString() << ": " << reader.errorString().toStdString();
    }
    const QList<QSize> iconSizes = programIcon().availableSizes();
    for (int size : kIconSizes)
        EXPECT_TRUE(iconSizes.contains(QSize(size, size))) << size;

    QFile file(QStringLiteral(TESSALOOM_ICON_ICO));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QDataStream directory(bytes);
    directory.setByteOrder(QDataStream::LittleEndian);
    quint16 reserved = 1, type = 0, count = 0;
    directory >> reserved >> type >> count;
    ASSERT_EQ((std::tuple<int, int, std::size_t>{reserved, type, count}), std::tuple(0, 1, std::size(kIconSizes)));
    for (int size : kIconSizes) {
        quint8 width = 0, height = 0, colours = 0, zero = 0;
        quint16 planes = 0, bits = 0;
        quint32 length = 0, offset = 0;
        directory >> width >> height >> colours >> zero >> planes >> bits >> length >> offset;
        EXPECT_EQ((std::pair<int, int>{width, height}), std::pair(size % 256, size % 256)) << size;
        const QImage entry = QImage::fromData(bytes.mid(offset, length), "PNG");
        const QImage drawn(QStringLiteral(":/artwork/icon_%1.png").arg(size));
        EXPECT_EQ(entry.convertToFormat(QImage::Format_ARGB32), drawn.convertToFormat(QImage::Format_ARGB32)) << size;
    }
}

bool dark(QRgb pixel)
{
    return qGray(pixel) < 90;
}

// A white field in a dark frame, with three lines of dark lettering clear of the frame.
TEST(Artwork, PlaceholdersAreWhiteInADarkFrameWithThreeLinesOfLettering)
{
    for (const char* path : {kNoImageSelectedResource, kImageNotFoundResource}) {
        const QImage image(QString::fromLatin1(path));
        int frame = 0, white = 0, lines = 0, inkNearTheFrame = 0;
        for (QPoint p :
             {QPoint(1, 1), QPoint(298, 1), QPoint(1, 250), QPoint(298, 250), QPoint(150, 2), QPoint(2, 126)})
            frame += dark(image.pixel(p));
        for (int y = 12, inkAbove = 0; y < 240; ++y) {
            int ink = 0;
            for (int x = 12; x < 288; ++x) {
                white += qGray(image.pixel(x, y)) > 245;
                ink += dark(image.pixel(x, y));
                inkNearTheFrame += dark(image.pixel(x, y)) && (x < 20 || x > 280 || y < 42 || y > 210);
            }
            lines += ink > 0 && inkAbove == 0;
            inkAbove = ink;
        }
        EXPECT_EQ((std::tuple{frame, lines, inkNearTheFrame}), std::tuple(6, 3, 0)) << path;
        EXPECT_GT(white, 276 * 228 * 8 / 10) << path;
    }
}

// The picture is uncovered a card at a time, so on the finest board (four columns, six rows)
// no card's share of it may be a flat patch.
TEST(Artwork, EveryCellOfTheBuiltInPictureShowsDetail)
{
    const QImage image(kBuiltInPictureResource);
    for (int row = 0; row < 6; ++row)
        for (int column = 0; column < 4; ++column) {
            QSet<QRgb> colours;
            for (int y = row * 80; y < (row + 1) * 80; ++y)
                for (int x = column * 160; x < (column + 1) * 160; ++x)
                    colours.insert(image.pixel(x, y));
            EXPECT_GT(colours.size(), 200) << "row " << row << ", column " << column;
        }
}

} // namespace
} // namespace tessaloom
