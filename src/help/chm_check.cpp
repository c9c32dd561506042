#include "help/chm_check.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace tessaloom {
namespace {

// The file header ("ITSF", two versions) and the directory header ("ITSP") that follows it.
constexpr std::uint64_t kFileHeaderV2 = 0x58;
constexpr std::uint64_t kFileHeaderV3 = 0x60;
constexpr std::uint64_t kDirectoryHeader = 0x54;
// Directory pages: listing pages ("PMGL") hold the entries, index pages ("PMGI") lead to them.
constexpr std::uint64_t kListingHeader = 0x14;
constexpr std::uint64_t kIndexHeader = 0x08;
constexpr std::uint64_t kSmallestPage = 0x20;
constexpr std::uint64_t kLargestPage = 0x10000;
constexpr std::uint64_t kLongestName = 512;
// An encoded integer takes 7 bits a byte; more bytes than this would not fit 64 bits.
constexpr int kLongestEncint = 9;

// The compressed section is cut into frames of 32 KB; the reader decodes one frame into a
// buffer of that size from a buffer of compressed bytes 6144 bytes larger.
constexpr std::uint64_t kFrame = 0x8000;
constexpr std::uint64_t kLargestCompressedFrame = kFrame + 6144;
constexpr std::uint64_t kResetTableHeader = 0x28;
constexpr std::uint64_t kShortestControlData = 0x18;
constexpr std::uint64_t kLongestControlData = 256;
// The decoder's window sizes.
constexpr std::uint32_t kSmallestWindow = 1u << 15;
constexpr std::uint32_t kLargestWindow = 1u << 21;

constexpr std::string_view kResetTable = "::DataSpace/Storage/MSCompressed/Transform/"
                                         "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable";
constexpr std::string_view kControlData = "::DataSpace/Storage/MSCompressed/ControlData";
constexpr std::string_view kContent = "::DataSpace/Storage/MSCompressed/Content";
constexpr std::string_view kSystem = "/#SYSTEM";

// Whether `length` bytes from `at` lie within `size`, without overflowing.
bool fits(std::uint64_t at, std::uint64_t length, std::uint64_t size)
{
    return at <= size && length <= size - at;
}

// Little-endian fields, read where the caller has made sure they lie.
std::uint64_t field(std::string_view bytes, std::uint64_t at, int length)
{
    std::uint64_t value = 0;
    for (int i = length - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}
std::uint32_t u32(std::string_view bytes, std::uint64_t at)
{
    return static_cast<std::uint32_t>(field(bytes, at, 4));
}
std::uint64_t u64(std::string_view bytes, std::uint64_t at)
{
    return field(bytes, at, 8);
}

// Names compare as the reader compares them: byte by byte, ASCII letters without case.
int compareIgnoringCase(std::string_view a, std::string_view b)
{
    const auto lower = [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 'A' && byte <= 'Z' ? byte + ('a' - 'A') : byte;
    };
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return lower(a[i]) < lower(b[i]) ? -1 : 1;
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

struct Entry {
    std::string_view name;
    std::uint64_t space = 0; // 0 stored as it is, 1 compressed
    std::uint64_t start = 0;
    std::uint64_t length = 0;
};

struct Child {
    std::string_view name; // the first name on the page it leads to
    std::uint64_t page = 0;
};

// One directory page, read in full: a listing page's entries and the page after it, or an
// index page's children.
struct Page {
    bool listing = false;
    std::vector<Entry> entries;
    std::int64_t next = -1;
    std::vector<Child> children;
};

// Reads the entries of a page in turn; each must lie whole in the page's used part.
class PageReader {
public:
    PageReader(std::string_view page, std::uint64_t header)
        : page_(page)
        , at_(header)
    {
        const std::uint64_t freeSpace = u32(page, 4);
        end_ = freeSpace <= page.size() - header ? page.size() - freeSpace : 0;
    }

    bool valid() const { return end_ != 0; }
    bool atEnd() const { return at_ >= end_; }

    std::optional<std::uint64_t> encint()
    {
        std::uint64_t value = 0;
        for (int i = 0; i < kLongestEncint && at_ < end_; ++i) {
            const auto byte = static_cast<unsigned char>(page_[at_++]);
            value = value << 7 | (byte & 0x7F);
            if (byte < 0x80)
                return value;
        }
        return std::nullopt;
    }

    // A name of 1 to 512 bytes without NUL, as the reader copies it into a C string.
    std::optional<std::string_view> name()
    {
        const std::optional<std::uint64_t> length = encint();
        if (!length || *length == 0 || *length > kLongestName || !fits(at_, *length, end_))
            return std::nullopt;
        const std::string_view text = page_.substr(at_, *length);
        at_ += *length;
        if (text.find('\0') != std::string_view::npos)
            return std::nullopt;
        return text;
    }

private:
    std::string_view page_;
    std::uint64_t at_;
    std::uint64_t end_ = 0;
};

class HelpFileCheck {
public:
    explicit HelpFileCheck(std::string_view file)
        : file_(file)
    {
    }

    bool run()
    {
        if (!readHeaders() || !walkListing() || !walkIndex())
            return false;
        const std::optional<Entry> resetTable = resolve(kResetTable);
        const std::optional<Entry> controlData = resolve(kControlData);
        const std::optional<Entry> content = resolve(kContent);
        if (!resetTable || !controlData || !content || !resolve(kSystem))
            return false;
        for (const Entry* stored : {&*resetTable, &*controlData, &*content})
            if (stored->space != 0 || !fits(stored->start, stored->length, file_.size() - dataOffset_))
                return false;
        std::uint64_t uncompressed = 0;
        if (!controlDataIsSound(object(*controlData)) ||
            !resetTableIsSound(object(*resetTable), *content, uncompressed))
            return false;
        for (const auto& [index, page] : pages_)
            for (const Entry& entry : page.entries)
                if (!fits(entry.start, entry.length, entry.space == 0 ? file_.size() - dataOffset_ : uncompressed))
                    return false;
        return true;
    }

private:
    bool readHeaders()
    {
        // The reader takes the longer header's length in any case.
        if (file_.size() < kFileHeaderV3 || file_.substr(0, 4) != "ITSF")
            return false;
        // The header's length is signed to the reader.
        const std::uint32_t version = u32(file_, 4);
        const auto headerLength = static_cast<std::int32_t>(u32(file_, 8));
        if (headerLength < 0 ||
            !((version == 2 && headerLength >= std::int64_t{kFileHeaderV2}) ||
              (version == 3 && headerLength >= std::int64_t{kFileHeaderV3})))
            return false;
        // The first header section records the file's length: a file shorter is cut off.
        const std::uint64_t sectionAt = u64(file_, 0x38);
        const std::uint64_t sectionLength = u64(file_, 0x40);
        if (sectionLength < 0x10 || !fits(sectionAt, sectionLength, file_.size()) ||
            u64(file_, sectionAt + 8) > file_.size())
            return false;

        const std::uint64_t directoryAt = u64(file_, 0x48);
        const std::uint64_t directoryLength = u64(file_, 0x50);
        if (directoryLength < kDirectoryHeader || !fits(directoryAt, directoryLength, file_.size()))
            return false;
        dataOffset_ = version == 3 ? u64(file_, 0x58) : directoryAt + directoryLength;
        if (dataOffset_ > file_.size())
            return false;

        const std::string_view directory = file_.substr(directoryAt, directoryLength);
        if (directory.substr(0, 4) != "ITSP" || u32(directory, 4) != 1 || u32(directory, 8) != kDirectoryHeader)
            return false;
        pageSize_ = u32(directory, 0x10);
        if (pageSize_ < kSmallestPage || pageSize_ > kLargestPage)
            return false;
        pagesAt_ = directoryAt + kDirectoryHeader;
        pageCount_ = (directoryLength - kDirectoryHeader) / pageSize_;
        const auto root = static_cast<std::int32_t>(u32(directory, 0x1C));
        head_ = static_cast<std::int32_t>(u32(directory, 0x20));
        // Without index pages the reader looks names up from the listing's first page.
        root_ = root < 0 ? head_ : root;
        return true;
    }

    // The page at the index, read once; null when there is no such page or it does not hold
    // together.
    const Page* page(std::int64_t index)
    {
        if (index < 0 || static_cast<std::uint64_t>(index) >= pageCount_)
            return nullptr;
        if (const auto read = pages_.find(index); read != pages_.end())
            return &read->second;
        const std::string_view bytes = file_.substr(pagesAt_ + index * pageSize_, pageSize_);
        Page page;
        page.listing = bytes.substr(0, 4) == "PMGL";
        if (!page.listing && bytes.substr(0, 4) != "PMGI")
            return nullptr;
        PageReader reader(bytes, page.listing ? kListingHeader : kIndexHeader);
        if (!reader.valid())
            return nullptr;
        while (!reader.atEnd()) {
            const std::optional<std::string_view> name = reader.name();
            if (!name)
                return nullptr;
            if (page.listing) {
                const std::optional<std::uint64_t> space = reader.encint();
                const std::optional<std::uint64_t> start = reader.encint();
                const std::optional<std::uint64_t> length = reader.encint();
                if (!space || *space > 1 || !start || !length || ++entries_ > kMaxHelpFileEntries)
                    return nullptr;
                page.entries.push_back({*name, *space, *start, *length});
            } else {
                const std::optional<std::uint64_t> child = reader.encint();
                if (!child)
                    return nullptr;
                page.children.push_back({*name, *child});
            }
        }
        if (page.listing)
            page.next = static_cast<std::int32_t>(u32(bytes, 0x10));
        return &pages_.emplace(index, std::move(page)).first->second;
    }

    // The listing pages, from the first along their chain to its end, each once.
    bool walkListing()
    {
        std::vector<bool> seen(pageCount_);
        for (std::int64_t index = head_; index != -1;) {
            const Page* listing = page(index);
            if (!listing || !listing->listing || seen[index])
                return false;
            seen[index] = true;
            index = listing->next;
        }
        return true;
    }

    // The index from its root down: every page it leads to exists and is reached once.
    bool walkIndex()
    {
        std::vector<bool> seen(pageCount_);
        std::vector<std::int64_t> pending{root_};
        while (!pending.empty()) {
            const std::int64_t index = pending.back();
            pending.pop_back();
            const Page* reached = page(index);
            if (!reached || seen[index])
                return false;
            seen[index] = true;
            for (const Child& child : reached->children)
                pending.push_back(static_cast<std::int64_t>(std::min<std::uint64_t>(child.page, pageCount_)));
        }
        return true;
    }

    // Looks a name up as the reader does: down the index from its root to one listing page.
    std::optional<Entry> resolve(std::string_view name) const
    {
        for (std::int64_t index = root_; index != -1;) {
            const Page& at = pages_.at(index);
            if (at.listing) {
                for (const Entry& entry : at.entries)
                    if (compareIgnoringCase(entry.name, name) == 0)
                        return entry;
                return std::nullopt;
            }
            index = -1;
            for (const Child& child : at.children) {
                if (compareIgnoringCase(child.name, name) > 0)
                    break;
                index = static_cast<std::int64_t>(child.page);
            }
        }
        return std::nullopt;
    }

    std::string_view object(const Entry& stored) const
    {
        return file_.substr(dataOffset_ + stored.start, stored.length);
    }

    // The decoder's settings, worked out as the reader works them out, in 32-bit arithmetic.
    static bool controlDataIsSound(std::string_view data)
    {
        if (data.size() < kShortestControlData || data.size() > kLongestControlData || data.substr(4, 4) != "LZXC")
            return false;
        std::uint32_t resetInterval = u32(data, 0x0C);
        std::uint32_t window = u32(data, 0x10);
        const std::uint32_t windowsPerReset = u32(data, 0x14);
        if (u32(data, 8) == 2) { // counted in frames
            resetInterval *= static_cast<std::uint32_t>(kFrame);
            window *= static_cast<std::uint32_t>(kFrame);
        }
        if (window < kSmallestWindow || window > kLargestWindow || (window & (window - 1)) != 0)
            return false;
        if (resetInterval == 0 || resetInterval % (window / 2) != 0)
            return false;
        // The frames between two resets; the reader divides by it.
        const std::uint32_t framesPerReset = resetInterval / (window / 2) * windowsPerReset;
        return framesPerReset != 0;
    }

    // One entry per frame (and at most one more, the end), ascending from 0, every frame's
    // compressed bytes within the content and no more than the reader's buffer holds.
    static bool resetTableIsSound(std::string_view table, const Entry& content, std::uint64_t& uncompressed)
    {
        if (table.size() < kResetTableHeader || u32(table, 0) != 2)
            return false;
        const std::uint32_t entries = u32(table, 4);
        const std::uint32_t entriesAt = u32(table, 0x0C);
        uncompressed = u64(table, 0x10);
        const std::uint64_t compressed = u64(table, 0x18);
        const std::uint64_t frames = uncompressed / kFrame + (uncompressed % kFrame != 0);
        if (u64(table, 0x20) != kFrame || entriesAt < kResetTableHeader ||
            !fits(entriesAt, std::uint64_t{entries} * 8, table.size()) || compressed > content.length)
            return false;
        if (frames == 0 || (entries != frames && entries != frames + 1) || u64(table, entriesAt) != 0)
            return false;
        for (std::uint64_t frame = 0; frame < frames; ++frame) {
            const std::uint64_t start = u64(table, entriesAt + frame * 8);
            const std::uint64_t end = frame + 1 < entries ? u64(table, entriesAt + frame * 8 + 8) : compressed;
            if (end <= start || end - start > kLargestCompressedFrame || end > compressed)
                return false;
        }
        return true;
    }

    std::string_view file_;
    std::uint64_t dataOffset_ = 0;
    std::uint64_t pagesAt_ = 0;
    std::uint64_t pageSize_ = 0;
    std::uint64_t pageCount_ = 0;
    std::int64_t head_ = -1;
    std::int64_t root_ = -1;
    std::map<std::int64_t, Page> pages_;
    std::size_t entries_ = 0;
};

} // namespace

bool isSoundHelpFile(std::string_view file)
{
    return HelpFileCheck(file).run();
}

} // namespace tessaloom
