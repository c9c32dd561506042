// Fuzzes the picture file checks of every format: any bytes are judged without a fault, and
// what follows a whole picture never changes the verdict on it.
#include "../picture_files.h"
#include "platform/picture_files/picture_check.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tessaloom;
    testing::Bytes file(data, data + size);
    testing::MemoryBytes bytes(file);
    if (checkPictureFile(bytes, {642, 480}).verdict != PictureVerdict::Decodable)
        return 0;
    testing::append(file, {0xFF, 0xD8, 0xFF, 0xD9, 0x3B, 0x00, 0x01});
    testing::MemoryBytes longer(file);
    if (checkPictureFile(longer, {642, 480}).verdict != PictureVerdict::Decodable) {
        std::fprintf(stderr, "property broken: data after a whole picture changed the verdict\n");
        std::abort();
    }
    return 0;
}
