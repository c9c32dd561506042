#include "picture_files.h"

#include "platform/picture_files/picture_check.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaloom::testing {
namespace {

using enum PictureVerdict;
constexpr std::uint64_t MB = 1024 * 1024;

PictureCheck check(const Bytes& file)
{
    MemoryBytes bytes(file);
    return checkPictureFile(bytes, {642, 480}); // the board's box on a screen of ratio 2
}

Bytes cut(const Bytes& file, std::size_t keep)
{
    return Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(keep));
}

// A file cut anywhere in its picture, also past the reading buffer, is cut off; what follows a
// whole picture is left out of it. BMP: two rows of 3 pixels, each padded to 12 bytes, bottom up
// or top down; run-length coded: a run, literal pixels padded to a word, end of row; two runs,
// end of picture.
TEST(PictureCheckTest, EveryFormatEndsWhereItsPictureDoes)
{
    const Bytes formats[] = {jpegFile({.scanBytes = 150000}),
                             jpegFile({.frame = 0xC2}),
                             gifFile(),
                             bmpFile(3, 2, 24, 0, Bytes(24, 0x80)),
                             bmpFile(3, -2, 24, 0, Bytes(24, 0x80)),
                             bmpFile(6, 2, 8, 1, {3, 7, 0, 3, 1, 2, 3, 0, 0, 0, 4, 9, 2, 5, 0, 1}),
                             pngFile({}),
                             webpFile({}),
                             webpFile({.lossless = true, .exif = exifData(3, true)}),
                             webpFile({.frames = 2}),
                             heifFile({}),
                             heifFile({.brand = "avif", .coding = "av01"}),
                             heifFile({.tiles = 4, .rotation = 1})};
    for (const Bytes& whole : formats) {
        Bytes longer = whole;
        append(longer, Bytes(100, 0x3B));
        const PictureCheck result = check(longer);
        EXPECT_TRUE(result.verdict == Decodable && result.pictureBytes == whole.size()) << whole.size();
        for (std::size_t keep : {whole.size() / 3, whole.size() * 2 / 3, whole.size() - 2, whole.size() - 1})
            EXPECT_EQ(check(cut(whole, keep)).verdict, CutOff) << whole.size() << " cut at " << keep;
    }
}

