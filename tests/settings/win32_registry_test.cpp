// The Windows registry under keys of the test's own: the user's key standing in for the
// machine's, and texts stored wide.
#include "settings/settings_store.h"
#include "settings/win32_registry.h"
#include "win32_test_keys.h"

#include <gtest/gtest.h>

namespace tessaloom {
namespace {

const std::wstring kWidePath = L"Software\\Marrowquill Software\\Tessaloom";

void putDword(HKEY root, const wchar_t* name, DWORD value)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, kWidePath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0);
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
}

bool holds(HKEY root, const wchar_t* name)
{
    return RegGetValueW(root, kWidePath.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

class Win32RegistryTest : public ::testing::Test {
protected:
    void write(Win32Registry& registry, const char* name, const SettingValue& data)
    {
        SettingsStore store(registry, NumberFormat{".", ","});
        store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name, data);
        lastResult = store.lastRegistryResult();
    }
    SettingValue read(Win32Registry& registry, const char* name)
    {
        SettingsStore store(registry, NumberFormat{".", ","});
        return store.ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name);
    }
    std::int32_t lastResult = -1;
};

TEST_F(Win32RegistryTest, AMachineKeyThatCannotBeMadeSendsWritesToTheUsersKey)
{
    // Under a volatile key no lasting key can be made: the machine's key cannot be had for writing.
    testing::Win32TestKeys keys(REG_OPTION_VOLATILE);
    Win32Registry registry(keys.machine, keys.user);
    write(registry, "NumRows", "5");
    EXPECT_EQ(lastResult, 0);
    EXPECT_TRUE(holds(keys.user, L"NumRows"));
    EXPECT_EQ(read(registry, "NumRows"), SettingValue(std::int32_t{5}));
}

TEST_F(Win32RegistryTest, ReadsLookUnderTheUserFirstAndWritesStayThereOnceSettingsLiveThere)
{
    testing::Win32TestKeys keys;
    putDword(keys.machine, L"NumRows", 3);
    putDword(keys.machine, L"FlipSpeed", 1000);
    putDword(keys.user, L"NumRows", 5);
    Win32Registry registry(keys.machine, keys.user);
    EXPECT_EQ(read(registry, "NumRows"), SettingValue(std::int32_t{5}));
    EXPECT_EQ(read(registry, "FlipSpeed"), SettingValue(std::int32_t{1000}));

    write(registry, "FlipSpeed", std::int32_t{2000});
    EXPECT_EQ(read(registry, "FlipSpeed"), SettingValue(std::int32_t{2000}));
    EXPECT_TRUE(holds(keys.user, L"FlipSpeed"));
}

TEST_F(Win32RegistryTest, TextsAreStoredWideAndStayReadableByTheNarrowFunctions)
{
    testing::Win32TestKeys keys;
    Win32Registry registry(keys.machine, keys.user);
    write(registry, "ImageLabel01", "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1");  // outside every ANSI code page but one
    write(registry, "ImagePath01", "C:\\Pictures\\beach.jpg");

    wchar_t wide[16] = {};
    DWORD size = sizeof wide;
    ASSERT_EQ(RegGetValueW(keys.machine, kWidePath.c_str(), L"ImageLabel01", RRF_RT_REG_SZ, nullptr, wide, &size), 0);
    EXPECT_EQ(std::wstring(wide), L"\u03A9\u03BC\u03AD\u03B3\u03B1");
    char narrow[32] = {};
    size = sizeof narrow;
    ASSERT_EQ(RegGetValueA(keys.machine, "Software\\Marrowquill Software\\Tessaloom", "ImagePath01", RRF_RT_REG_SZ,
                           nullptr, narrow, &size),
              0);
    EXPECT_STREQ(narrow, "C:\\Pictures\\beach.jpg");
}

TEST_F(Win32RegistryTest, ThePredefinedRootsWorkUnderAKeyOfTheTestsOwn)
{
    const std::wstring path = testing::Win32TestKeys::base() + L"-predefined";
    const std::string narrowPath(path.begin(), path.end());
    {
        Win32Registry registry;
        SettingsStore store(registry, NumberFormat{".", ","});
        store.WriteRegistryValue(kHkeyLocalMachine, narrowPath, "NumRows", "6");
        EXPECT_EQ(store.ReadRegistryValue(kHkeyLocalMachine, narrowPath, "NumRows"), SettingValue(std::int32_t{6}));
        EXPECT_TRUE(store.ReadRegistryValue(kHkeyLocalMachine, narrowPath, "Missing").isEmpty());
    }
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, path.c_str());
    RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\Tessaloom Tests");
    RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Tessaloom Tests");
    HKEY gone = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &gone), 0);
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &gone), 0);
}

} // namespace
} // namespace tessaloom
