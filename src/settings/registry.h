#pragma once

#include "settings/settings_store.h"

#include <cstdint>
#include <string>

namespace tessaloom {

// Registry return codes the store and its registries use.
inline constexpr std::int32_t kRegistrySuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorPathNotFound = 3;
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::int32_t kErrorNotEnoughMemory = 8;
inline constexpr std::int32_t kErrorWriteFault = 29;
inline constexpr std::int32_t kErrorReadFault = 30;
inline constexpr std::int32_t kErrorInvalidParameter = 87;
inline constexpr std::int32_t kErrorDiskFull = 112;
inline constexpr std::int32_t kErrorFileTooLarge = 223;
inline constexpr std::int32_t kErrorMoreData = 234;
inline constexpr std::int32_t kErrorTimeout = 1460;

// Value kinds.
inline constexpr std::uint32_t kRegNone = 0;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegBinary = 3;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kRegMultiSz = 7;

// The few registry operations the store makes, shaped like the Windows registry functions so
// that the store's algorithms read the same on every platform. Texts cross this interface as
// UTF-8 bytes. Every call returns 0 or an error code and never throws.
class Registry {
public:
    using Handle = std::uintptr_t; // 0 is no handle

    virtual ~Registry() = default;

    // Opens an existing key; a missing key gives no handle and an error code.
    virtual std::int32_t openKey(RootKey root, const std::string& path, Handle& key) = 0;
    // Opens a key, creating it and its missing parents.
    virtual std::int32_t createKey(RootKey root, const std::string& path, Handle& key) = 0;
    // Without data: reports the value's kind (0 when missing) and size in bytes. With data:
    // copies up to size bytes, setting size to the bytes copied (or needed, with kErrorMoreData).
    virtual std::int32_t queryValue(Handle key, const std::string& name, std::uint32_t* kind, std::uint8_t* data,
                                    std::uint32_t& size) = 0;
    // Stores kind and bytes under the name, replacing an earlier value of any kind.
    virtual std::int32_t setValue(Handle key, const std::string& name, std::uint32_t kind, const std::uint8_t* data,
                                  std::uint32_t size) = 0;
    virtual std::int32_t closeKey(Handle key) = 0;
};

} // namespace tessaloom