// What is no picture of a known format or has no image; files cut off at places the test above
// does not cut; sizes judged from the header before the data is read (which need not even exist),
// those whose product passes 64 bits too large rather than wrapped round to a small one. JPEG: a
// 48-megapixel progressive photo is too large with full colour, and so is a baseline one whose
// first scan holds one component only (buffered whole as progressive ones are). PNG at 24
// megapixels, scaled as its rows are read or decoded whole (interlaced), and with 16-bit samples;
// WebP canvases at the format's largest; HEIF at 12 megapixels, past the area of the budget, and
// past the longest side.
TEST(PictureCheckTest, EachFileIsJudgedByItsStructureAndTheMemoryItsDecodeTakes)
{
    const std::string text = "These are not the pixels you are looking for.";
    const Bytes jpeg = jpegFile({}), gif = gifFile();
    Bytes gifWithoutImage = cut(gif, 27); // header, colour table, extension
    gifWithoutImage.push_back(0x3B);
    Bytes sound = webpFile({}), video = heifFile({.brand = "mp42"});
    std::copy_n("WAVE", 4, sound.begin() + 8);
    std::copy_n("mp41", 4, video.begin() + 16);
    const std::pair<Bytes, PictureVerdict> cases[] = {
        {Bytes(text.begin(), text.end()), NotAPicture},
        {{}, NotAPicture},
        {{0xFF, 0xD8, 0xFF, 0xD9}, NotAPicture},
        {gifWithoutImage, NotAPicture},
        {pngFile({.dataBytes = 0}), NotAPicture},
        {sound, NotAPicture},
        {video, NotAPicture},
        {cut(jpeg, 2), CutOff},                                                // after SOI
        {cut(jpeg, 80), CutOff},                                               // inside the frame header
        {cut(gif, gif.size() - 4), CutOff},                                    // between sub-blocks
        {bmpFile(6, 2, 8, 1, {3, 7, 0, 0, 6, 9, 0, 0}), Decodable},            // the last end of row ends it
        {bmpFile(4000, 3000, 24, 0, {}), CutOff},                              // no rows at all
        {pngFile({.width = 4000, .height = 3000, .dataBytes = 1000}), CutOff}, // too little for its rows
        {jpegFile({.width = 65535, .height = 65535}), TooLarge},               // even an eighth of it
        {jpegFile({.width = 8000, .height = 6000, .frame = 0xC2, .sampling = {0x11, 0x11, 0x11}}), TooLarge},
        {jpegFile({.width = 8000, .height = 6000, .sampling = {0x11, 0x11, 0x11}, .firstScanComponents = 1}), TooLarge},
        {gifFile(65535, 65535), TooLarge},
        {bmpFile(8000, 8000, 24, 0, {}), TooLarge},
        {bmpFile(2147437591, 1073764853, 8, 1, Bytes(1000, 0)), TooLarge},
        {pngFile({.width = 6000, .height = 4000, .dataBytes = 100000}), Decodable},
        {pngFile({.width = 6000, .height = 4000, .interlace = 1, .dataBytes = 100000}), Decodable},
        {pngFile({.width = 6000, .height = 4000, .depth = 16, .dataBytes = 100000}), TooLarge},
        {pngFile({.width = 0x7FFFFFFF, .height = 0x7FFFFFFF, .depth = 16, .colourType = 6}), TooLarge},
        {webpFile({.width = 4000, .height = 3000}), Decodable},
        {webpFile({.width = 8000, .height = 6000, .lossless = true}), TooLarge},
        {webpFile({.width = 1 << 24, .height = 1 << 24, .frames = 1}), TooLarge},
        {heifFile({.width = 4032, .height = 3024}), Decodable},
        {heifFile({.width = 12000, .height = 9000, .tiles = 4}), TooLarge},
        {heifFile({.width = 16385, .height = 16}), TooLarge},
        {heifFile({.width = 0xFFFFFFFF, .height = 0xFFFFFFFF}), TooLarge},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(check(cases[i].first).verdict, cases[i].second) << "case " << i;
}

// A baseline JPEG is scaled down by 8 while it decodes: little memory, even where its end marker
// follows too little data for the blocks its frame announces; a progressive one holds every
// coefficient, less of them with subsampled colour.
TEST(PictureCheckTest, TheDecodeMemoryOfAJpegFollowsItsCoding)
{
    const PictureCheck progressive =
        check(jpegFile({.width = 20000, .height = 20000, .frame = 0xC2, .scanBytes = 100}));
    EXPECT_TRUE(progressive.verdict == TooLarge && progressive.workingMemory > 1000 * MB); // all 400 megapixels
    const PictureCheck baseline = check(jpegFile({.width = 20000, .height = 20000, .scanBytes = 100}));
    EXPECT_TRUE(baseline.verdict == CutOff && baseline.workingMemory < 64 * MB);
    EXPECT_LT(check(jpegFile({.width = 8000, .height = 6000, .frame = 0xC2})).workingMemory, 200 * MB);
    EXPECT_LT(check(jpegFile({.width = 8000, .height = 6000, .sampling = {0x11, 0x11, 0x11}})).workingMemory, 16 * MB);
}

// The decoder is given the box turned as the EXIF orientation says: a JPEG's even where the tag
// comes after the image data; PNG's eXIf chunk before or after the image data, WebP's EXIF chunk
// with or without the prefix a JPEG has; HEIF turns by properties the decoder applies itself,
// which the budget counts.
TEST(PictureCheckTest, TheOrientationOfEachFormatIsReadWhereItSitsAndTurnsTheBudgetedBox)
{
    const Bytes plain =
        jpegFile({.width = 65505, .height = 2503, .sampling = {0x11}, .firstScanComponents = 1, .scanBytes = 330000});
    Bytes before = cut(plain, 2), after = cut(plain, plain.size() - 2);
    append(before, exifSegment(6, true));
    append(before, Bytes(plain.begin() + 2, plain.end()));
    append(after, exifSegment(6, false));
    append(after, {0xFF, 0xD9});
    EXPECT_GT(check(before).workingMemory, check(plain).workingMemory + 40 * MB);
    EXPECT_EQ(check(after).workingMemory, check(before).workingMemory);

    EXPECT_EQ(check(pngFile({.exif = exifData(6, true, false)})).header.orientation, 6);
    EXPECT_EQ(check(pngFile({.exif = exifData(7, false, false), .exifAfterData = true})).header.orientation, 7);
    EXPECT_EQ(check(webpFile({.exif = exifData(8, true)})).header.orientation, 8);
    EXPECT_EQ(check(webpFile({.exif = exifData(5, false, false)})).header.orientation, 5);
    const PictureCheck turned = check(heifFile({.rotation = 3}));
    EXPECT_TRUE(turned.header.orientation == 1 && turned.header.transformed);
    EXPECT_GT(turned.workingMemory, check(heifFile({})).workingMemory);
}

} // namespace
} // namespace tessaloom::testing
