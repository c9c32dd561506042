#include "picture_files.h"

#include "platform/qt/qt_picture_decoder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QPainter>
#include <QTemporaryDir>

namespace tessaloom::testing {
namespace {

// The smallest GIF: one pixel of a two-colour table (Qt reads GIF but cannot write it).
const QByteArray kOnePixelGif = QByteArray::fromHex(
    "474946383961" "01000100" "800000" "ffffff000000"
    "2c0000000001000100" "00" "02" "024401" "00" "3b");

QByteArray encoded(const QImage& image, const char* format, bool progressive = false)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    writer.write(image);
    return bytes;
}

// Quadrants red, green (top), blue, white (bottom), read back as "rgbw" in the same order.
QImage quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, width / 2, height / 2, Qt::red);
    painter.fillRect(width / 2, 0, width - width / 2, height / 2, Qt::green);
    painter.fillRect(0, height / 2, width / 2, height - height / 2, Qt::blue);
    painter.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, Qt::white);
    return image;
}

std::string quadrantsOf(const QImage& image)
{
    std::string seen;
    for (const QPoint& at : {QPoint(1, 1), QPoint(3, 1), QPoint(1, 3), QPoint(3, 3)}) {
        const QRgb pixel = image.pixel(at.x() * image.width() / 4, at.y() * image.height() / 4);
        const bool r = qRed(pixel) > 160, g = qGreen(pixel) > 160, b = qBlue(pixel) > 160;
        seen += r && g && b ? 'w' : r ? 'r' : g ? 'g' : b ? 'b' : '?';
    }
    return seen;
}

class PictureDecoderTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    const PixelSize box{321, 240};

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    void write(const char* name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QImage decode(const char* name, PixelSize to) const { return QtPictureDecoder::decodeImage(path(name), to); }
};

TEST_F(PictureDecoderTest, EachFormatIsReadByItsContentForTheDevicePixelsOfTheBox)
{
    QImage red(64, 48, QImage::Format_RGB32);
    red.fill(Qt::red);
    const QByteArray jpeg = encoded(red, "jpeg");
    write("red.jpg", jpeg);
    write("red.bmp", encoded(red, "bmp"));
    write("dot.gif", kOnePixelGif);
    // Named as another format; and a motion photo, its video after the end of the picture.
    write("dot.jpg", kOnePixelGif);
    write("red.bmp.jpg", encoded(red, "bmp"));
    write("motion.jpg", jpeg + QByteArray(3 * 1024 * 1024, '\xd8'));

    for (const char* name : {"red.jpg", "red.bmp", "dot.gif", "dot.jpg", "red.bmp.jpg", "motion.jpg"}) {
        SCOPED_TRACE(name);
        const QImage image = decode(name, box);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.size(), QSize(321, 240));
        EXPECT_EQ(image.devicePixelRatio(), 1.0);
    }
    EXPECT_GT(qRed(decode("motion.jpg", box).pixel(100, 100)), 200);
    EXPECT_EQ(decode("red.jpg", {642, 480}).size(), QSize(642, 480));
}

TEST_F(PictureDecoderTest, TheExifOrientationTurnsThePictureUprightBeforeItIsStretched)
{
    const QByteArray jpeg = encoded(quadrants(64, 32), "jpeg");
    // Where the stored quadrants show for orientations 1 to 8.
    const char* upright[] = {"rgbw", "grwb", "wbgr", "bwrg", "rbgw", "brwg", "wgbr", "gwrb"};
    for (int orientation = 1; orientation <= 8; ++orientation) {
        SCOPED_TRACE(orientation);
        const Bytes exif = exifSegment(orientation, orientation % 2 == 0);
        write("turned.jpg", jpeg.left(2) + QByteArray(reinterpret_cast<const char*>(exif.data()), qsizetype(exif.size())) +
                                jpeg.mid(2));
        const QImage image = decode("turned.jpg", {40, 60});
        ASSERT_EQ(image.size(), QSize(40, 60));
        EXPECT_EQ(quadrantsOf(image), upright[orientation - 1]);
    }
}

// Text named as a picture, an empty file, files cut off in their image data, a progressive
// header claiming 20000 x 20000 pixels, a folder, a missing file.
TEST_F(PictureDecoderTest, WhatIsNoWholeDecodablePictureFails)
{
    write("notes.jpg", "These are not the pixels you are looking for.\n");
    write("empty.gif", "");
    write("cut.gif", kOnePixelGif.left(kOnePixelGif.size() - 4));
    QImage photo = quadrants(400, 300);
    const QByteArray bmp = encoded(photo, "bmp");
    write("cut.bmp", bmp.left(bmp.size() - 1000));
    const QByteArray jpeg = encoded(photo, "jpeg");
    write("cut.jpg", jpeg.left(jpeg.size() * 6 / 10));
    QByteArray huge = encoded(photo, "jpeg", true);
    const qsizetype frame = huge.indexOf("\xff\xc2");
    ASSERT_GT(frame, 0);
    huge.replace(frame + 5, 4, QByteArray::fromHex("4e204e20"));
    write("huge.jpg", huge);
    QDir(dir.path()).mkdir(QStringLiteral("folder.jpg"));

    for (const char* name : {"notes.jpg", "empty.gif", "cut.gif", "cut.bmp", "cut.jpg", "huge.jpg", "folder.jpg",
                             "missing.bmp"})
        EXPECT_TRUE(decode(name, box).isNull()) << name;
}

} // namespace
} // namespace tessaloom::testing
