#include "settings/platform_registry.h"
#include "settings/reg_file_registry.h"
#include "settings/settings_store.h"
#include "settings/text_encoding.h"
#include "temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tessaloom {
namespace {

using testing::contentOf;

namespace fs = std::filesystem;

void save(const std::string& path, const std::string& content)
{
    std::ofstream(path, std::ios::binary) << content;
}

class RegFileRegistryTest : public ::testing::Test {
protected:
    testing::TempFolder folder;
    std::string path = folder.path("config/Marrowquill Software/Tessaloom.reg");
    RegFileRegistry registry{path};
    SettingsStore store{registry, NumberFormat{".", ","}};

    SettingValue read(const char* name) { return store.ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name); }
    void write(const char* name, const SettingValue& data)
    {
        store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name, data);
    }
};

TEST_F(RegFileRegistryTest, ReadsCreateNothingAndTheFirstWriteMakesAPrivateFolderAndTheFile)
{
    EXPECT_TRUE(read("NumRows").isEmpty());
    EXPECT_FALSE(fs::exists(folder.path("config")));

    write("NumRows", "4");
    write("ImageLabel01", "Beach \"2004\"");
    EXPECT_EQ(fs::status(folder.path("config/Marrowquill Software")).permissions() & fs::perms::all,
              fs::perms::owner_all);
    EXPECT_EQ(contentOf(path), "REGEDIT4\n"
                               "\n"
                               "[HKEY_LOCAL_MACHINE\\Software\\Marrowquill Software\\Tessaloom]\n"
                               "\"NumRows\"=dword:00000004\n"
                               "\"ImageLabel01\"=\"Beach \\\"2004\\\"\"\n");
    EXPECT_FALSE(fs::exists(path + ".tmp"));
}

TEST_F(RegFileRegistryTest, AnExportDroppedInPlaceIsReadAndRewrittenInOwnFormOnTheFirstWrite)
{
    const std::string exported = "Windows Registry Editor Version 5.00\r\n\r\n"
                                 "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Marrowquill Software\\Tessaloom]\r\n"
                                 "\"NumRows\"=dword:00000003\r\n"
                                 "\"Tries3\"=dword:0000000b\r\n"
                                 "\"ImagePath01\"=\"C:\\\\Bilder\\\\Stra\xC3\x9F" "e.jpg\"\r\n"
                                 "\"ImageLabel01\"=hex(1):53,00,74,00,72,00,61,00,df,00,65,00,00,00\r\n"
                                 "\"Odd\"=hex:zz\r\n";
    std::string utf16 = "\xFF\xFE";
    for (char16_t unit : utf8ToUtf16(exported))
        utf16 += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    fs::create_directories(fs::path(path).parent_path());
    save(path, utf16);

    EXPECT_EQ(read("NumRows"), SettingValue(std::int32_t{3}));
    EXPECT_EQ(read("ImagePath01"), SettingValue("C:\\Bilder\\Stra\xC3\x9F" "e.jpg"));
    EXPECT_EQ(read("ImageLabel01"), SettingValue("Stra\xC3\x9F" "e"));
    EXPECT_EQ(contentOf(path), utf16);  // reading changes nothing

    write("FlipSpeed", std::int32_t{1500});
    const std::string rewritten = contentOf(path);
    EXPECT_TRUE(rewritten.starts_with("REGEDIT4\n"));
    EXPECT_NE(rewritten.find("\"Odd\"=hex:zz\n"), std::string::npos);
    EXPECT_EQ(read("NumRows"), SettingValue(std::int32_t{3}));
    EXPECT_EQ(read("Tries3"), SettingValue(std::int32_t{11}));
    EXPECT_EQ(read("ImagePath01"), SettingValue("C:\\Bilder\\Stra\xC3\x9F" "e.jpg"));
    EXPECT_EQ(read("ImageLabel01"), SettingValue("Stra\xC3\x9F" "e"));
    EXPECT_EQ(read("FlipSpeed"), SettingValue(std::int32_t{1500}));
}

TEST_F(RegFileRegistryTest, AWriteThroughASymbolicLinkKeepsTheLinkAndTheFilesMode)
{
    const std::string real = folder.path("dotfiles/Tessaloom.reg");
    fs::create_directories(folder.path("dotfiles"));
    fs::create_directories(fs::path(path).parent_path());
    save(real, "REGEDIT4\n");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, path);

    write("NumRows", "5");
    EXPECT_TRUE(fs::is_symlink(path));
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_NE(contentOf(real).find("\"NumRows\"=dword:00000005"), std::string::npos);
    EXPECT_EQ(read("NumRows"), SettingValue(std::int32_t{5}));
}

TEST_F(RegFileRegistryTest, AFiftyMegabyteFileIsReadAndWrittenWhole)
{
    std::string junk;
    for (int i = 0; junk.size() < (50u << 20); ++i)
        junk += "junk line " + std::to_string(i) + " \"not\"=a value\n";
    fs::create_directories(fs::path(path).parent_path());
    save(path, "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Marrowquill Software\\Tessaloom]\n\"NumRows\"=dword:00000006\n" +
                   junk);

    EXPECT_EQ(read("NumRows"), SettingValue(std::int32_t{6}));
    write("FlipSpeed", "700");
    EXPECT_EQ(read("FlipSpeed"), SettingValue(std::int32_t{700}));
    const std::string rewritten = contentOf(path);
    EXPECT_NE(rewritten.find(junk), std::string::npos);
}

TEST(SettingsFilePathTest, FollowsTheBaseDirectoryRules)
{
    EXPECT_EQ(settingsFilePath("/xdg", "/home/ana"), "/xdg/Marrowquill Software/Tessaloom.reg");
    EXPECT_EQ(settingsFilePath("/xdg/", "/home/ana"), "/xdg/Marrowquill Software/Tessaloom.reg");
    EXPECT_EQ(settingsFilePath(nullptr, "/home/ana"), "/home/ana/.config/Marrowquill Software/Tessaloom.reg");
    EXPECT_EQ(settingsFilePath("", "/home/ana"), "/home/ana/.config/Marrowquill Software/Tessaloom.reg");
    EXPECT_EQ(settingsFilePath("relative", "/home/ana"), "/home/ana/.config/Marrowquill Software/Tessaloom.reg");
    EXPECT_EQ(settingsFilePath(nullptr, nullptr), "");
}

} // namespace
} // namespace tessaloom
