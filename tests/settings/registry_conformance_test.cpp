// The store's behaviour on every registry it runs on: the one in memory, and the platform's.
#include "registry_access.h"
#include "settings/settings_store.h"
#include "support/memory_registry.h"

#ifdef _WIN32
#include "win32_test_keys.h"
#else
#include "settings/reg_file_registry.h"
#include "support/temp_folder.h"
#endif

#include <gtest/gtest.h>

namespace tessaloom {
namespace {

struct MemoryBackend {
    MemoryRegistry registry;
};

#ifdef _WIN32
using PlatformBackend = testing::Win32TestRegistry;
#else
struct PlatformBackend {
    testing::TempFolder folder;
    RegFileRegistry registry{folder.path("config/Marrowquill Software/Tessaloom.reg")};
};
#endif

template <class Backend>
class RegistryConformanceTest : public ::testing::Test {
protected:
    Backend backend;
    Registry& registry = backend.registry;
    SettingsStore store{registry, NumberFormat{",", "."}}; // a locale whose separators differ from the C one

    SettingValue read(const std::string& name) { return testing::readFrom(registry, name); }
    std::optional<StoredValue> raw(const std::string& name)
    {
        return testing::rawValue(registry, kHkeyLocalMachine, kSettingsKeyPath, name);
    }
    bool keyExists(const std::string& path)
    {
        Registry::Handle key = 0;
        const bool exists = registry.openKey(kHkeyLocalMachine, path, key) == 0 && key != 0;
        registry.closeKey(key);
        return exists;
    }
};

using Backends = ::testing::Types<MemoryBackend, PlatformBackend>;
TYPED_TEST_SUITE(RegistryConformanceTest, Backends);

TYPED_TEST(RegistryConformanceTest, TheFirstWriteMakesTheKeyAndReadsCutTextAtANulSkipOtherKindsAndChangeNothing)
{
    EXPECT_TRUE(this->read("NumRows").isEmpty() && !this->keyExists("Software\\Marrowquill Software"));
    this->store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "NumRows", "4");
    EXPECT_TRUE(this->keyExists("Software\\Marrowquill Software") &&
                this->keyExists("software\\MARROWQUILL SOFTWARE\\tessaloom"));

    using namespace std::string_view_literals;
    // clang-format off
    const std::tuple<const char*, std::uint32_t, std::string_view, SettingValue> cases[] = {
        {"NoNul", kRegSz, "abc", "abc"}, {"InnerNul", kRegSz, "ab\0cd\0"sv, "ab"}, {"Empty", kRegSz, "", ""},
        {"Expand", kRegExpandSz, "%TEMP%\0"sv, ""}, {"Multi", kRegMultiSz, "a\0b\0\0"sv, ""},
        {"Short", kRegDword, "\1\2", ""}, {"Long", kRegDword, "\1\2\3\4\5", ""}};
    // clang-format on
    Registry::Handle key = 0;
    ASSERT_EQ(this->registry.createKey(kHkeyLocalMachine, kSettingsKeyPath, key), 0);
    for (const auto& [name, kind, data, back] : cases)
        this->registry.setValue(key, name, kind, reinterpret_cast<const std::uint8_t*>(data.data()),
                                static_cast<std::uint32_t>(data.size()));
    this->registry.closeKey(key);
    for (const auto& [name, kind, data, back] : cases) {
        const std::optional<StoredValue> before = this->raw(name);
        EXPECT_EQ(this->read(name), back) << name;
        EXPECT_EQ(this->raw(name), before) << name;
    }
    EXPECT_EQ(this->raw("NumRows"), (StoredValue{kRegDword, {4, 0, 0, 0}}));
    EXPECT_TRUE(this->read("Missing").isEmpty() && !this->raw("Missing"));
    if constexpr (std::is_same_v<TypeParam, MemoryBackend>) {
        this->backend.registry.failWrites = true; // the store closes what it opened on every path
        this->store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "NoNul", "x");
        EXPECT_EQ(this->backend.registry.openHandles(), 0);
    }
}

TYPED_TEST(RegistryConformanceTest, StoresTrimmedTextOrARoundedNumberAndReadsItBack)
{
    const std::string label = "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8E\xB4";
    const std::string path = "C:\\Bilder\\\"Urlaub\"\\strand [2].jpg\\";
    // Outside 32 bits, "12345678901" is kept as text.
    // clang-format off
    const std::pair<SettingValue, SettingValue> cases[] = {
        {"  Tulips in May  ", "Tulips in May"}, {"\tTabs\nand\rlines\t", "\tTabs\nand\rlines\t"}, {label, label},
        {path, path}, {" -1.234,5E1 ", -12345}, {"-3,5", -4}, {"1,234.5", "1,234.5"}, {"12345678901", "12345678901"},
        {std::int16_t{0}, 0}, {std::int32_t{-2147483647 - 1}, -2147483647 - 1}, {" ", ""}};
    // clang-format on
    for (const auto& [data, back] : cases) {
        this->store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, "ImageLabel\xC3\x84", data);
        EXPECT_EQ(this->read("imagelabel\xC3\x84"), back) << data.text();
    }
    EXPECT_EQ(this->raw("ImageLabel\xC3\x84"), (StoredValue{kRegSz, {0}}));
}

} // namespace
} // namespace tessaloom
