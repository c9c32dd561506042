// Fuzzes the help file reader: any bytes are judged by the structure check, and a file that
// passes is read through chmlib, its #SYSTEM record and every file it lists, without a fault.
#include "help/chm_file.h"

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto file = tessaloom::ChmFile::fromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!file)
        return 0;
    file->systemInfo();
    for (const std::string& path : file->files())
        file->read(path);
    return 0;
}
