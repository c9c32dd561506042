#include "settings/memory_registry.h"
#include "settings/settings_store.h"

#include <gtest/gtest.h>

namespace tessaloom {
namespace {

using Bytes = std::vector<std::uint8_t>;

class SettingsStoreTest : public ::testing::Test {
protected:
    MemoryRegistry registry;
    SettingsStore store{registry, NumberFormat{".", ","}};

    void write(const char* name, const SettingValue& data)
    {
        store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name, data);
    }
    SettingValue read(const char* name) { return store.ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name); }
    MemoryRegistry::StoredValue stored(const char* name) const
    {
        return registry.values(kHkeyLocalMachine, kSettingsKeyPath)->at(name);
    }
};

Bytes text(const std::string& s)
{
    Bytes bytes(s.begin(), s.end());
    bytes.push_back(0);
    return bytes;
}

Bytes dword(std::uint32_t n)
{
    return {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n >> 16),
            static_cast<std::uint8_t>(n >> 24)};
}

TEST_F(SettingsStoreTest, TextsAreTrimmedOfSpacesOnlyAndEndInOneNul)
{
    write("ImageLabel01", "  Tulips in May  ");
    write("ImageLabel02", "\tTabs stay\t");
    write("ImagePath01", "   ");
    EXPECT_EQ(stored("ImageLabel01"), (MemoryRegistry::StoredValue{kRegSz, text("Tulips in May")}));
    EXPECT_EQ(stored("ImageLabel02"), (MemoryRegistry::StoredValue{kRegSz, text("\tTabs stay\t")}));
    EXPECT_EQ(stored("ImagePath01"), (MemoryRegistry::StoredValue{kRegSz, Bytes{0}}));
    EXPECT_EQ(read("ImageLabel01"), SettingValue("Tulips in May"));
}

TEST_F(SettingsStoreTest, KindFollowsContentUnderTheUsersLocale)
{
    write("ImageLabel01", " 2004 ");
    write("ImageLabel02", "1,234.5");
    write("ImageLabel03", "-3.5");
    write("ImageLabel04", "12345678901");  // too large for 32 bits: kept as text
    write("Tries2", std::int16_t{0});
    write("FlipSpeed", std::int32_t{-2});
    EXPECT_EQ(stored("ImageLabel01"), (MemoryRegistry::StoredValue{kRegDword, dword(2004)}));
    EXPECT_EQ(stored("ImageLabel02"), (MemoryRegistry::StoredValue{kRegDword, dword(1234)}));
    EXPECT_EQ(stored("ImageLabel03"), (MemoryRegistry::StoredValue{kRegDword, dword(0xFFFFFFFC)}));
    EXPECT_EQ(stored("ImageLabel04"), (MemoryRegistry::StoredValue{kRegSz, text("12345678901")}));
    EXPECT_EQ(stored("Tries2"), (MemoryRegistry::StoredValue{kRegDword, dword(0)}));
    EXPECT_EQ(read("ImageLabel03"), SettingValue(std::int32_t{-4}));
    EXPECT_EQ(read("FlipSpeed"), SettingValue(std::int32_t{-2}));

    SettingsStore german(registry, NumberFormat{",", "."});
    german.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "ImageLabel05", "1.234,5");
    german.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "ImageLabel06", "1,234.5");
    EXPECT_EQ(stored("ImageLabel05"), (MemoryRegistry::StoredValue{kRegDword, dword(1234)}));
    EXPECT_EQ(stored("ImageLabel06"), (MemoryRegistry::StoredValue{kRegSz, text("1,234.5")}));
}

TEST_F(SettingsStoreTest, DwordsOfAnotherSizeAndOtherKindsReadAsAbsent)
{
    registry.put(kHkeyLocalMachine, kSettingsKeyPath, "Short", kRegDword, {1, 2});
    registry.put(kHkeyLocalMachine, kSettingsKeyPath, "Long", kRegDword, {1, 2, 3, 4, 5});
    registry.put(kHkeyLocalMachine, kSettingsKeyPath, "Binary", kRegBinary, dword(7));
    registry.put(kHkeyLocalMachine, kSettingsKeyPath, "Multi", kRegMultiSz, text(std::string("a\0b", 3)));
    registry.put(kHkeyLocalMachine, kSettingsKeyPath, "Qword", 11, {1, 0, 0, 0, 0, 0, 0, 0});
    registry.put(kHkeyLocalMachine, kSettingsKeyPath, "Empty", kRegSz, {});
    for (const char* name : {"Short", "Long", "Binary", "Multi", "Qword", "Empty", "Missing"})
        EXPECT_TRUE(read(name).isEmpty()) << name;
    EXPECT_EQ(registry.openHandles(), 0);
}

TEST_F(SettingsStoreTest, LastResultTellsOfTheLastCallAndNoHandleIsKept)
{
    read("NumRows");
    EXPECT_NE(store.lastRegistryResult(), 0);  // no key: nothing to close either
    write("NumRows", "4");
    EXPECT_EQ(store.lastRegistryResult(), 0);
    read("NumRows");
    EXPECT_EQ(store.lastRegistryResult(), 0);

    registry.failWrites = true;
    write("NumRows", "5");
    EXPECT_EQ(read("NumRows"), SettingValue(std::int32_t{4}));
    EXPECT_EQ(registry.openHandles(), 0);
}

} // namespace
} // namespace tessaloom
