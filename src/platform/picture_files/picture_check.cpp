#include "platform/picture_files/picture_check.h"

namespace tessaloom {

PictureCheck checkPictureFile(PictureBytes& file, PixelSize box)
{
    ByteCursor in(file);
    std::uint8_t signature[2];
    if (!in.read(signature, sizeof signature))
        return {};
    if (signature[0] == 0xFF && signature[1] == 0xD8)
        return checkJpeg(in, box);
    if (signature[0] == 'G' && signature[1] == 'I')
        return checkGif(in, box);
    if (signature[0] == 'B' && signature[1] == 'M')
        return checkBmp(in, box);
    return {};
}

} // namespace tessaloom
