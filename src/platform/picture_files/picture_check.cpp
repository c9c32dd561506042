#include "platform/picture_files/picture_check.h"

namespace tessaloom {

namespace {

PictureCheck checkFormat(ByteCursor& in, PixelSize box)
{
    std::uint8_t signature[2];
    if (!in.read(signature, sizeof signature))
        return {};
    if (signature[0] == 0xFF && signature[1] == 0xD8)
        return checkJpeg(in, box);
    if (signature[0] == 'G' && signature[1] == 'I')
        return checkGif(in, box);
    if (signature[0] == 'B' && signature[1] == 'M')
        return checkBmp(in, box);
    if (signature[0] == 0x89 && signature[1] == 'P')
        return checkPng(in, box);
    if (signature[0] == 'R' && signature[1] == 'I')
        return checkWebp(in, box);
    if (signature[0] == 0 && signature[1] == 0) // the size of a HEIF file's first box
        return checkHeif(in, box);
    return {};
}

} // namespace

PictureCheck checkPictureFile(PictureBytes& file, PixelSize box)
{
    ByteCursor in(file);
    PictureCheck check = checkFormat(in, box);
    // Each check stops where the picture ends, unless it tells where that is.
    if (check.verdict == PictureVerdict::Decodable && check.pictureBytes == 0)
        check.pictureBytes = in.offset();
    return check;
}

} // namespace tessaloom
