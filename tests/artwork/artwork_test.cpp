#include "artwork/artwork.h"

#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QSet>

#include <vector>

namespace tessaloom {
namespace {

QImage load(const QString& path)
{
    QImage image(path);
    EXPECT_FALSE(image.isNull()) << path.toStdString();
    return image;
}

bool dark(QRgb pixel) { return qGray(pixel) < 90; }
bool white(QRgb pixel) { return qRed(pixel) > 245 && qGreen(pixel) > 245 && qBlue(pixel) > 245; }

TEST(Artwork, EveryPictureHasItsSizeAndFormat)
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
        EXPECT_EQ(reader.size(), expected.size);
        const QImage image = reader.read();
        ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
        EXPECT_EQ(image.size(), expected.size);
    }
}

// Rows of the field that carry dark ink, gathered into runs: one run per line of lettering.
std::vector<std::pair<int, int>> inkedRowRuns(const QImage& image, int margin)
{
    std::vector<std::pair<int, int>> runs;
    for (int y = margin; y < image.height() - margin; ++y) {
        bool inked = false;
        for (int x = margin; x < image.width() - margin && !inked; ++x)
            inked = dark(image.pixel(x, y));
        if (!inked)
            continue;
        if (!runs.empty() && runs.back().second == y - 1)
            runs.back().second = y;
        else
            runs.push_back({y, y});
    }
    return runs;
}

TEST(Artwork, PlaceholdersAreThreeLinesOfDarkLetteringOnWhiteInADarkFrame)
{
    for (const char* path : {kNoImageSelectedResource, kImageNotFoundResource}) {
        SCOPED_TRACE(path);
        const QImage image = load(QString::fromLatin1(path));
        ASSERT_EQ(image.size(), QSize(300, 252));

        for (QPoint frame : {QPoint(1, 1), QPoint(298, 1), QPoint(1, 250), QPoint(298, 250), QPoint(150, 2),
                             QPoint(2, 126), QPoint(297, 126), QPoint(150, 249)})
            EXPECT_TRUE(dark(image.pixel(frame))) << frame.x() << "," << frame.y();
        for (QPoint field : {QPoint(20, 20), QPoint(280, 20), QPoint(20, 232), QPoint(280, 232), QPoint(150, 16),
                             QPoint(150, 236), QPoint(16, 126), QPoint(284, 126)})
            EXPECT_TRUE(white(image.pixel(field))) << field.x() << "," << field.y();

        // The lettering: three separate lines, all within the middle band, centred across.
        const int frame = 12;
        const auto runs = inkedRowRuns(image, frame);
        ASSERT_EQ(runs.size(), 3u);
        EXPECT_GT(runs.front().first, 252 / 6);
        EXPECT_LT(runs.back().second, 252 * 5 / 6);
        int left = image.width();
        int right = 0;
        for (int y = runs.front().first; y <= runs.back().second; ++y)
            for (int x = frame; x < image.width() - frame; ++x)
                if (dark(image.pixel(x, y))) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        EXPECT_NEAR((left + right) / 2.0, 150, 4);
    }
    EXPECT_NE(load(kNoImageSelectedResource), load(kImageNotFoundResource));
}

// The picture is uncovered a card at a time, so every card's share of it must show something:
// on the finest board (four columns, six rows) no cell may be a flat patch of one colour.
TEST(Artwork, EveryCellOfTheBuiltInPictureShowsDetailAndColour)
{
    const QImage image = load(kBuiltInPictureResource);
    ASSERT_EQ(image.size(), QSize(642, 480));
    const int columns = 4;
    const int rows = 6;
    QSet<QRgb> everyColour;
    int colourfulCells = 0;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            SCOPED_TRACE(testing::Message() << "row " << row << ", column " << column);
            const QRect cell(column * image.width() / columns, row * image.height() / rows, image.width() / columns,
                             image.height() / rows);
            QSet<QRgb> colours;
            double sum = 0;
            double squares = 0;
            int saturated = 0;
            for (int y = cell.top(); y <= cell.bottom(); ++y)
                for (int x = cell.left(); x <= cell.right(); ++x) {
                    const QRgb pixel = image.pixel(x, y);
                    colours.insert(pixel);
                    everyColour.insert(pixel);
                    const int grey = qGray(pixel);
                    sum += grey;
                    squares += double(grey) * grey;
                    saturated += QColor(pixel).hsvSaturation() > 100;
                }
            const double n = double(cell.width()) * cell.height();
            const double spread = squares / n - (sum / n) * (sum / n);
            EXPECT_GT(colours.size(), 200);
            EXPECT_GT(spread, 100.0);
            colourfulCells += saturated > n / 5;
        }
    }
    EXPECT_GT(everyColour.size(), 20000);
    EXPECT_GE(colourfulCells, columns * rows * 3 / 4);
}

TEST(Artwork, TheIconOffersEverySizeAndIsInstalledFromTheBuildTree)
{
    const QIcon icon = programIcon();
    ASSERT_FALSE(icon.isNull());
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : kIconSizes) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(sizes.contains(QSize(size, size)));
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        EXPECT_EQ(image.size(), QSize(size, size));
        // A tile with rounded corners: the very corner is (nearly) see-through, the middle is not.
        EXPECT_LT(qAlpha(image.pixel(0, 0)), 64);
        EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255);
    }
    const QImage installed(QStringLiteral(TESSALOOM_ICON_PNG_PATH));
    ASSERT_FALSE(installed.isNull()) << TESSALOOM_ICON_PNG_PATH;
    EXPECT_EQ(installed.convertToFormat(QImage::Format_ARGB32),
              load(QStringLiteral(":/artwork/icon_256.png")).convertToFormat(QImage::Format_ARGB32));
}

} // namespace
} // namespace tessaloom
