#pragma once

#include "platform/picture.h"

#include <QDateTime>
#include <QString>

#include <list>

namespace tessaloom {

// Decodes picture files with Qt's image readers, straight to the size of the box that shows
// them where the format allows (JPEG scales while it decodes). Pictures already decoded in this
// run come from a small cache, as long as their file has not changed.
class QtPictureLoader final : public PictureLoader {
public:
    PictureRef loadPicture(const std::string& path, PixelSize box) override;

    // Decoding without the cache; the benchmark compares the two decode paths with it.
    static PictureRef decodeToBox(const QString& path, PixelSize box);
    static PictureRef decodeFullThenScale(const QString& path, PixelSize box);

private:
    struct CacheEntry {
        QString path;
        PixelSize box;
        qint64 fileSize = 0;
        QDateTime modified;
        PictureRef picture;
    };
    static constexpr std::size_t kCacheEntries = 12;
    std::list<CacheEntry> cache_;  // most recently used first
};

} // namespace tessaloom
