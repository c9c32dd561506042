#pragma once

#include "platform/picture.h"
#include "platform/picture_files/background_executor.h"
#include "platform/picture_files/picture_decoder.h"

#include <atomic>
#include <list>
#include <memory>
#include <mutex>
#include <optional>

namespace tessaloom {

// Pictures decoded ahead of their choice by a background worker, and those chosen before, for
// as long as their files do not change. A choice of a prepared file returns at once; a choice of
// any other file decodes it at once on the calling thread, never waiting for the low-priority
// worker: a decode the worker is running meanwhile is dropped when it ends, and one still
// waiting its turn finds the file done. The worker never decodes a file that is being decoded.
class PreparedPictures final : public PictureLoader {
public:
    PreparedPictures(PictureDecoder& decoder, BackgroundExecutor& worker);

    PictureRef loadPicture(const std::string& path, PixelSize box) override;
    void preparePictures(const std::vector<std::string>& paths, PixelSize box) override;

private:
    struct Entry {
        Entry(std::string path, PixelSize box)
            : path(std::move(path))
            , box(box)
        {
        }
        const std::string path;
        const PixelSize box;
        std::mutex mutex;       // guards what follows; never held through a decode
        int decoding = 0;       // decodes of the file running now
        std::uint64_t kept = 0; // pictures kept so far: none yet, or whether one came meanwhile
        FileStamp stamp;
        PictureRef picture;
    };
    enum class Caller { Choice, Worker };

    std::shared_ptr<Entry> entryFor(const std::string& path, PixelSize box);
    // The entry's picture when its file is unchanged, else a decode of the file now.
    PictureRef obtain(Entry& entry, Caller caller);

    // Enough for the ten slots at two box sizes; the least recently used go first.
    static constexpr std::size_t kEntries = 24;

    PictureDecoder& decoder_;
    BackgroundExecutor& worker_;
    std::mutex entriesMutex_;
    std::list<std::shared_ptr<Entry>> entries_; // most recently used first
    std::atomic<std::uint64_t> preparation_{0}; // work of an earlier preparation is dropped
};

} // namespace tessaloom
