#include "platform/picture_files/prepared_pictures.h"

namespace tessaloom {

PreparedPictures::PreparedPictures(PictureDecoder& decoder, BackgroundExecutor& worker)
    : decoder_(decoder)
    , worker_(worker)
{
}

PictureRef PreparedPictures::loadPicture(const std::string& path, PixelSize box)
{
    return obtain(*entryFor(path, box));
}

void PreparedPictures::preparePictures(const std::vector<std::string>& paths, PixelSize box)
{
    const std::uint64_t preparation = ++preparation_;
    for (const std::string& path : paths) {
        std::shared_ptr<Entry> entry = entryFor(path, box);
        worker_.post([this, entry, preparation] {
            if (preparation == preparation_)
                obtain(*entry);
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

PictureRef PreparedPictures::obtain(Entry& entry)
{
    const std::lock_guard lock(entry.decoding);
    const std::optional<FileStamp> stamp = decoder_.stamp(entry.path);
    if (!stamp)
        return nullptr;
    if (!entry.decoded || entry.stamp != *stamp) {
        entry.picture = decoder_.decode(entry.path, entry.box);
        entry.stamp = *stamp;
        entry.decoded = true;
    }
    return entry.picture;
}

} // namespace tessaloom
