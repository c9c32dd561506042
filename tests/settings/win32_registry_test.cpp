// The Windows registry under keys of the test's own: the user's key standing in for the
// machine's, and texts stored wide.
#include "settings/settings_store.h"
#include "settings/win32_registry.h"
#include "win32_test_keys.h"

#include <gtest/gtest.h>

namespace tessaloom {
namespace {

const std::wstring kWidePath = L"Software\\Marrowquill Software\\Tessaloom";

bool holds(HKEY root, const wchar_t* name)
{
    return RegGetValueW(root, kWidePath.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

class Win32RegistryTest : public ::testing::Test {
protected:
    testing::Win32TestKeys keys;
    Win32Registry registry{keys.machine, keys.user};
    SettingsStore store{registry, NumberFormat{".", ","}};

    SettingValue read(const char* name) { return store.ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name); }
    void write(const char* name, const SettingValue& data)
    {
        store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name, data);
    }
    void putDword(HKEY root, const wchar_t* name, DWORD value)
    {
        ASSERT_EQ(RegSetKeyValueW(root, kWidePath.c_str(), name, REG_DWORD, &value, sizeof value), 0);
    }
};

TEST(Win32RegistryFallbackTest, AMachineKeyThatCannotBeMadeSendsWritesToTheUsersKey)
{
    // Under a volatile key no lasting key can be made: the machine's key cannot be had for writing.
    testing::Win32TestKeys keys(REG_OPTION_VOLATILE);
    Win32Registry registry(keys.machine, keys.user);
    SettingsStore store(registry, NumberFormat{".", ","});
    store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "NumRows", "5");
    EXPECT_EQ(store.lastRegistryResult(), 0);
    EXPECT_TRUE(holds(keys.user, L"NumRows"));
    EXPECT_EQ(store.ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "NumRows"), SettingValue(std::int32_t{5}));
}

TEST_F(Win32RegistryTest, ReadsLookUnderTheUserFirstAndWritesStayThereOnceSettingsLiveThere)
{
    putDword(keys.machine, L"NumRows", 3);
    putDword(keys.machine, L"FlipSpeed", 1000);
    putDword(keys.user, L"NumRows", 5);
    EXPECT_EQ(read("NumRows"), SettingValue(std::int32_t{5}));
    EXPECT_EQ(read("FlipSpeed"), SettingValue(std::int32_t{1000}));
    write("FlipSpeed", std::int32_t{2000});
    EXPECT_EQ(read("FlipSpeed"), SettingValue(std::int32_t{2000}));
    EXPECT_TRUE(holds(keys.user, L"FlipSpeed"));
}

TEST_F(Win32RegistryTest, TextsAreStoredWideAndStayReadableByTheNarrowFunctions)
{
    write("ImageLabel01", "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1");  // outside every ANSI code page but one
    write("ImagePath01", "C:\\Pictures\\beach.jpg");
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

} // namespace
} // namespace tessaloom
