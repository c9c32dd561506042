#pragma once

#include "platform/picture.h"
#include "platform/picture_files/picture_bytes.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace tessaloom {

enum class PictureFormat { Jpeg, Gif, Bmp, Png, WebP, Heif };

// Sampling factors of one colour component of a JPEG.
struct JpegComponent {
    int horizontal = 1;
    int vertical = 1;
};

// The largest horizontal and the largest vertical factor: the sampling of a whole MCU.
inline JpegComponent largestSampling(const std::vector<JpegComponent>& components)
{
    JpegComponent largest;
    for (const JpegComponent& component : components) {
        largest.horizontal = std::max(largest.horizontal, component.horizontal);
        largest.vertical = std::max(largest.vertical, component.vertical);
    }
    return largest;
}

// What a picture file's header says about the decode it needs.
struct PictureHeader {
    PictureFormat format = PictureFormat::Jpeg;
    int width = 0; // of the picture; of the canvas the first image is drawn on for a GIF
    int height = 0;
    int orientation = 1; // the EXIF orientation, 1 to 8; 1 is upright
    // JPEG only.
    std::vector<JpegComponent> components;
    bool arithmeticCoded = false;
    // Progressive, or a first scan leaving components out: the decoder then holds every
    // coefficient of the picture at once.
    bool buffersWholePicture = false;
    // PNG: its bit depth and colour type; Adam7 interlacing keeps the reader from scaling rows
    // as it reads them.
    int bitDepth = 8;
    int colourType = 2;
    bool interlaced = false;
    // WebP: the canvas, an alpha channel, a lossless bitstream in any frame, an animation.
    bool alpha = false;
    bool lossless = false;
    bool animated = false;
    // HEIF: bytes a sample of the coded picture takes, its samples a pixel in halves (3 for
    // 4:2:0, 6 for 4:4:4), and a rotation or mirroring, which the decoder makes as a copy.
    int sampleBytes = 2;
    int halfSamplesPerPixel = 6;
    bool transformed = false;
    // WebP and HEIF: the file's bytes the reader holds in memory while it decodes.
    std::uint64_t heldBytes = 0;
};

enum class PictureVerdict {
    Decodable,
    NotAPicture, // not a JPEG, GIF or BMP file, or one the decoders do not read
    CutOff,      // ends before its image data does
    TooLarge,    // its decode would need more working memory than a decode may take
};

struct PictureCheck {
    PictureVerdict verdict = PictureVerdict::NotAPicture;
    PictureHeader header;
    std::uint64_t workingMemory = 0; // bytes, once the header has been read
    std::uint64_t pictureBytes = 0;  // of a decodable file, those up to the end of its picture
};

// Judges a picture file by its own structure before anything is decoded, whatever its name: the
// header tells the working memory the decode to the box would need, which is refused above the
// limit before the rest is read; then the file must hold all the image data its structure
// announces. Data after a complete picture (a motion photo's video) is not read, and the decoder
// is given only the bytes up to its end. The box is in device pixels.
PictureCheck checkPictureFile(PictureBytes& file, PixelSize box);

// The EXIF orientation turns the picture by a quarter: it is decoded for the box turned likewise.
inline bool turnsAQuarter(int orientation)
{
    return orientation >= 5 && orientation <= 8;
}

// The box the decoder is asked for, before the picture is turned upright.
inline PixelSize decodeBox(PixelSize box, int orientation)
{
    return turnsAQuarter(orientation) ? PixelSize{box.height, box.width} : box;
}

// The EXIF orientation in the payload of a JPEG APP1 segment, or 1 where there is none.
int exifOrientation(const std::uint8_t* segment, std::size_t size);
// The same in EXIF data that may lack the APP1 segment's "Exif" prefix (PNG eXIf, WebP EXIF).
int exifOrientationOfData(const std::uint8_t* data, std::size_t size);

// The format checks behind checkPictureFile, each reading on after the two bytes that named the format.
PictureCheck checkJpeg(ByteCursor& in, PixelSize box);
PictureCheck checkGif(ByteCursor& in, PixelSize box);
PictureCheck checkBmp(ByteCursor& in, PixelSize box);
PictureCheck checkPng(ByteCursor& in, PixelSize box);
PictureCheck checkWebp(ByteCursor& in, PixelSize box);
PictureCheck checkHeif(ByteCursor& in, PixelSize box);

inline PictureCheck judged(PictureCheck check, PictureVerdict verdict)
{
    check.verdict = verdict;
    return check;
}

} // namespace tessaloom
