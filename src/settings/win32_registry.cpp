#include "settings/win32_registry.h"

#include "settings/stored_value.h"
#include "settings/text_encoding.h"

#include <new>

namespace tessaloom {

namespace {

constexpr REGSAM kReadWrite = KEY_READ | KEY_WRITE;

std::wstring wide(std::string_view utf8)
{
    const std::u16string units = utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

bool isTextKind(DWORD kind)
{
    return kind == REG_SZ || kind == REG_EXPAND_SZ || kind == REG_MULTI_SZ;
}

// The whole value, texts turned into UTF-8.
LSTATUS readValue(HKEY key, const std::wstring& name, StoredValue& value)
{
    DWORD kind = 0;
    DWORD size = 0;
    LSTATUS code = RegQueryValueExW(key, name.c_str(), nullptr, &kind, nullptr, &size);
    if (code != ERROR_SUCCESS)
        return code;
    std::vector<std::uint8_t> bytes;
    // The value may grow between the two queries; ask again with the new size.
    for (int attempt = 0; attempt < 8; ++attempt) {
        bytes.resize(size);
        code = RegQueryValueExW(key, name.c_str(), nullptr, &kind, bytes.data(), &size);
        if (code != ERROR_MORE_DATA)
            break;
    }
    if (code != ERROR_SUCCESS)
        return code;
    bytes.resize(size);
    value.kind = kind;
    if (isTextKind(kind)) {
        const std::string text = utf16leToUtf8(bytes.data(), bytes.size());
        value.bytes.assign(text.begin(), text.end());
    } else {
        value.bytes = std::move(bytes);
    }
    return ERROR_SUCCESS;
}

} // namespace

Win32Registry::Win32Registry()
    : Win32Registry(HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER)
{
}

Win32Registry::Win32Registry(HKEY machineRoot, HKEY userRoot)
    : machineRoot_(machineRoot)
    , userRoot_(userRoot)
{
}

Win32Registry::~Win32Registry()
{
    for (const auto& [handle, key] : open_)
        for (HKEY opened : key.readOrder)
            RegCloseKey(opened);
}

HKEY Win32Registry::rootHandle(RootKey root) const
{
    if (root == kHkeyLocalMachine)
        return machineRoot_;
    if (root == kHkeyCurrentUser)
        return userRoot_;
    // Predefined keys are 32-bit values, widened with their sign as the system headers do.
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

Registry::Handle Win32Registry::addHandle(OpenKey key)
{
    const Handle handle = nextHandle_++;
    open_[handle] = std::move(key);
    return handle;
}

std::int32_t Win32Registry::openKey(RootKey root, const std::string& path, Handle& key)
{
    key = 0;
    try {
        const std::wstring widePath = wide(path);
        OpenKey opened;
        HKEY found = nullptr;
        LSTATUS code = ERROR_SUCCESS;
        if (root == kHkeyLocalMachine &&
            RegOpenKeyExW(userRoot_, widePath.c_str(), 0, KEY_READ, &found) == ERROR_SUCCESS)
            opened.readOrder.push_back(found);
        code = RegOpenKeyExW(rootHandle(root), widePath.c_str(), 0, KEY_READ, &found);
        if (code == ERROR_SUCCESS)
            opened.readOrder.push_back(found);
        if (opened.readOrder.empty())
            return code;
        key = addHandle(std::move(opened));
        return ERROR_SUCCESS;
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

std::int32_t Win32Registry::createKey(RootKey root, const std::string& path, Handle& key)
{
    key = 0;
    try {
        const std::wstring widePath = wide(path);
        OpenKey opened;
        HKEY user = nullptr;
        HKEY machine = nullptr;
        LSTATUS code = ERROR_SUCCESS;
        if (root != kHkeyLocalMachine) {
            code = RegCreateKeyExW(rootHandle(root), widePath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWrite,
                                   nullptr, &machine, nullptr);
            if (code != ERROR_SUCCESS)
                return code;
            key = addHandle(OpenKey{{machine}, machine});
            return ERROR_SUCCESS;
        }
        // Once the settings live under the user's key, they stay there: a read would find them first.
        if (RegOpenKeyExW(userRoot_, widePath.c_str(), 0, kReadWrite, &user) == ERROR_SUCCESS) {
            opened.writable = user;
            if (RegOpenKeyExW(machineRoot_, widePath.c_str(), 0, KEY_READ, &machine) != ERROR_SUCCESS)
                machine = nullptr;
        } else if (RegCreateKeyExW(machineRoot_, widePath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWrite,
                                   nullptr, &machine, nullptr) == ERROR_SUCCESS) {
            opened.writable = machine;
        } else {
            code = RegCreateKeyExW(userRoot_, widePath.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, kReadWrite,
                                   nullptr, &user, nullptr);
            if (code != ERROR_SUCCESS)
                return code;
            opened.writable = user;
            if (RegOpenKeyExW(machineRoot_, widePath.c_str(), 0, KEY_READ, &machine) != ERROR_SUCCESS)
                machine = nullptr;
        }
        if (user)
            opened.readOrder.push_back(user);
        if (machine)
            opened.readOrder.push_back(machine);
        key = addHandle(std::move(opened));
        return ERROR_SUCCESS;
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

std::int32_t Win32Registry::queryValue(Handle key, const std::string& name, std::uint32_t* kind, std::uint8_t* data,
                                       std::uint32_t& size)
{
    const auto open = open_.find(key);
    if (open == open_.end())
        return ERROR_INVALID_HANDLE;
    try {
        const std::wstring wideName = wide(name);
        LSTATUS code = ERROR_FILE_NOT_FOUND;
        for (HKEY opened : open->second.readOrder) {
            StoredValue value;
            code = readValue(opened, wideName, value);
            if (code == ERROR_SUCCESS)
                return answerQuery(value, kind, data, size);
            if (code != ERROR_FILE_NOT_FOUND)
                return code;
        }
        return code;
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

std::int32_t Win32Registry::setValue(Handle key, const std::string& name, std::uint32_t kind, const std::uint8_t* data,
                                     std::uint32_t size)
{
    const auto open = open_.find(key);
    if (open == open_.end())
        return ERROR_INVALID_HANDLE;
    if (!open->second.writable)
        return ERROR_ACCESS_DENIED;
    try {
        std::vector<std::uint8_t> bytes(data, data + size);
        if (isTextKind(kind)) {
            const std::u16string units = utf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size));
            bytes.clear();
            for (char16_t unit : units) {
                bytes.push_back(static_cast<std::uint8_t>(unit));
                bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
            }
        }
        return RegSetValueExW(open->second.writable, wide(name).c_str(), 0, kind, bytes.data(),
                              static_cast<DWORD>(bytes.size()));
    } catch (const std::bad_alloc&) {
        return ERROR_NOT_ENOUGH_MEMORY;
    }
}

std::int32_t Win32Registry::closeKey(Handle key)
{
    const auto open = open_.find(key);
    if (open == open_.end())
        return ERROR_INVALID_HANDLE;
    LSTATUS code = ERROR_SUCCESS;
    for (HKEY opened : open->second.readOrder)
        if (const LSTATUS closed = RegCloseKey(opened); closed != ERROR_SUCCESS)
            code = closed;
    open_.erase(open);
    return code;
}

} // namespace tessaloom
