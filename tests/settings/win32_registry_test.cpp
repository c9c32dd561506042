// The Windows registry under keys of the test's own, the user's key standing in for the
// machine's: where values go, and the files this store writes imported by the registry editor.
// That texts are stored wide follows from the import (the registry's UTF-16 reads back as the
// store's text) and the conformance tests (what the store writes reads back the same).
#include "registry_access.h"
#include "settings/reg_file_document.h"
#include "settings/text_encoding.h"
#include "win32_test_keys.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace tessaloom {
namespace {

using namespace std::string_view_literals;

const std::wstring kWidePath = L"Software\\Marrowquill Software\\Tessaloom";

bool holds(HKEY root, const wchar_t* name)
{
    return RegGetValueW(root, kWidePath.c_str(), name, RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

StoredValue stored(std::uint32_t kind, std::string_view bytes)
{
    return {kind, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}

TEST(Win32RegistryTest, AMachineKeyThatCannotBeMadeSendsWritesToTheUsersKey)
{
    // Under a volatile key no lasting key can be made: the machine's key cannot be had for writing.
    testing::Win32TestRegistry settings{testing::Win32TestKeys(REG_OPTION_VOLATILE)};
    testing::writeTo(settings.registry, "NumRows", "5");
    EXPECT_TRUE(holds(settings.keys.user, L"NumRows"));
}

TEST(Win32RegistryTest, ReadsLookUnderTheUserFirstAndWritesStayThereOnceSettingsLiveThere)
{
    testing::Win32TestRegistry settings;
    for (auto [root, name, value] : {std::tuple{settings.keys.machine, L"NumRows", DWORD{3}},
                                     {settings.keys.machine, L"FlipSpeed", DWORD{1000}},
                                     {settings.keys.user, L"NumRows", DWORD{5}}})
        ASSERT_EQ(RegSetKeyValueW(root, kWidePath.c_str(), name, REG_DWORD, &value, sizeof value), 0);
    EXPECT_EQ(testing::readFrom(settings.registry, "NumRows"), SettingValue(5));
    EXPECT_EQ(testing::readFrom(settings.registry, "FlipSpeed"), SettingValue(1000));
    testing::writeTo(settings.registry, "FlipSpeed", 2000);
    EXPECT_TRUE(holds(settings.keys.user, L"FlipSpeed"));
}

// Every text arrives intact, and what the store reads from a file is what the import leaves.
TEST(Win32RegistryTest, TheRegistryEditorImportsWrittenFilesWithEveryTextIntactAndDeletionsAsRead)
{
    testing::Win32TestRegistry settings; // the files write below the user's stand-in, read back as its root
    const std::wstring below = testing::Win32TestKeys::base() + L"\\user\\";
    const std::string user = utf16ToUtf8(std::u16string(below.begin(), below.end()));
    const std::string section = "HKEY_CURRENT_USER\\" + user + "Unicode";
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = folder + std::string("tessaloom-import.reg");

    RegFileDocument plain;
    plain.setValue(kHkeyCurrentUser, user + "Ascii", {"Path", stored(kRegSz, "C:\\Pictures\\\"2004\".jpg\0"sv)});
    plain.setValue(kHkeyCurrentUser, user + "Ascii", {"NumRows", {kRegDword, {4, 0, 0, 0}}});
    RegFileDocument document =
        RegFileDocument::parse("REGEDIT4\n\n[" + section +
                               "]\n\"Gone\"=\"deleted below\"\n\"Back\"=dword:00000001\n\"Gone\"=-\n\"Back\"=-\n\n[" +
                               section + "\\Below]\n\"Lost\"=\"with its key\"\n\n[-" + section + "\\Below]\n");
    const NamedValue values[] = {
        {"Label", stored(kRegSz, "Caf\xC3\xA9\0"sv)},
        {"Winter", stored(kRegSz, "\xD0\x97\xD0\xB8\xD0\xBC\xD0\xB0\0"sv)},
        {"Lines", stored(kRegSz, "\xCE\xA9\r\nb\0"sv)},
        {"Expand", stored(kRegExpandSz, "%TEMP%\\\xE6\x97\xA5\0"sv)},
        {"Multi", stored(kRegMultiSz, "\xF0\x9F\x8E\xB4\0b\0\0"sv)},
        {"Back", {kRegDword, {5, 0, 0, 0}}},
        {"Caf\xC3\xA9 name", {kRegDword, {7, 0, 0, 0}}},
    };
    for (const NamedValue& value : values)
        document.setValue(kHkeyCurrentUser, user + "Unicode", value);

    for (const auto& [file, key] : {std::pair{&plain, "Ascii"}, std::pair{&document, "Unicode"}}) {
        const std::string written = file->serialize();
        std::ofstream(path, std::ios::binary) << written;
        EXPECT_EQ(std::system(("regedit.exe /s \"" + path + "\"").c_str()), 0);
        std::remove(path.c_str());

        // The store reads from the file just what the import left in the registry.
        const std::vector<NamedValue> read = RegFileDocument::parse(written).values(kHkeyCurrentUser, user + key);
        EXPECT_EQ(read.size(), file == &plain ? 2u : std::size(values));
        for (const NamedValue& value : read)
            EXPECT_EQ(testing::rawValue(settings.registry, kHkeyCurrentUser, key, value.name), value.value)
                << value.name;
    }
    EXPECT_FALSE(testing::rawValue(settings.registry, kHkeyCurrentUser, "Unicode", "Gone"));
    EXPECT_FALSE(testing::rawValue(settings.registry, kHkeyCurrentUser, "Unicode\\Below", "Lost"));
}

} // namespace
} // namespace tessaloom
