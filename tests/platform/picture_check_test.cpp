#include "picture_files.h"

#include "platform/picture_check.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaloom::testing {
namespace {

constexpr std::uint64_t MB = 1024 * 1024;
const PixelSize kBox{642, 480};  // the board's box on a screen of ratio 2

PictureCheck check(const Bytes& file, PixelSize box = kBox)
{
    MemoryBytes bytes(file);
    return checkPictureFile(bytes, box);
}

PictureVerdict verdict(const Bytes& file)
{
    return check(file).verdict;
}

Bytes cut(const Bytes& file, std::size_t keep)
{
    return Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(keep));
}

TEST(PictureCheckTest, AJpegIsWholeWhenItsMarkersReachTheEndOfImageWhateverFollows)
{
    JpegLayout layout;
    layout.scanBytes = 150000;  // more than the reading buffer holds
    const Bytes whole = jpegFile(layout);
    EXPECT_EQ(verdict(whole), PictureVerdict::Decodable);
    layout.frame = 0xC2;
    EXPECT_EQ(verdict(jpegFile(layout)), PictureVerdict::Decodable);

    // A motion photo: megabytes of video after the picture, with marker-like bytes in them.
    Bytes motion = whole;
    for (int i = 0; i < 3 * 1024 * 1024; ++i)
        motion.push_back(i % 997 == 0 ? 0xFF : std::uint8_t(i * 13));
    EXPECT_EQ(verdict(motion), PictureVerdict::Decodable);

    // Cut off after SOI, inside the frame header, inside the scan, just before EOI.
    for (std::size_t keep : {std::size_t(2), std::size_t(80), whole.size() / 2, whole.size() - 2})
        EXPECT_EQ(verdict(cut(whole, keep)), PictureVerdict::CutOff) << keep;
    // An end marker after too little data for the blocks the frame announces.
    layout = JpegLayout{};
    layout.width = layout.height = 2000;
    layout.scanBytes = 5000;
    EXPECT_EQ(verdict(jpegFile(layout)), PictureVerdict::CutOff);
}

TEST(PictureCheckTest, WhatIsNoJpegGifOrBmpOrHasNoImageIsNoPicture)
{
    const std::string text = "These are not the pixels you are looking for.";
    const Bytes noScan{0xFF, 0xD8, 0xFF, 0xD9};
    Bytes gifWithoutImage = cut(gifFile(), 27);  // header, colour table, extension
    gifWithoutImage.push_back(0x3B);
    for (const Bytes& file : {Bytes(text.begin(), text.end()), Bytes{}, Bytes{0x89, 'P', 'N', 'G', 13, 10, 26, 10},
                              noScan, gifWithoutImage})
        EXPECT_EQ(verdict(file), PictureVerdict::NotAPicture) << file.size();
}

TEST(PictureCheckTest, TheDecodeMemoryIsJudgedFromTheHeaderBeforeTheDataIsRead)
{
    JpegLayout layout;
    layout.frame = 0xC2;
    layout.width = layout.height = 20000;
    layout.scanBytes = 100;  // the rest of the file need not even exist
    PictureCheck result = check(jpegFile(layout));
    EXPECT_EQ(result.verdict, PictureVerdict::TooLarge);
    EXPECT_GT(result.workingMemory, 1000 * MB);  // every coefficient of 400 megapixels

    // Baseline, the decoder scales it down by 8 while decoding: little memory, but too little data.
    layout.frame = 0xC0;
    result = check(jpegFile(layout));
    EXPECT_LT(result.workingMemory, 64 * MB);
    EXPECT_EQ(result.verdict, PictureVerdict::CutOff);
    layout.width = layout.height = 65000;  // even an eighth of it is too large
    EXPECT_EQ(verdict(jpegFile(layout)), PictureVerdict::TooLarge);

    // A 48-megapixel progressive photo fits with subsampled colour, not with full colour; a
    // first scan holding one component only buffers the whole picture as progressive ones do.
    layout.frame = 0xC2;
    layout.width = 8000;
    layout.height = 6000;
    EXPECT_LT(check(jpegFile(layout)).workingMemory, 200 * MB);
    layout.sampling = {0x11, 0x11, 0x11};
    EXPECT_EQ(verdict(jpegFile(layout)), PictureVerdict::TooLarge);
    layout.frame = 0xC0;
    layout.firstScanComponents = 1;
    EXPECT_EQ(verdict(jpegFile(layout)), PictureVerdict::TooLarge);
    layout.firstScanComponents = 3;
    EXPECT_LT(check(jpegFile(layout)).workingMemory, 16 * MB);

    // GIF and BMP decode at full size.
    EXPECT_EQ(verdict(gifFile(20000, 20000)), PictureVerdict::TooLarge);
    EXPECT_EQ(verdict(bmpFile(8000, 8000, 24, 0, {})), PictureVerdict::TooLarge);
    EXPECT_EQ(verdict(bmpFile(4000, 3000, 24, 0, {})), PictureVerdict::CutOff);
}

TEST(PictureCheckTest, AGifIsWholeWhenItsTrailerFollowsCompleteImageData)
{
    const Bytes whole = gifFile();
    EXPECT_EQ(verdict(whole), PictureVerdict::Decodable);
    // Cut inside the colour table, inside the image's data, before the trailer.
    for (std::size_t keep : {std::size_t(16), whole.size() - 4, whole.size() - 1})
        EXPECT_EQ(verdict(cut(whole, keep)), PictureVerdict::CutOff) << keep;
}

TEST(PictureCheckTest, ABmpIsWholeWhenTheFileHoldsThePixelsItsHeaderPromises)
{
    // Two rows of 3 pixels, each padded to 12 bytes.
    const Bytes rows = bmpFile(3, 2, 24, 0, Bytes(24, 0x80));
    EXPECT_EQ(verdict(rows), PictureVerdict::Decodable);
    EXPECT_EQ(verdict(bmpFile(3, -2, 24, 0, Bytes(24, 0x80))), PictureVerdict::Decodable);  // top-down
    EXPECT_EQ(verdict(cut(rows, rows.size() - 1)), PictureVerdict::CutOff);

    // Run-length coded: a run, literal pixels padded to a word, end of row; two runs, end of picture.
    const Bytes runs{3, 7, 0, 3, 1, 2, 3, 0, 0, 0, 4, 9, 2, 5, 0, 1};
    EXPECT_EQ(verdict(bmpFile(6, 2, 8, 1, runs)), PictureVerdict::Decodable);
    EXPECT_EQ(verdict(bmpFile(6, 2, 8, 1, cut(runs, runs.size() - 2))), PictureVerdict::CutOff);
    // The last row's end-of-row code ends the picture too.
    EXPECT_EQ(verdict(bmpFile(6, 2, 8, 1, {3, 7, 0, 0, 6, 9, 0, 0})), PictureVerdict::Decodable);
}

} // namespace
} // namespace tessaloom::testing
