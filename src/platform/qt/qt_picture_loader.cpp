#include "platform/qt/qt_picture_loader.h"

#include "platform/qt/qt_picture.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>

namespace tessaloom {

namespace {

// A picture file claiming more pixels than this is refused rather than decoded: a broken or
// hostile header must not make the program allocate gigabytes. JPEGs are exempt as long as
// they can be decoded at a fraction of their size.
constexpr qint64 kMaxDecodedPixels = 32LL * 1024 * 1024;

bool isAcceptableSize(const QSize& full, bool scalesWhileDecoding)
{
    if (!full.isValid() || full.isEmpty())
        return false;
    const qint64 pixels = qint64(full.width()) * full.height();
    // Scaled JPEG decoding reduces each side by up to 8.
    return pixels <= (scalesWhileDecoding ? kMaxDecodedPixels * 64 : kMaxDecodedPixels);
}

// The JPEG decoder fills a file cut off in its image data with grey and calls it a success;
// such a file is refused as a broken one. A whole JPEG ends with the end-of-image marker
// (only trailing data some cameras append may follow it), and that marker cannot occur inside
// the coded image data, so a cut-off file has none near its end.
bool endsLikeAWholeJpeg(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 kTail = 64 * 1024;
    file.seek(std::max<qint64>(0, file.size() - kTail));
    return file.read(kTail).contains(QByteArrayLiteral("\xff\xd9"));
}

PictureRef decode(const QString& path, PixelSize box, bool scaleWhileDecoding)
{
    if (!QFileInfo(path).isFile())
        return nullptr;
    QImageReader reader(path);
    reader.setAutoTransform(false);
    if (!reader.canRead())
        return nullptr;
    if (reader.format() == "jpeg" && !endsLikeAWholeJpeg(path))
        return nullptr;
    const QSize full = reader.size();
    const bool scales = scaleWhileDecoding && reader.supportsOption(QImageIOHandler::ScaledSize);
    if (!isAcceptableSize(full, scales))
        return nullptr;
    const QSize target(box.width, box.height);
    if (scales && target.isValid() && !target.isEmpty())
        reader.setScaledSize(target);
    QImage image = reader.read();
    if (image.isNull())
        return nullptr;
    if (target.isValid() && !target.isEmpty() && image.size() != target)
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return std::make_shared<QtPicture>(std::move(image));
}

} // namespace

QImage imageOf(const PictureRef& picture)
{
    const auto* qtPicture = dynamic_cast<const QtPicture*>(picture.get());
    return qtPicture ? qtPicture->image() : QImage();
}

PictureRef QtPictureLoader::decodeToBox(const QString& path, PixelSize box)
{
    return decode(path, box, true);
}

PictureRef QtPictureLoader::decodeFullThenScale(const QString& path, PixelSize box)
{
    return decode(path, box, false);
}

PictureRef QtPictureLoader::loadPicture(const std::string& path, PixelSize box)
{
    const QString file = QString::fromStdString(path);
    const QFileInfo info(file);
    if (!info.isFile())
        return nullptr;
    const qint64 size = info.size();
    const QDateTime modified = info.lastModified();
    for (auto it = cache_.begin(); it != cache_.end(); ++it) {
        if (it->path == file && it->box == box && it->fileSize == size && it->modified == modified) {
            cache_.splice(cache_.begin(), cache_, it);
            return cache_.front().picture;
        }
    }
    PictureRef picture = decodeToBox(file, box);
    if (!picture)
        return nullptr;
    cache_.push_front({file, box, size, modified, picture});
    if (cache_.size() > kCacheEntries)
        cache_.pop_back();
    return picture;
}

} // namespace tessaloom
