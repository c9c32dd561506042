#include "picture_files.h"

#include "platform/qt/qt_picture_decoder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

namespace tessaloom::testing {
namespace {

// The smallest GIF: one pixel of a two-colour table (Qt reads GIF but cannot write it).
const QByteArray kOnePixelGif = QByteArray::fromHex(
    "474946383961" "01000100" "800000" "ffffff000000"
    "2c0000000001000100" "00" "02" "024401" "00" "3b");

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

const QColor kQuadrants[] = {Qt::red, Qt::green, Qt::blue, Qt::white};

// Red and green above, blue and white below.
QImage quadrants(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    for (int q = 0; q < 4; ++q)
        painter.fillRect(q % 2 * width / 2, q / 2 * height / 2, width / 2, height / 2, kQuadrants[q]);
    return image;
}

// The colours of the four quadrants as "rgbw", in the same order.
std::string quadrantsOf(const QImage& image)
{
    std::string seen;
    for (int q = 0; q < 4; ++q) {
        const QRgb p = image.pixel((q % 2 * 2 + 1) * image.width() / 4, (q / 2 * 2 + 1) * image.height() / 4);
        seen += qRed(p) > 128 ? (qGreen(p) > 128 ? 'w' : 'r') : (qGreen(p) > 128 ? 'g' : 'b');
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
    write("photo@2x.jpg", encoded(red, "bmp"));  // and named to claim a ratio of its own
    write("motion.jpg", jpeg + QByteArray(3 * 1024 * 1024, '\xd8'));

    for (const char* name : {"red.jpg", "red.bmp", "dot.gif", "dot.jpg", "photo@2x.jpg", "motion.jpg"}) {
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

// Text named as a picture, a photo cut off in its image data, a progressive header claiming
// 20000 x 20000 pixels, a folder, a missing file. Files of every kind cut off, or claiming too
// much, are judged by the checks before this decoder reads them.
TEST_F(PictureDecoderTest, WhatIsNoWholeDecodablePictureFails)
{
    write("notes.jpg", "These are not the pixels you are looking for.\n");
    const QByteArray jpeg = encoded(quadrants(400, 300), "jpeg");
    write("cut.jpg", jpeg.left(jpeg.size() * 6 / 10));
    QByteArray huge = jpeg;
    const qsizetype frame = huge.indexOf("\xff\xc0");
    ASSERT_GT(frame, 0);
    huge.replace(frame + 1, 8, QByteArray::fromHex("c20011084e204e20"));  // progressive, 20000 x 20000
    write("huge.jpg", huge);
    QDir(dir.path()).mkdir(QStringLiteral("folder.jpg"));

    for (const char* name : {"notes.jpg", "cut.jpg", "huge.jpg", "folder.jpg", "missing.bmp"})
        EXPECT_TRUE(decode(name, box).isNull()) << name;
}

} // namespace
} // namespace tessaloom::testing
