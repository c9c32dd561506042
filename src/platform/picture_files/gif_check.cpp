// A GIF is whole when its trailer follows complete image data: every block, the images' chains
// of data sub-blocks included, ends inside the file.
#include "platform/picture_files/decode_budget.h"

#include <algorithm>

namespace tessaloom {

namespace {

bool skipSubBlocks(ByteCursor& in)
{
    for (;;) {
        std::uint8_t size;
        if (!in.next(size))
            return false;
        if (size == 0)
            return true;
        if (!in.skip(size))
            return false;
    }
}

bool skipColourTable(ByteCursor& in, std::uint8_t flags)
{
    return !(flags & 0x80) || in.skip(3u << ((flags & 0x07) + 1));
}

// The canvas the decoder draws the first image on: the logical screen, unless that is missing or
// far larger than the image, when the image's own extent is taken instead.
int canvasSide(int screen, int offset, int image)
{
    return screen == 0 || screen / 10 > std::max(image, 16384) ? offset + image : screen;
}

} // namespace

PictureCheck checkGif(ByteCursor& in, PixelSize box)
{
    PictureCheck check;
    check.header.format = PictureFormat::Gif;
    std::uint8_t version[4];
    if (!in.read(version, sizeof version) || version[0] != 'F' || version[1] != '8' ||
        (version[2] != '7' && version[2] != '9') || version[3] != 'a')
        return judged(check, PictureVerdict::NotAPicture);
    std::uint8_t screen[7];
    if (!in.read(screen, sizeof screen) || !skipColourTable(in, screen[4]))
        return judged(check, PictureVerdict::CutOff);

    bool imageSeen = false;
    for (;;) {
        std::uint8_t block;
        std::uint8_t label;
        std::uint8_t codeSize;
        std::uint8_t image[9];
        if (!in.next(block))
            return judged(check, PictureVerdict::CutOff);
        switch (block) {
        case 0x21: // an extension: its label, then data sub-blocks
            if (!in.next(label) || !skipSubBlocks(in))
                return judged(check, PictureVerdict::CutOff);
            break;
        case 0x2C: // an image: its descriptor, colour table, code size, then data sub-blocks
            if (!in.read(image, sizeof image))
                return judged(check, PictureVerdict::CutOff);
            if (!imageSeen) {
                check.header.width =
                    canvasSide(int(littleEndian16(screen)), int(littleEndian16(image)), int(littleEndian16(image + 4)));
                check.header.height = canvasSide(int(littleEndian16(screen + 2)), int(littleEndian16(image + 2)),
                                                 int(littleEndian16(image + 6)));
                if (check.header.width == 0 || check.header.height == 0)
                    return judged(check, PictureVerdict::NotAPicture);
                if (!withinMemoryLimit(check, box))
                    return check;
            }
            if (!skipColourTable(in, image[8]) || !in.next(codeSize) || !skipSubBlocks(in))
                return judged(check, PictureVerdict::CutOff);
            imageSeen = true;
            break;
        case 0x3B: // the trailer
            return judged(check, imageSeen ? PictureVerdict::Decodable : PictureVerdict::NotAPicture);
        default:
            return judged(check, PictureVerdict::NotAPicture);
        }
    }
}

} // namespace tessaloom
