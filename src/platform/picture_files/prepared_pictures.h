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
// a file being decoded waits for that decode; a choice of a file still waiting its turn decodes
// it at once, and the worker then finds it done. No file is decoded twice for the same box.
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
        std::mutex decoding; // held through the decode, so whoever comes second waits for it
        bool decoded = false;
        FileStamp stamp;
        PictureRef picture;
    };

    std::shared_ptr<Entry> entryFor(const std::string& path, PixelSize box);
    PictureRef obtain(Entry& entry);

    // Enough for the ten slots at two box sizes; the least recently used go first.
    static constexpr std::size_t kEntries = 24;

    PictureDecoder& decoder_;
    BackgroundExecutor& worker_;
    std::mutex entriesMutex_;
    std::list<std::shared_ptr<Entry>> entries_; // most recently used first
    std::atomic<std::uint64_t> preparation_{0}; // work of an earlier preparation is dropped
};

} // namespace tessaloom
