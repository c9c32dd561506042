// Fuzzes the picture file checks: any bytes are judged without a fault, and what follows a
// whole picture never changes the verdict on it.
#include "platform/picture_check.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using namespace tessaloom;

class Bytes final : public PictureBytes {
public:
    explicit Bytes(std::vector<std::uint8_t> bytes)
        : bytes_(std::move(bytes))
    {
    }
    std::uint64_t size() const override { return bytes_.size(); }
    std::size_t read(std::uint64_t offset, std::uint8_t* into, std::size_t count) override
    {
        if (offset >= bytes_.size())
            return 0;
        const std::size_t n = std::min<std::uint64_t>(count, bytes_.size() - offset);
        std::memcpy(into, bytes_.data() + offset, n);
        return n;
    }

private:
    std::vector<std::uint8_t> bytes_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<std::uint8_t> file(data, data + size);
    Bytes bytes(file);
    const PictureCheck check = checkPictureFile(bytes, {642, 480});
    if (check.verdict == PictureVerdict::Decodable) {
        file.insert(file.end(), {0xFF, 0xD8, 0xFF, 0xD9, 0x3B, 0x00, 0x01});
        Bytes longer(file);
        if (checkPictureFile(longer, {642, 480}).verdict != PictureVerdict::Decodable) {
            std::fprintf(stderr, "property broken: data after a whole picture changed the verdict\n");
            std::abort();
        }
    }
    return 0;
}
