#pragma once

#include "settings/win32_registry.h"

#include <windows.h>

#include <string>

namespace tessaloom::testing {

// Keys of the test's own under the user's key, standing in for the machine's and the user's
// roots, and deleted with everything below them at the end.
class Win32TestKeys {
public:
    // The user's key comes first: the parents it makes last, whatever the machine's key is.
    explicit Win32TestKeys(DWORD machineOptions = REG_OPTION_NON_VOLATILE)
    {
        RegCreateKeyExW(HKEY_CURRENT_USER, (base() + L"\\user").c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &user, nullptr);
        RegCreateKeyExW(HKEY_CURRENT_USER, (base() + L"\\machine").c_str(), 0, nullptr, machineOptions, KEY_ALL_ACCESS,
                        nullptr, &machine, nullptr);
    }
    ~Win32TestKeys()
    {
        RegCloseKey(machine);
        RegCloseKey(user);
        RegDeleteTreeW(HKEY_CURRENT_USER, base().c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, kParent); // only when no other test's keys are left
    }
    static std::wstring base() { return std::wstring(kParent) + L"\\" + std::to_wstring(GetCurrentProcessId()); }

    HKEY machine = nullptr;
    HKEY user = nullptr;

private:
    static constexpr const wchar_t* kParent = L"Software\\Tessaloom Tests";
};

// The Windows registry with those keys for its roots.
struct Win32TestRegistry {
    Win32TestKeys keys;
    Win32Registry registry{keys.machine, keys.user};
};

} // namespace tessaloom::testing
