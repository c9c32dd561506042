// Files this store writes, imported by the registry editor into the real registry: every text
// arrives intact, and what the store reads from a file is what the import leaves.
#include "settings/reg_file_document.h"
#include "settings/registry.h"
#include "settings/text_encoding.h"
#include "win32_test_keys.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <windows.h>

namespace tessaloom {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

std::wstring wide(std::string_view utf8)
{
    const std::u16string units = utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

// The value under the user's key as the registry holds it, texts as UTF-16LE; kind 0 when missing.
StoredValue registryValue(const std::string& key, const std::string& name)
{
    StoredValue value{0, Bytes(4096)};
    DWORD kind = 0;
    DWORD size = static_cast<DWORD>(value.bytes.size());
    if (RegGetValueW(HKEY_CURRENT_USER, wide(key).c_str(), wide(name).c_str(), RRF_RT_ANY | RRF_NOEXPAND, &kind,
                     value.bytes.data(), &size) != ERROR_SUCCESS)
        return {};
    value.kind = kind;
    value.bytes.resize(size);
    return value;
}

// What the registry holds for a value the store holds: texts in UTF-16LE.
StoredValue asRegistryHolds(const StoredValue& value)
{
    if (value.kind != kRegSz && value.kind != kRegExpandSz && value.kind != kRegMultiSz)
        return value;
    std::string units;
    appendUtf16le(units, std::string_view(reinterpret_cast<const char*>(value.bytes.data()), value.bytes.size()));
    return {value.kind, bytesOf(units)};
}

TEST(RegFileImportTest, TheRegistryEditorImportsWrittenFilesWithEveryTextIntactAndDeletionsAsRead)
{
    const testing::Win32TestKeys keys;  // their parent and all below it go at the end
    const std::wstring base = testing::Win32TestKeys::base();
    const std::string parent = utf16ToUtf8(std::u16string(base.begin(), base.end()));
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    const std::string path = folder + std::string("tessaloom-import.reg");

    const std::string ascii = parent + "\\Ascii";
    const std::string other = parent + "\\Unicode";
    RegFileDocument plain;
    plain.setValue(kHkeyCurrentUser, ascii, {"Path", {kRegSz, bytesOf(std::string_view("C:\\Pictures\\\"2004\".jpg\0", 24))}});
    plain.setValue(kHkeyCurrentUser, ascii, {"NumRows", {kRegDword, {4, 0, 0, 0}}});

    RegFileDocument document = RegFileDocument::parse(
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\" + other + "]\n\"Gone\"=\"deleted below\"\n\"Back\"=dword:00000001\n"
        "\"Gone\"=-\n\"Back\"=-\n\n[HKEY_CURRENT_USER\\" + other + "\\Below]\n\"Lost\"=\"with its key\"\n\n"
        "[-HKEY_CURRENT_USER\\" + other + "\\Below]\n");
    const std::pair<const char*, StoredValue> values[] = {
        {"Label", {kRegSz, bytesOf(std::string_view("Caf\xC3\xA9\0", 6))}},
        {"Winter", {kRegSz, bytesOf(std::string_view("\xD0\x97\xD0\xB8\xD0\xBC\xD0\xB0\0", 9))}},
        {"Lines", {kRegSz, bytesOf(std::string_view("\xCE\xA9\r\nb\0", 6))}},
        {"Expand", {kRegExpandSz, bytesOf(std::string_view("%TEMP%\\\xE6\x97\xA5\0", 11))}},
        {"Multi", {kRegMultiSz, bytesOf(std::string_view("\xF0\x9F\x8E\xB4\0b\0\0", 8))}},
        {"Back", {kRegDword, {5, 0, 0, 0}}},
        {"Caf\xC3\xA9 name", {kRegDword, {7, 0, 0, 0}}},
    };
    for (const auto& [name, value] : values)
        document.setValue(kHkeyCurrentUser, other, {name, value});

    for (const auto& [file, key] : {std::pair{&plain, ascii}, std::pair{&document, other}}) {
        const std::string written = file->serialize();
        EXPECT_EQ(written.starts_with("REGEDIT4\n"), file == &plain);
        std::ofstream(path, std::ios::binary) << written;
        EXPECT_EQ(std::system(("regedit.exe /s \"" + path + "\"").c_str()), 0);
        std::remove(path.c_str());

        // The store reads from the file just what the import left in the registry.
        const std::vector<NamedValue> read = RegFileDocument::parse(written).values(kHkeyCurrentUser, key);
        EXPECT_EQ(read.size(), file == &plain ? 2u : std::size(values));
        for (const NamedValue& value : read)
            EXPECT_EQ(registryValue(key, value.name), asRegistryHolds(value.value)) << value.name;
    }
    EXPECT_EQ(registryValue(other, "Gone").kind, 0u);
    EXPECT_EQ(registryValue(other + "\\Below", "Lost").kind, 0u);
}

} // namespace
} // namespace tessaloom
