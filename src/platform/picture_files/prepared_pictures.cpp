#include "platform/picture_files/prepared_pictures.h"

namespace tessaloom {

PreparedPictures::PreparedPictures(PictureDecoder& decoder, BackgroundExecutor& worker)
    : decoder_(decoder)
    , worker_(worker)
{
}

PictureRef PreparedPictures::loadPicture(const std::string& path, PixelSize box)
{
    return obtain(*entryFor(path, box), Caller::Choice);
}

void PreparedPictures::preparePictures(const std::vector<std::string>& paths, PixelSize box)
{
    const std::uint64_t preparation = ++preparation_;
    for (const std::string& path : paths) {
        std::shared_ptr<Entry> entry = entryFor(path, box);
        worker_.post([this, entry, preparation] {
            if (preparation == preparation_)
                obtain(*entry, Caller::Worker);
        });
    }
}

std::shared_ptr<PreparedPictures::Entry> PreparedPictures::entryFor(const std::string& path, PixelSize box)
{
    const std::lock_guard lock(entriesMutex_);
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if ((*it)->path == path && (*it)->box == box) {
            entries_.splice(entries_.begin(), entries_, it);
            return entries_.front();
        }
    }
    entries_.push_front(std::make_shared<Entry>(path, box));
    if (entries_.size() > kEntries)
        entries_.pop_back(); // a decode still running keeps its entry until it ends
    return entries_.front();
}

PictureRef PreparedPictures::obtain(Entry& entry, Caller caller)
{
    const std::optional<FileStamp> stamp = decoder_.stamp(entry.path);
    if (!stamp)
        return nullptr;
    std::uint64_t kept = 0;
    {
        const std::lock_guard lock(entry.mutex);
        if (entry.kept > 0 && entry.stamp == *stamp)
            return entry.picture;
        // A choice never waits for the low-priority worker; the worker never decodes a second copy.
        if (caller == Caller::Worker && entry.decoding > 0)
            return nullptr;
        ++entry.decoding;
        kept = entry.kept;
    }
    PictureRef picture = decoder_.decode(entry.path, entry.box);
    const std::lock_guard lock(entry.mutex);
    --entry.decoding;
    // A choice's decode is the newest; the worker's is dropped when a choice's came meanwhile.
    if (caller == Caller::Choice || entry.kept == kept) {
        entry.picture = picture;
        entry.stamp = *stamp;
        ++entry.kept;
    }
    return picture;
}

} // namespace tessaloom
