// Example files of every kind. That any file reads back the same after a write, a last line
// without a line end and carriage returns before a line feed included, is the fuzz target's to
// show (see its corpus).
#include "settings/reg_file_document.h"
#include "settings/registry.h"
#include "settings/text_encoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <regex>

namespace tessaloom {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Values = std::vector<NamedValue>;

constexpr const char* kKey = "[HKEY_LOCAL_MACHINE\\Software\\Marrowquill Software\\Tessaloom]";

StoredValue sz(const std::string& text)
{
    return {kRegSz, Bytes(text.c_str(), text.c_str() + text.size() + 1)};
}
StoredValue dword(std::uint8_t low)
{
    return {kRegDword, {low, 0, 0, 0}};
}
Values settingsIn(const RegFileDocument& doc)
{
    return doc.values(kHkeyLocalMachine, kSettingsKeyPath);
}
Values settingsIn(const std::string& file)
{
    return settingsIn(RegFileDocument::parse(file));
}
void set(RegFileDocument& doc, const NamedValue& value)
{
    doc.setValue(kHkeyLocalMachine, kSettingsKeyPath, value);
}

// The text of a file written in the export form, its CRLF line ends made plain.
std::string exportedText(const std::string& file)
{
    EXPECT_TRUE(file.starts_with("\xFF\xFEW\0i\0n\0d\0o\0w\0s\0"));
    std::string plain;
    for (char c : utf16leToUtf8(reinterpret_cast<const std::uint8_t*>(file.data()) + 2, file.size() - 2)) {
        EXPECT_TRUE(c != '\n' || plain.ends_with('\r')) << "a line ending in LF alone";
        if (c == '\n' && plain.ends_with('\r'))
            plain.pop_back();
        plain.push_back(c);
    }
    return plain;
}

TEST(RegFileDocumentTest, ReadsAnExportOfTheRegistryEditorAndKeepsWhatItCannotRead)
{
    const std::string exported = "Windows Registry Editor Version 5.00\r\n\r\n"
                                 "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Marrowquill Software\\Tessaloom]\r\n"
                                 "\"NumRows\"=dword:00000005\r\n"
                                 "\"ImagePath01\"=\"C:\\\\Users\\\\Ana\\\\\\\"Best\\\".jpg\"\r\n"
                                 "\"ImageLabel01\"=\"\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1\"\r\n"
                                 "\"ImageLabel02\"=hex(1):53,00,74,00,72,00,61,00,df,00,65,00,00,00\r\n"
                                 "\"Expand\"=hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,5c,00,\\\r\n"
                                 "  a9,03,00,00\r\n"
                                 "\"Broken\"=hex(2):25,00,54,00,\xCE\xA9\\\r\n"
                                 "  00,00\r\n"
                                 "\"Deleted\"=-\r\n"
                                 "; a comment\r\n";
    std::string file = "\xFF\xFE"; // UTF-16LE with a byte-order mark
    appendUtf16le(file, exported);
    RegFileDocument document = RegFileDocument::parse(file);
    Values values = {
        {"NumRows", dword(5)},
        {"ImagePath01", sz("C:\\Users\\Ana\\\"Best\".jpg")},
        {"ImageLabel01", sz("\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1")},
        {"ImageLabel02", sz("Stra\u00DFe")}, // texts in hex are UTF-16 in an export
        {"Expand", {kRegExpandSz, sz("%TEMP%\\\xCE\xA9").bytes}},
    };
    EXPECT_EQ(settingsIn(document), values); // "Broken" is not hex after all: kept as text

    values.push_back({"FlipSpeed", dword(0xB8)});
    set(document, values.back());
    const std::string written = document.serialize();
    EXPECT_EQ(settingsIn(written), values);
    const std::string text = exportedText(written);
    EXPECT_TRUE(text.starts_with("Windows Registry Editor Version 5.00\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\"));
    EXPECT_NE(
        text.find("\n\"Expand\"=hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,5c,00,a9,03,00,00\n\"Broken\"=hex(2):25,"
                  "00,54,00,\xCE\xA9\\\n  00,00\n\"Deleted\"=-\n"),
        std::string::npos);
    EXPECT_TRUE(text.ends_with("\n; a comment\n"));

    // This store's older files are UTF-8; the registry editor's REGEDIT4 files are in its code page.
    EXPECT_EQ(settingsIn(std::string("REGEDIT4\n") + kKey + "\n\"A\"=\"Caf\xC3\xA9\"\n\"B\"=\"Caf\xE9 \x80\"\n"),
              (Values{{"A", sz("Caf\xC3\xA9")}, {"B", sz("Caf\xC3\xA9 \xE2\x82\xAC")}}));
}

TEST(RegFileDocumentTest, RefusesWhatTheFileCannotHoldAndANonAsciiTextInHexTurnsItIntoTheExportForm)
{
    RegFileDocument document;
    EXPECT_FALSE(document.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"Two\nLines", dword(1)}));
    EXPECT_FALSE(document.setValue(0x12345678u, kSettingsKeyPath, {"NumRows", dword(1)}));
    EXPECT_FALSE(document.createKey(kHkeyLocalMachine, "Software\r\nInjected"));
    EXPECT_EQ(document.serialize(), "REGEDIT4\n");
    set(document, {"Multi", {kRegMultiSz, Bytes{'C', 'a', 'f', 0xC3, 0xA9, 0, 0}}});
    EXPECT_NE(exportedText(document.serialize()).find("\n\"Multi\"=hex(7):43,00,61,00,66,00,e9,00,00,00,00,00\n"),
              std::string::npos);
}

TEST(RegFileDocumentTest, LinesThatDeleteTakeEffectInReadingOrderAndAWriteComesBackAfterThem)
{
    const std::string key = "HKEY_LOCAL_MACHINE\\Software\\Marrowquill Software";
    RegFileDocument document =
        RegFileDocument::parse("REGEDIT4\n[" + key +
                               "\\Tessaloom]\n\"NumRows\"=dword:00000002\n\"FlipSpeed\"=dword:00000003\n"
                               "\"NumRows\"=-\n[-HKEY_CURRENT_USER\\Software]\n[" +
                               key + "\\Tessaloom\\Below]\n[-" + key + "\\Tessaloom\\Below]\n[" + key +
                               "\\Tessaloom]\n\"Tries2\"=dword:00000007\n[-" + key + "]\n; end\n");
    EXPECT_TRUE(settingsIn(document).empty());
    EXPECT_FALSE(document.keyExists(kHkeyLocalMachine, kSettingsKeyPath));
    EXPECT_TRUE(document.keyExists(kHkeyLocalMachine, "Software"));
    set(document, {"NumRows", dword(4)});
    EXPECT_EQ(settingsIn(document.serialize()), (Values{{"NumRows", dword(4)}}));

    // Short of a key deletion, a value deleted comes back after its deletion line, and one
    // defined again after it is what counts.
    const std::string lines = "\n\"A\"=dword:00000001\n\"B\"=dword:00000002\n\"A\"=-\n\"B\"=-\n";
    RegFileDocument values = RegFileDocument::parse("REGEDIT4\n" + (kKey + lines) + "\"B\"=dword:00000003\n; end\n");
    EXPECT_EQ(settingsIn(values), (Values{{"B", dword(3)}}));
    set(values, {"A", dword(5)});
    set(values, {"B", dword(6)});
    EXPECT_EQ(values.serialize(),
              "REGEDIT4\n" + (kKey + lines) + "\"B\"=dword:00000006\n\"A\"=dword:00000005\n; end\n");
}

TEST(RegFileDocumentTest, GarbageBrokenLinesAndDuplicatesAreKeptAsTextAroundTheValuesThatCount)
{
    auto noise = [random = std::mt19937(1)]() mutable {
        std::string bytes(64 * 1024, '\0');
        std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<char>(random()); });
        return validUtf8(bytes); // as every byte that is not UTF-8 reads
    };
    const std::string before = 'x' + noise(), after = noise(); // 'x': not a byte-order mark
    const std::string megabyteText(1 << 20, 'y');
    // Values under a root or a deletion not understood count for nothing; a later definition wins.
    const std::string kept = "\"NumRows\"=dword:00000002\n" + std::string(1 << 20, 'x') +
        "\n\"ImageLabel01\"=\"Cats\n"
        "\"ImageLabel02\n\"ImageLabel03\"=dword:123456789\n\"ImageLabel04\"=\"a\\nb\"\n"
        "\"ImageLabel05\"=\"ok\" trailing\n\"ImageLabel06\"=hex:4g\n\"ImageLabel07\"=hex:41,\\\n"
        "[HKEY_NOWHERE\\Software\\Marrowquill Software\\Tessaloom]\n\"FlipSpeed\"=dword:00000001\n"
        "[-HKEY_NOWHERE\\Software]\n\"FlipSpeed\"=dword:00000002\n" +
        kKey + "\n\"Tries2\"=dword:00000007\n";
    const std::string text = before + "\n" + kKey + "\n\"ImagePath01\"=\"" + megabyteText + "\"\n" + kept +
        "\"numrows\"=dword:00000004\n" + after;
    RegFileDocument document = RegFileDocument::parse(text);
    EXPECT_EQ(settingsIn(document),
              (Values{{"ImagePath01", sz(megabyteText)}, {"NumRows", dword(4)}, {"Tries2", dword(7)}}));

    set(document, {"ImagePath01", sz("")});
    set(document, {"NUMROWS", dword(5)});
    const std::string written = exportedText(document.serialize());
    const std::regex lineEnd("\r*\n");
    EXPECT_NE(written.find(std::regex_replace(before, lineEnd, "\n") + "\n"), std::string::npos);
    EXPECT_NE(written.find(kept), std::string::npos);
    EXPECT_NE(written.find(std::regex_replace(after, lineEnd, "\n")), std::string::npos);
    EXPECT_LT(written.size(), text.size() - megabyteText.size() + 100);
    EXPECT_EQ(settingsIn(document.serialize()),
              (Values{{"ImagePath01", sz("")}, {"NumRows", dword(5)}, {"Tries2", dword(7)}}));
}

TEST(RegFileDocumentTest, ATruncatedFileGivesEachValueWholeOrNotAtAll)
{
    RegFileDocument full;
    for (const NamedValue& value : Values{{"NumRows", dword(0x34)},
                                          {"ImageLabel01", sz("Beach")},
                                          {"Blob", {kRegBinary, Bytes(60, 0x11)}},
                                          {"Tries2", dword(9)}})
        set(full, value);
    const std::string own = full.serialize();
    set(full, {"ImageLabel02", sz("Plage d'\xC3\xA9t\xC3\xA9")}); // a text not ASCII: the export form
    const Values complete = settingsIn(full);
    for (const std::string& file : {own, full.serialize()}) {
        for (std::size_t length = 0; length <= file.size(); ++length) {
            const RegFileDocument cut = RegFileDocument::parse(file.substr(0, length));
            for (const NamedValue& value : settingsIn(cut))
                EXPECT_NE(std::find(complete.begin(), complete.end(), value), complete.end()) << "cut at " << length;
            const std::string once = cut.serialize();
            EXPECT_EQ(RegFileDocument::parse(once).serialize(), once) << "cut at " << length;
        }
    }
}

} // namespace
} // namespace tessaloom
