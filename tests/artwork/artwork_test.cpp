#include "artwork/artwork.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QSet>

#include <vector>

namespace tessaloom {
namespace {

TEST(Artwork, EveryPictureLoadsAtItsSizeAndFormat)
{
    struct Expected {
        QString path;
        QSize size;
        QByteArray format;
    };
    std::vector<Expected> pictures = {
        {kBuiltInPictureResource, {642, 480}, "png"},
        {kProgramPictureResource, {200, 233}, "jpeg"},
        {kNoImageSelectedResource, {300, 252}, "png"},
        {kImageNotFoundResource, {300, 252}, "png"},
    };
    for (int size : kIconSizes)
        pictures.push_back({QStringLiteral(":/artwork/icon_%1.png").arg(size), {size, size}, "png"});
    for (const Expected& expected : pictures) {
        SCOPED_TRACE(expected.path.toStdString());
        QImageReader reader(expected.path);
        EXPECT_EQ(reader.format(), expected.format);
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), expected.size);
    }
    const QList<QSize> iconSizes = programIcon().availableSizes();
    for (int size : kIconSizes)
        EXPECT_TRUE(iconSizes.contains(QSize(size, size))) << size;
}

bool dark(QRgb pixel) { return qGray(pixel) < 90; }

// White inside a dark frame, with dark lettering in the middle band and white all around it.
TEST(Artwork, PlaceholdersAreWhiteWithADarkFrameAndDarkLettering)
{
    for (const char* path : {kNoImageSelectedResource, kImageNotFoundResource}) {
        SCOPED_TRACE(path);
        const QImage image(QString::fromLatin1(path));
        ASSERT_EQ(image.size(), QSize(300, 252));
        for (QPoint frame : {QPoint(1, 1), QPoint(298, 1), QPoint(1, 250), QPoint(298, 250), QPoint(150, 2),
                             QPoint(2, 126), QPoint(297, 126), QPoint(150, 249)})
            EXPECT_TRUE(dark(image.pixel(frame))) << frame.x() << "," << frame.y();
        const int margin = 12;
        int white = 0;
        int inkOutsideTheBand = 0;
        QSet<int> inkedRows;
        for (int y = margin; y < image.height() - margin; ++y)
            for (int x = margin; x < image.width() - margin; ++x) {
                const QColor colour = image.pixelColor(x, y);
                white += colour.red() > 245 && colour.green() > 245 && colour.blue() > 245;
                if (dark(colour.rgb())) {
                    inkedRows.insert(y);
                    inkOutsideTheBand += y < 252 / 6 || y > 252 * 5 / 6 || x < 20 || x > 280;
                }
            }
        EXPECT_GT(white, (300 - 2 * margin) * (252 - 2 * margin) * 8 / 10);
        EXPECT_GT(inkedRows.size(), 30);
        EXPECT_EQ(inkOutsideTheBand, 0);
    }
    EXPECT_NE(QImage(kNoImageSelectedResource), QImage(kImageNotFoundResource));
}

// The picture is uncovered a card at a time, so on the finest board (four columns, six rows)
// no card's share of it may be a flat patch.
TEST(Artwork, EveryCellOfTheBuiltInPictureShowsDetail)
{
    const QImage image(kBuiltInPictureResource);
    ASSERT_EQ(image.size(), QSize(642, 480));
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
