#include "settings/reg_file_document.h"
#include "settings/registry.h"
#include "settings/text_encoding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

namespace tessaloom {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr const char* kKey = "[HKEY_LOCAL_MACHINE\\Software\\Marrowquill Software\\Tessaloom]";

StoredValue sz(const std::string& text) { return {kRegSz, Bytes(text.c_str(), text.c_str() + text.size() + 1)}; }
StoredValue dword(std::uint8_t low) { return {kRegDword, {low, 0, 0, 0}}; }
std::vector<NamedValue> settingsIn(const RegFileDocument& doc) { return doc.values(kHkeyLocalMachine, kSettingsKeyPath); }

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.ends_with('\r') ? line.substr(0, line.size() - 1) : line);
    return lines;
}

// Every wanted line is a line of the text, in the same order.
::testing::AssertionResult keepsLines(const std::string& text, const std::vector<std::string>& wanted)
{
    const std::string framed = "\n" + text + "\n";
    std::size_t at = 0;
    for (const std::string& line : wanted) {
        if ((at = framed.find("\n" + line + "\n", at)) == std::string::npos)
            return ::testing::AssertionFailure() << "lost line: " << line.substr(0, 80);
        ++at;
    }
    return ::testing::AssertionSuccess();
}

// Writing a document back is stable: a second round changes nothing.
bool stable(const RegFileDocument& document)
{
    const std::string once = document.serialize();
    return RegFileDocument::parse(once).serialize() == once;
}

std::string utf16leWithMark(std::string_view utf8)
{
    std::string out = "\xFF\xFE";
    for (char16_t unit : utf8ToUtf16(utf8))
        out += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return out;
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
    RegFileDocument document = RegFileDocument::parse(utf16leWithMark(exported));
    std::vector<NamedValue> values = {
        {"NumRows", dword(5)},
        {"ImagePath01", sz("C:\\Users\\Ana\\\"Best\".jpg")},
        {"ImageLabel01", sz("\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1")},
        {"ImageLabel02", sz("Stra\xC3\x9F" "e")},  // texts in hex are UTF-16 in an export
        {"Expand", {kRegExpandSz, sz("%TEMP%\\\xCE\xA9").bytes}},
    };
    EXPECT_EQ(settingsIn(document), values);  // "Broken" is not hex after all: kept as text

    values.push_back({"FlipSpeed", dword(0xB8)});
    document.setValue(kHkeyLocalMachine, kSettingsKeyPath, values.back());
    const std::string written = document.serialize();
    EXPECT_TRUE(written.starts_with("REGEDIT4\n"));
    EXPECT_EQ(settingsIn(RegFileDocument::parse(written)), values);
    EXPECT_TRUE(keepsLines(written, {"\"Broken\"=hex(2):25,00,54,00,\xCE\xA9\\", "  00,00", "\"Deleted\"=-", "; a comment"}));
    EXPECT_TRUE(stable(document));
}

