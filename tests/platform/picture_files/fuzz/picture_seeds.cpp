// Writes seed files for the picture check fuzzer into the folder it is given: pictures of every
// format, some with image data running past the checks' reading buffer, built as the unit tests
// build theirs.
#include "../picture_files.h"

#include <fstream>
#include <string>

int main(int argc, char* argv[])
{
    using namespace tessaloom::testing;
    if (argc != 2)
        return 2;
    const std::pair<const char*, Bytes> seeds[] = {
        {"long-scan.jpg", jpegFile({.width = 640, .height = 480, .scanBytes = 150000})},
        {"rows.bmp", bmpFile(300, 200, 24, 0, Bytes(180000, 0x80))},
        {"long-data.png", pngFile({.width = 640, .height = 480, .dataBytes = 150000})},
        {"turned.png", pngFile({.interlace = 1, .exif = exifData(6, false, false), .exifAfterData = true})},
        {"lossy.webp", webpFile({.width = 640, .height = 480, .dataBytes = 100000})},
        {"lossless.webp", webpFile({.lossless = true, .exif = exifData(8, true)})},
        {"animation.webp", webpFile({.frames = 3})},
        {"photo.heic", heifFile({.rotation = 1})},
        {"grid.heic", heifFile({.tiles = 4, .dataBytes = 40000})},
        {"photo.avif", heifFile({.brand = "avif", .coding = "av01"})},
    };
    for (const auto& [name, bytes] : seeds)
        std::ofstream(std::string(argv[1]) + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return 0;
}
