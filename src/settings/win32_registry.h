#pragma once

#include "settings/registry.h"

#include <map>
#include <vector>
#include <windows.h>

namespace tessaloom {

// The Windows registry through its wide-character functions, so that texts outside the ANSI
// code page survive (they stay readable by the narrow functions).
//
// The machine's key is not writable for a standard user, so the local machine's root is
// backed by the user's: a read looks under the user's key first and the machine's second, and
// a write goes to the user's key when that already holds the settings or the machine's key
// cannot be opened for writing.
class Win32Registry final : public Registry {
public:
    Win32Registry();
    // For tests: the machine's and the user's roots stood in for by keys of their own.
    Win32Registry(HKEY machineRoot, HKEY userRoot);
    ~Win32Registry() override;
    Win32Registry(const Win32Registry&) = delete;
    Win32Registry& operator=(const Win32Registry&) = delete;

    std::int32_t openKey(RootKey root, const std::string& path, Handle& key) override;
    std::int32_t createKey(RootKey root, const std::string& path, Handle& key) override;
    std::int32_t queryValue(Handle key, const std::string& name, std::uint32_t* kind, std::uint8_t* data,
                            std::uint32_t& size) override;
    std::int32_t setValue(Handle key, const std::string& name, std::uint32_t kind, const std::uint8_t* data,
                          std::uint32_t size) override;
    std::int32_t closeKey(Handle key) override;

private:
    struct OpenKey {
        std::vector<HKEY> readOrder; // where a query looks, first to last
        HKEY writable = nullptr;     // one of them, or none for a key opened to read
    };

    HKEY rootHandle(RootKey root) const;
    Handle addHandle(OpenKey key);

    HKEY machineRoot_;
    HKEY userRoot_;
    std::map<Handle, OpenKey> open_;
    Handle nextHandle_ = 1;
};

} // namespace tessaloom
