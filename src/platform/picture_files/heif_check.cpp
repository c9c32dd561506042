// A HEIF file (HEIC, AVIF) is whole when its boxes up to the end of the last complete one hold
// the metadata box and every byte of the primary picture's coded data, or of each tile of a
// grid; boxes after that, or a box the file ends inside, are never read.
#include "platform/picture_files/decode_budget.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>

namespace tessaloom {

namespace {

// Big-endian fields of a box held in memory; reading past its end leaves it failed.
class Fields {
public:
    Fields(const std::uint8_t* data, std::size_t size)
        : data_(data)
        , size_(size)
    {
    }
    bool ok() const { return ok_; }
    std::size_t left() const { return ok_ ? size_ - at_ : 0; }
    const std::uint8_t* here() const { return data_ + at_; }
    std::uint64_t number(std::size_t bytes)
    {
        std::uint64_t value = 0;
        if (bytes > left()) {
            ok_ = false;
            return 0;
        }
        for (std::size_t i = 0; i < bytes; ++i)
            value = value << 8 | data_[at_++];
        return value;
    }
    void skip(std::size_t bytes)
    {
        if (bytes > left())
            ok_ = false;
        else
            at_ += bytes;
    }
    // The next box inside: its type and its contents.
    std::optional<std::pair<std::uint32_t, Fields>> box()
    {
        std::uint64_t size = number(4);
        const std::uint32_t type = static_cast<std::uint32_t>(number(4));
        std::size_t header = 8;
        if (size == 1) {
            size = number(8);
            header = 16;
        } else if (size == 0) {
            size = left() + header;
        }
        if (!ok_ || size < header || size - header > left())
            return std::nullopt;
        Fields contents(here(), static_cast<std::size_t>(size - header));
        at_ += contents.size_;
        return std::pair{type, contents};
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

struct Extent {
    std::uint64_t offset = 0;
    std::uint64_t length = 0; // 0: to the end of the file
};

struct Item {
    std::uint32_t type = 0;
    int construction = 0; // 0: in the file, 1: in the metadata's idat box
    std::vector<Extent> extents;
    std::vector<std::uint32_t> properties; // indices into the property container, from 1
    std::vector<std::uint32_t> tiles;
    bool auxiliary = false; // another item (an alpha plane, a depth map) belongs to it
};

struct Metadata {
    std::uint32_t primary = 0;
    std::map<std::uint32_t, Item> items;
    std::vector<std::pair<std::uint32_t, Fields>> properties; // type and contents, numbered from 1
    std::uint64_t idatSize = 0;
    bool pictures = false; // the handler is 'pict'
};

void readItemInfo(Fields box, Metadata& meta)
{
    const int version = static_cast<int>(box.number(4) >> 24);
    box.skip(version == 0 ? 2 : 4);
    while (auto entry = box.box()) {
        Fields& infe = entry->second;
        const int infeVersion = static_cast<int>(infe.number(4) >> 24);
        if (entry->first != fourCc("infe") || infeVersion < 2)
            continue;
        const auto id = static_cast<std::uint32_t>(infe.number(infeVersion == 2 ? 2 : 4));
        infe.skip(2);
        const auto type = static_cast<std::uint32_t>(infe.number(4));
        if (infe.ok())
            meta.items[id].type = type;
    }
}

bool readLocations(Fields box, Metadata& meta)
{
    const int version = static_cast<int>(box.number(4) >> 24);
    const std::uint64_t sizes = box.number(2);
    const std::size_t offsetSize = sizes >> 12, lengthSize = sizes >> 8 & 15, baseSize = sizes >> 4 & 15;
    const std::size_t indexSize = version >= 1 ? sizes & 15 : 0;
    const std::uint64_t count = box.number(version < 2 ? 2 : 4);
    for (std::uint64_t i = 0; i < count && box.ok(); ++i) {
        Item& item = meta.items[static_cast<std::uint32_t>(box.number(version < 2 ? 2 : 4))];
        item.construction = version >= 1 ? static_cast<int>(box.number(2) & 15) : 0;
        box.skip(2); // data reference
        const std::uint64_t base = box.number(baseSize);
        const std::uint64_t extents = box.number(2);
        item.extents.clear();
        for (std::uint64_t e = 0; e < extents && box.ok(); ++e) {
            box.skip(indexSize);
            const std::uint64_t offset = box.number(offsetSize);
            item.extents.push_back({sizeSum({base, offset}), box.number(lengthSize)});
        }
    }
    return box.ok();
}

void readProperties(Fields box, Metadata& meta)
{
    while (auto child = box.box()) {
        if (child->first == fourCc("ipco")) {
            while (auto property = child->second.box())
                meta.properties.push_back(*property);
        } else if (child->first == fourCc("ipma")) {
            Fields& ipma = child->second;
            const std::uint64_t versionAndFlags = ipma.number(4);
            const std::uint64_t count = ipma.number(4);
            for (std::uint64_t i = 0; i < count && ipma.ok(); ++i) {
                Item& item = meta.items[static_cast<std::uint32_t>(ipma.number(versionAndFlags >> 24 ? 4 : 2))];
                const std::uint64_t associations = ipma.number(1);
                for (std::uint64_t a = 0; a < associations && ipma.ok(); ++a) {
                    const bool wide = versionAndFlags & 1;
                    item.properties.push_back(
                        static_cast<std::uint32_t>(ipma.number(wide ? 2 : 1) & (wide ? 0x7FFF : 0x7F)));
                }
            }
        }
    }
}

void readReferences(Fields box, Metadata& meta)
{
    const std::size_t idBytes = box.number(4) >> 24 ? 4 : 2;
    while (auto reference = box.box()) {
        Fields& fields = reference->second;
        Item& from = meta.items[static_cast<std::uint32_t>(fields.number(idBytes))];
        const std::uint64_t count = fields.number(2);
        for (std::uint64_t i = 0; i < count && fields.ok(); ++i) {
            const auto to = static_cast<std::uint32_t>(fields.number(idBytes));
            if (reference->first == fourCc("dimg") && fields.ok())
                from.tiles.push_back(to);
            else if (reference->first == fourCc("auxl") && fields.ok())
                meta.items[to].auxiliary = true;
        }
    }
}

Metadata readMetadata(Fields box)
{
    Metadata meta;
    box.skip(4);
    while (auto child = box.box()) {
        Fields& fields = child->second;
        switch (child->first) {
        case fourCc("hdlr"):
            fields.skip(8);
            meta.pictures = fields.number(4) == fourCc("pict");
            break;
        case fourCc("pitm"):
            meta.primary = static_cast<std::uint32_t>(fields.number(4) >> 24 ? fields.number(4) : fields.number(2));
            break;
        case fourCc("iinf"):
            readItemInfo(fields, meta);
            break;
        case fourCc("iloc"):
            if (!readLocations(fields, meta))
                meta.pictures = false;
            break;
        case fourCc("iprp"):
            readProperties(fields, meta);
            break;
        case fourCc("iref"):
            readReferences(fields, meta);
            break;
        case fourCc("idat"):
            meta.idatSize = fields.left();
            break;
        }
    }
    return meta;
}

bool isCoded(std::uint32_t type)
{
    return type == fourCc("hvc1") || type == fourCc("av01");
}

// The sample size and chroma sampling in a coded picture's decoder configuration.
void readCoding(std::uint32_t type, Fields config, PictureHeader& header)
{
    if (type == fourCc("hvcC")) {
        config.skip(16);
        const std::uint64_t chroma = config.number(1) & 3;
        const std::uint64_t depth = (config.number(1) & 7) + 8;
        if (!config.ok())
            return;
        static constexpr int kHalves[] = {2, 3, 4, 6}; // grey, 4:2:0, 4:2:2, 4:4:4
        header.halfSamplesPerPixel = kHalves[chroma];
        header.sampleBytes = depth > 8 ? 2 : 1;
    } else if (type == fourCc("av1C")) {
        config.skip(2);
        const std::uint64_t bits = config.number(1);
        if (!config.ok())
            return;
        const bool grey = bits & 0x10, halfWide = bits & 0x08, halfHigh = bits & 0x04;
        header.halfSamplesPerPixel = grey ? 2 : halfWide ? (halfHigh ? 3 : 4) : 6;
        header.sampleBytes = bits & 0x40 ? 2 : 1;
    }
}

// The brands of a file type box that name a still picture in HEIF.
bool isHeifBrand(std::uint32_t brand)
{
    static constexpr std::uint32_t kBrands[] = {fourCc("heic"), fourCc("heix"), fourCc("heim"), fourCc("heis"),
                                                fourCc("hevc"), fourCc("hevx"), fourCc("mif1"), fourCc("msf1"),
                                                fourCc("avif"), fourCc("avis")};
    return std::find(std::begin(kBrands), std::end(kBrands), brand) != std::end(kBrands);
}

} // namespace

PictureCheck checkHeif(ByteCursor& in, PixelSize box)
{
    constexpr std::uint64_t kLongestFileType = 4096;
    constexpr std::uint64_t kLongestMetadata = 16 << 20;
    PictureCheck check;
    PictureHeader& header = check.header;
    header.format = PictureFormat::Heif;
    std::uint8_t start[6];
    if (!in.read(start, sizeof start))
        return judged(check, PictureVerdict::NotAPicture);
    const std::uint32_t fileTypeSize = bigEndian16(start);
    if (bigEndian32(start + 2) != fourCc("ftyp") || fileTypeSize < 16 || fileTypeSize > kLongestFileType)
        return judged(check, PictureVerdict::NotAPicture);
    std::vector<std::uint8_t> brands(fileTypeSize - 8);
    if (!in.read(brands.data(), brands.size()))
        return judged(check, PictureVerdict::CutOff);
    bool heif = false;
    for (std::size_t at = 0; at + 4 <= brands.size(); at += at == 0 ? 8 : 4) // the minor version is no brand
        heif = heif || isHeifBrand(bigEndian32(&brands[at]));
    if (!heif)
        return judged(check, PictureVerdict::NotAPicture);

    // The boxes after it, up to the end of the file or the first box the file ends inside.
    std::vector<std::uint8_t> metaBox;
    bool metaSeen = false;
    bool cutOff = false;
    std::uint64_t end = in.offset(); // of the last whole box
    std::uint8_t boxHeader[16];
    while (!cutOff && in.read(boxHeader, 8)) {
        std::uint64_t size = bigEndian32(boxHeader);
        std::uint64_t headerBytes = 8;
        if (size == 1) {
            if (!in.read(boxHeader + 8, 8))
                break;
            size = std::uint64_t(bigEndian32(boxHeader + 8)) << 32 | bigEndian32(boxHeader + 12);
            headerBytes = 16;
        } else if (size == 0) {
            size = in.fileSize() - end;
        }
        if (size < headerBytes || (metaSeen && bigEndian32(boxHeader + 4) == fourCc("meta")))
            break; // no box of this file: what follows the picture
        const std::uint64_t contents = size - headerBytes;
        if (bigEndian32(boxHeader + 4) == fourCc("meta")) {
            if (contents > kLongestMetadata)
                return judged(check, PictureVerdict::NotAPicture);
            metaSeen = true;
            metaBox.resize(contents > in.fileSize() ? 0 : contents);
            cutOff = metaBox.size() != contents || !in.read(metaBox.data(), metaBox.size());
            if (cutOff)
                return judged(check, PictureVerdict::CutOff);
        } else {
            cutOff = !in.skip(contents);
        }
        if (!cutOff)
            end = in.offset();
    }
    if (!metaSeen)
        return judged(check, cutOff ? PictureVerdict::CutOff : PictureVerdict::NotAPicture);

    const Metadata meta = readMetadata(Fields(metaBox.data(), metaBox.size()));
    const auto primary = meta.items.find(meta.primary);
    if (!meta.pictures || primary == meta.items.end())
        return judged(check, PictureVerdict::NotAPicture);
    std::vector<std::uint32_t> coded{meta.primary};
    if (primary->second.type == fourCc("grid"))
        coded = primary->second.tiles;
    else if (!isCoded(primary->second.type))
        return judged(check, PictureVerdict::NotAPicture);
    if (coded.empty())
        return judged(check, PictureVerdict::NotAPicture);

    // The picture's size and turns are the primary item's properties; its coding is the first
    // coded item's.
    const auto eachProperty = [&meta](std::uint32_t item, auto&& use) {
        const auto found = meta.items.find(item);
        if (found != meta.items.end())
            for (std::uint32_t index : found->second.properties)
                if (index >= 1 && index <= meta.properties.size())
                    use(meta.properties[index - 1].first, meta.properties[index - 1].second);
    };
    std::uint64_t width = 0, height = 0;
    eachProperty(meta.primary, [&](std::uint32_t type, Fields fields) {
        if (type == fourCc("ispe")) {
            fields.skip(4);
            width = fields.number(4);
            height = fields.number(4);
        } else if (type == fourCc("irot")) {
            header.transformed = header.transformed || (fields.number(1) & 3) != 0;
        } else if (type == fourCc("imir")) {
            header.transformed = true;
        }
    });
    for (std::uint32_t item : coded) {
        const auto found = meta.items.find(item);
        if (found == meta.items.end() || found->second.type != meta.items.at(coded.front()).type ||
            !isCoded(found->second.type))
            return judged(check, PictureVerdict::NotAPicture);
    }
    eachProperty(coded.front(), [&header](std::uint32_t type, Fields fields) { readCoding(type, fields, header); });
    if (width == 0 || height == 0)
        return judged(check, PictureVerdict::NotAPicture);
    if (width > kHeifLongestSide || height > kHeifLongestSide)
        return judged(check, PictureVerdict::TooLarge);
    header.width = static_cast<int>(width);
    header.height = static_cast<int>(height);
    header.heldBytes = end;
    header.alpha = primary->second.auxiliary;
    if (!withinMemoryLimit(check, box))
        return check;

    // Every byte of the coded data lies in the whole boxes, or in the metadata's own data box.
    for (std::uint32_t item : coded) {
        const Item& data = meta.items.at(item);
        const std::uint64_t limit = data.construction == 0 ? end : meta.idatSize;
        if (data.construction > 1 || data.extents.empty())
            return judged(check, PictureVerdict::NotAPicture);
        for (const Extent& extent : data.extents)
            if (extent.offset > limit || (extent.length > limit - extent.offset))
                return judged(check, PictureVerdict::CutOff);
    }
    check.pictureBytes = end;
    return judged(check, PictureVerdict::Decodable);
}

} // namespace tessaloom
