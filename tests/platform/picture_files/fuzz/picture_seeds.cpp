// Writes seed files for the picture check fuzzer into the folder it is given: pictures whose
// image data runs past the checks' reading buffer, built as the unit tests build theirs.
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
    };
    for (const auto& [name, bytes] : seeds)
        std::ofstream(std::string(argv[1]) + "/" + name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return 0;
}