TEST(RegFileDocumentTest, GarbageBrokenLinesAndDuplicatesAreKeptAsTextAroundTheValuesThatCount)
{
    std::mt19937 random(1);
    std::string before(64 * 1024, '\0'), after(64 * 1024, '\0');
    std::generate(before.begin(), before.end(), [&] { return static_cast<char>(random()); });
    std::generate(after.begin(), after.end(), [&] { return static_cast<char>(random()); });
    before[0] = 'x';  // not a byte-order mark
    const std::string megabyteText(1 << 20, 'y');
    // Values under a root or a deletion not understood count for nothing; a later definition wins.
    const std::vector<std::string> kept = {
        "\"NumRows\"=dword:00000002", std::string(1 << 20, 'x'), "\"ImageLabel01\"=\"Cats", "\"ImageLabel02",
        "\"ImageLabel03\"=dword:123456789", "\"ImageLabel04\"=\"a\\nb\"", "\"ImageLabel05\"=\"ok\" trailing",
        "\"ImageLabel06\"=hex:4g", "\"ImageLabel07\"=hex:41,\\", "[HKEY_NOWHERE\\Software\\Marrowquill Software\\Tessaloom]",
        "\"FlipSpeed\"=dword:00000001", "[-HKEY_LOCAL_MACHINE\\Software]", "\"FlipSpeed\"=dword:00000002", kKey,
        "\"Tries2\"=dword:00000007"};
    std::string text = before + "\n" + kKey + "\n\"ImagePath01\"=\"" + megabyteText + "\"\n";
    for (const std::string& line : kept)
        text += line + "\n";
    text += "\"numrows\"=dword:00000004\n" + after;
    RegFileDocument document = RegFileDocument::parse(text);
    EXPECT_EQ(settingsIn(document),
              (std::vector<NamedValue>{{"ImagePath01", sz(megabyteText)}, {"NumRows", dword(4)}, {"Tries2", dword(7)}}));

    document.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"ImagePath01", sz("")});
    document.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"NUMROWS", dword(5)});
    const std::string written = document.serialize();
    EXPECT_TRUE(keepsLines(written, linesOf(before)));
    EXPECT_TRUE(keepsLines(written, kept));
    EXPECT_TRUE(keepsLines(written, linesOf(after)));
    EXPECT_LT(written.size(), text.size() - megabyteText.size() + 100);
    EXPECT_EQ(settingsIn(RegFileDocument::parse(written)),
              (std::vector<NamedValue>{{"ImagePath01", sz("")}, {"NumRows", dword(5)}, {"Tries2", dword(7)}}));
    EXPECT_TRUE(stable(document));
}

TEST(RegFileDocumentTest, ATruncatedFileGivesEachValueWholeOrNotAtAll)
{
    RegFileDocument full;
    for (const NamedValue& value : std::vector<NamedValue>{{"NumRows", dword(0x34)}, {"ImageLabel01", sz("Beach")},
                                                           {"Blob", {kRegBinary, Bytes(60, 0x11)}}, {"Tries2", dword(9)}})
        full.setValue(kHkeyLocalMachine, kSettingsKeyPath, value);
    const std::string own = full.serialize();
    const std::vector<NamedValue> complete = settingsIn(full);
    for (const std::string& file : {own, utf16leWithMark("Windows Registry Editor Version 5.00" + own.substr(8))}) {
        for (std::size_t length = 0; length <= file.size(); ++length) {
            const RegFileDocument cut = RegFileDocument::parse(file.substr(0, length));
            for (const NamedValue& value : settingsIn(cut))
                EXPECT_NE(std::find(complete.begin(), complete.end(), value), complete.end()) << "cut at " << length;
            EXPECT_TRUE(stable(cut)) << "cut at " << length;
        }
    }
}

TEST(RegFileDocumentTest, ALastLineWithoutALineEndIsNeverAValueAndStaysLast)
{
    for (const std::string& section : {std::string(kKey), std::string("[HKEY_NOWHERE\\Software]")}) {
        RegFileDocument document = RegFileDocument::parse("REGEDIT4\n" + section + "\n\"Tries4\"=dword:0000000c");
        EXPECT_TRUE(settingsIn(document).empty());
        document.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"FlipSpeed", dword(1)});
        const std::string written = document.serialize();
        EXPECT_TRUE(written.ends_with("\n\"Tries4\"=dword:0000000c"));
        EXPECT_EQ(settingsIn(RegFileDocument::parse(written)), (std::vector<NamedValue>{{"FlipSpeed", dword(1)}}));
        EXPECT_TRUE(stable(document));
    }
    // Carriage returns before a line feed all belong to the line end.
    EXPECT_TRUE(stable(RegFileDocument::parse(std::string("REGEDIT4\n") + kKey + "\n\"NumRo\\\r\r\n  ws\"=x\r\n")));
}

TEST(RegFileDocumentTest, RefusesWhatTheFileCannotHold)
{
    RegFileDocument document;
    EXPECT_FALSE(document.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"Two\nLines", dword(1)}));
    EXPECT_FALSE(document.setValue(0x12345678u, kSettingsKeyPath, {"NumRows", dword(1)}));
    EXPECT_FALSE(document.createKey(kHkeyLocalMachine, "Software\r\nInjected"));
    EXPECT_EQ(document.serialize(), "REGEDIT4\n");
}

} // namespace
} // namespace tessaloom
