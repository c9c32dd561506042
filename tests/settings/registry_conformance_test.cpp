// The store's behaviour on every registry it runs on: the one in memory, and the platform's.
#include "settings/memory_registry.h"
#include "settings/settings_store.h"
#include "settings/stored_value.h"

#ifdef _WIN32
#include "settings/win32_registry.h"
#include "win32_test_keys.h"
#else
#include "settings/reg_file_registry.h"
#include "temp_folder.h"
#endif

#include <gtest/gtest.h>

#include <optional>

namespace tessaloom {
namespace {

using Bytes = std::vector<std::uint8_t>;

class MemoryBackend {
public:
    Registry& registry() { return registry_; }

private:
    MemoryRegistry registry_;
};

#ifdef _WIN32
class PlatformBackend {
public:
    Registry& registry() { return registry_; }

private:
    testing::Win32TestKeys keys_;
    Win32Registry registry_{keys_.machine, keys_.user};
};
#else
class PlatformBackend {
public:
    Registry& registry() { return registry_; }

private:
    testing::TempFolder folder_;
    RegFileRegistry registry_{folder_.path("config/Marrowquill Software/Tessaloom.reg")};
};
#endif

Bytes bytes(std::string_view s)
{
    return Bytes(s.begin(), s.end());
}

template <class Backend>
class RegistryConformanceTest : public ::testing::Test {
protected:
    Backend backend;
    Registry& registry = backend.registry();
    SettingsStore store{registry, NumberFormat{".", ","}};

    SettingValue read(const std::string& name)
    {
        return store.ReadRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name);
    }
    void write(const std::string& name, const SettingValue& data)
    {
        store.WriteRegistryValue(kHkeyLocalMachine, kSettingsKeyPath, name, data);
    }
    void putRaw(const std::string& name, std::uint32_t kind, const Bytes& data)
    {
        Registry::Handle key = 0;
        ASSERT_EQ(registry.createKey(kHkeyLocalMachine, kSettingsKeyPath, key), 0);
        EXPECT_EQ(registry.setValue(key, name, kind, data.data(), static_cast<std::uint32_t>(data.size())), 0);
        registry.closeKey(key);
    }
    std::optional<StoredValue> raw(const std::string& name)
    {
        Registry::Handle key = 0;
        if (registry.openKey(kHkeyLocalMachine, kSettingsKeyPath, key) != 0)
            return std::nullopt;
        StoredValue value;
        std::uint32_t size = 0;
        std::optional<StoredValue> result;
        if (registry.queryValue(key, name, &value.kind, nullptr, size) == 0) {
            value.bytes.resize(size);
            if (registry.queryValue(key, name, nullptr, value.bytes.data(), size) == 0)
                result = value;
        }
        registry.closeKey(key);
        return result;
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

TYPED_TEST(RegistryConformanceTest, ReadingAMissingKeyGivesEmptyTextAndTheFirstWriteMakesKeyAndParents)
{
    EXPECT_TRUE(this->read("NumRows").isEmpty());
    EXPECT_NE(this->store.lastRegistryResult(), 0);
    EXPECT_FALSE(this->keyExists(kSettingsKeyPath));
    EXPECT_FALSE(this->keyExists("Software\\Marrowquill Software"));

    this->write("NumRows", "4");
    EXPECT_TRUE(this->keyExists("Software\\Marrowquill Software"));
    EXPECT_TRUE(this->keyExists("software\\MARROWQUILL SOFTWARE\\tessaloom"));
    EXPECT_EQ(this->raw("NumRows"), (StoredValue{kRegDword, {4, 0, 0, 0}}));
    EXPECT_EQ(this->read("NumRows"), SettingValue(std::int32_t{4}));
    EXPECT_TRUE(this->read("Missing").isEmpty());
}

TYPED_TEST(RegistryConformanceTest, StoredDataFollowsContent)
{
    this->write("ImageLabel01", " ");
    EXPECT_EQ(this->raw("ImageLabel01"), (StoredValue{kRegSz, {0}}));
    EXPECT_TRUE(this->read("ImageLabel01").isEmpty());

    this->write("ImageLabel02", "12");
    EXPECT_EQ(this->raw("ImageLabel02"), (StoredValue{kRegDword, {12, 0, 0, 0}}));
    EXPECT_EQ(this->read("ImageLabel02"), SettingValue(std::int32_t{12}));

    this->write("Tries2", std::int16_t{0});
    EXPECT_EQ(this->read("Tries2"), SettingValue(std::int32_t{0}));
    EXPECT_FALSE(this->read("Tries2").isEmpty());

    this->write("ImageLabel02", "Twelve");  // the same name, now text
    EXPECT_EQ(this->read("imagelabel02"), SettingValue("Twelve"));
    this->write("FlipSpeed", std::int32_t{-2147483647 - 1});
    EXPECT_EQ(this->read("FlipSpeed"), SettingValue(std::int32_t{-2147483647 - 1}));
}

TYPED_TEST(RegistryConformanceTest, TextIsCutAtItsFirstNulAndOtherKindsReadAsAbsent)
{
    this->putRaw("NoNul", kRegSz, bytes("abc"));
    this->putRaw("InnerNul", kRegSz, bytes(std::string_view("ab\0cd\0", 6)));
    this->putRaw("Expand", kRegExpandSz, bytes(std::string_view("%TEMP%\0", 7)));
    this->putRaw("Binary", kRegBinary, {1, 2, 3, 4});
    this->putRaw("Multi", kRegMultiSz, bytes(std::string_view("a\0b\0\0", 5)));
    EXPECT_EQ(this->read("NoNul"), SettingValue("abc"));
    EXPECT_EQ(this->read("InnerNul"), SettingValue("ab"));
    EXPECT_TRUE(this->read("Expand").isEmpty());
    EXPECT_TRUE(this->read("Binary").isEmpty());
    EXPECT_TRUE(this->read("Multi").isEmpty());
}

TYPED_TEST(RegistryConformanceTest, TextsOutsideAsciiAndWithQuotesAndBackslashesRoundTrip)
{
    const std::string label = "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1 \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x8E\xB4";
    const std::string path = "C:\\Bilder\\\"Urlaub\"\\strand [2].jpg\\";
    this->write("ImageLabel03", label);
    this->write("ImagePath03", path);
    this->write("\xC3\x84rger", "name");
    EXPECT_EQ(this->read("ImageLabel03"), SettingValue(label));
    EXPECT_EQ(this->read("ImagePath03"), SettingValue(path));
    EXPECT_EQ(this->read("\xC3\x84rger"), SettingValue("name"));
}

TYPED_TEST(RegistryConformanceTest, ReadingNeverChangesTheStore)
{
    this->write("ImageLabel01", "Cats");
    this->write("NumRows", "6");
    const auto label = this->raw("ImageLabel01");
    const auto rows = this->raw("NumRows");
    for (const char* name : {"ImageLabel01", "NumRows", "Missing", ""})
        this->read(name);
    this->store.ReadRegistryValue(kHkeyLocalMachine, "Software\\Elsewhere", "NumRows");
    EXPECT_EQ(this->raw("ImageLabel01"), label);
    EXPECT_EQ(this->raw("NumRows"), rows);
    EXPECT_FALSE(this->raw("Missing"));
    EXPECT_FALSE(this->keyExists("Software\\Elsewhere"));
}

} // namespace
} // namespace tessaloom
