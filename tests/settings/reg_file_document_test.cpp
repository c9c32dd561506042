#include "settings/reg_file_document.h"
#include "settings/registry.h"
#include "settings/text_encoding.h"

#include <gtest/gtest.h>

#include <random>

namespace tessaloom {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr const char* kKey = "[HKEY_LOCAL_MACHINE\\Software\\Marrowquill Software\\Tessaloom]";

Bytes bytes(std::string_view s)
{
    return Bytes(s.begin(), s.end());
}

std::optional<StoredValue> valueIn(const RegFileDocument& document, const std::string& name,
                                   const char* path = kSettingsKeyPath)
{
    for (const NamedValue& value : document.values(kHkeyLocalMachine, path))
        if (sameRegistryName(value.name, name))
            return value.value;
    return std::nullopt;
}

std::vector<std::string> linesOf(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line(text.substr(start, end - start));
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// Every wanted line appears in the text, in the same order.
::testing::AssertionResult keepsLines(const std::string& text, const std::vector<std::string>& wanted)
{
    const std::vector<std::string> lines = linesOf(text);
    std::size_t at = 0;
    for (const std::string& line : wanted) {
        while (at < lines.size() && lines[at] != line)
            ++at;
        if (at == lines.size())
            return ::testing::AssertionFailure() << "lost line: " << line.substr(0, 80);
        ++at;
    }
    return ::testing::AssertionSuccess();
}

// Writing a document back is stable: a second round changes nothing.
::testing::AssertionResult stable(const RegFileDocument& document)
{
    const std::string once = document.serialize();
    const std::string twice = RegFileDocument::parse(once).serialize();
    if (once == twice)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "changed on a second round:\n" << once.substr(0, 400) << "\n----\n"
                                         << twice.substr(0, 400);
}

std::string utf16leWithMark(std::string_view utf8)
{
    std::string out = "\xFF\xFE";
    for (char16_t unit : utf8ToUtf16(utf8)) {
        out.push_back(static_cast<char>(unit & 0xFF));
        out.push_back(static_cast<char>(unit >> 8));
    }
    return out;
}

std::string garbage(std::size_t size, unsigned seed)
{
    std::mt19937 random(seed);
    std::string text(size, '\0');
    for (char& c : text)
        c = static_cast<char>(random());
    text[0] = 'x';  // not a byte-order mark
    return text;
}

TEST(RegFileDocumentTest, WritesTheStoresOwnForm)
{
    RegFileDocument document;
    ASSERT_TRUE(document.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"NumRows", {kRegDword, {12, 0, 0, 0}}}));
    document.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"ImagePath01", {kRegSz, bytes(std::string_view("C:\\a \"b\"\0", 9))}});
    document.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"", {kRegSz, bytes(std::string_view("default\0", 8))}});
    document.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"Lines", {kRegSz, bytes(std::string_view("a\nb\0", 4))}});
    document.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"Blob", {kRegBinary, Bytes(30, 0xAB)}});
    document.setValue(kHkeyCurrentUser, "Software\\\\Other\\", {"Big", {11, Bytes(8, 1)}});
    EXPECT_EQ(document.serialize(), std::string("REGEDIT4\n"
                                                "\n") +
                                        kKey + "\n"
                                               "\"NumRows\"=dword:0000000c\n"
                                               "\"ImagePath01\"=\"C:\\\\a \\\"b\\\"\"\n"
                                               "@=\"default\"\n"
                                               "\"Lines\"=hex(1):61,0a,62,00\n"
                                               "\"Blob\"=hex:ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,ab,\\\n"
                                               "  ab,ab,ab,ab,ab,ab,ab,ab,ab\n"
                                               "\n"
                                               "[HKEY_CURRENT_USER\\Software\\Other]\n"
                                               "\"Big\"=hex(b):01,01,01,01,01,01,01,01\n");
    const RegFileDocument again = RegFileDocument::parse(document.serialize());
    EXPECT_EQ(again.values(kHkeyLocalMachine, kSettingsKeyPath), document.values(kHkeyLocalMachine, kSettingsKeyPath));
    EXPECT_EQ(valueIn(again, "lines"), (StoredValue{kRegSz, bytes(std::string_view("a\nb\0", 4))}));
    EXPECT_TRUE(stable(document));
}

TEST(RegFileDocumentTest, ReadsAnExportOfTheRegistryEditor)
{
    const std::string exported =
        "Windows Registry Editor Version 5.00\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Marrowquill Software]\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Marrowquill Software\\Tessaloom]\r\n"
        "\"NumRows\"=dword:00000005\r\n"
        "\"ImagePath01\"=\"C:\\\\Users\\\\Ana\\\\\\\"Best\\\".jpg\"\r\n"
        "\"ImageLabel01\"=\"\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1\"\r\n"
        "@=\"\"\r\n"
        "\"Expand\"=hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,5c,00,\xCE\xA9\\\r\n"
        "  00,00\r\n"
        "\"Odd\"=hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,5c,00,a9,03,00,00\r\n"
        "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\r\n"
        "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\r\n"
        "\"Deleted\"=-\r\n"
        "; a comment\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
        "\"NumRows\"=dword:00000002\r\n";
    const RegFileDocument document = RegFileDocument::parse(utf16leWithMark(exported));
    EXPECT_EQ(valueIn(document, "NumRows"), (StoredValue{kRegDword, {5, 0, 0, 0}}));
    EXPECT_EQ(valueIn(document, "ImagePath01"), (StoredValue{kRegSz, bytes(std::string_view("C:\\Users\\Ana\\\"Best\".jpg\0", 24))}));
    EXPECT_EQ(valueIn(document, "ImageLabel01"), (StoredValue{kRegSz, bytes(std::string_view("\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1\0", 11))}));
    EXPECT_EQ(valueIn(document, ""), (StoredValue{kRegSz, {0}}));
    EXPECT_EQ(valueIn(document, "Expand"), std::nullopt);  // not hex after all: kept as text
    EXPECT_EQ(valueIn(document, "Odd"), (StoredValue{kRegExpandSz, bytes(std::string_view("%TEMP%\\\xCE\xA9\0", 10))}));
    EXPECT_EQ(valueIn(document, "Multi"), (StoredValue{kRegMultiSz, bytes(std::string_view("a\0b\0\0", 5))}));
    EXPECT_EQ(valueIn(document, "Qword"), (StoredValue{11, {1, 0, 0, 0, 0, 0, 0, 0}}));
    EXPECT_EQ(valueIn(document, "Deleted"), std::nullopt);
    EXPECT_TRUE(document.keyExists(kHkeyLocalMachine, "software\\marrowquill software"));
    EXPECT_FALSE(document.keyExists(kHkeyLocalMachine, "Software\\Other"));

    RegFileDocument changed = document;
    changed.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"FlipSpeed", {kRegDword, {0xB8, 0x0B, 0, 0}}});
    const std::string written = changed.serialize();
    EXPECT_TRUE(written.starts_with("REGEDIT4\n"));
    const RegFileDocument reread = RegFileDocument::parse(written);
    std::vector<NamedValue> expected = document.values(kHkeyLocalMachine, kSettingsKeyPath);
    expected.push_back({"FlipSpeed", {kRegDword, {0xB8, 0x0B, 0, 0}}});
    EXPECT_EQ(reread.values(kHkeyLocalMachine, kSettingsKeyPath), expected);
    EXPECT_EQ(reread.values(kHkeyCurrentUser, "Software\\Other"), document.values(kHkeyCurrentUser, "Software\\Other"));
    EXPECT_TRUE(keepsLines(written, {"\"Expand\"=hex(2):25,00,54,00,45,00,4d,00,50,00,25,00,5c,00,\xCE\xA9\\", "  00,00",
                                     "\"Deleted\"=-", "; a comment"}));
    EXPECT_TRUE(stable(changed));
}

TEST(RegFileDocumentTest, GarbageKeepsEveryLineAndGivesTheValuesThatCanBeRead)
{
    const std::string before = garbage(64 * 1024, 1);
    const std::string after = garbage(64 * 1024, 2);
    const std::string text = before + "\n" + kKey + "\n\"NumRows\"=dword:00000003\n" + after;
    RegFileDocument document = RegFileDocument::parse(text);
    EXPECT_EQ(valueIn(document, "NumRows"), (StoredValue{kRegDword, {3, 0, 0, 0}}));

    document.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"FlipSpeed", {kRegDword, {1, 0, 0, 0}}});
    const std::string written = document.serialize();
    EXPECT_TRUE(keepsLines(written, linesOf(before)));
    EXPECT_TRUE(keepsLines(written, linesOf(after)));
    EXPECT_EQ(valueIn(RegFileDocument::parse(written), "FlipSpeed"), (StoredValue{kRegDword, {1, 0, 0, 0}}));
    EXPECT_TRUE(stable(document));
}

TEST(RegFileDocumentTest, ATruncatedFileGivesEachValueWholeOrNotAtAll)
{
    RegFileDocument full;
    full.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"NumRows", {kRegDword, {0x34, 0x12, 0, 0}}});
    full.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"ImageLabel01", {kRegSz, bytes(std::string_view("Beach\0", 6))}});
    full.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"Blob", {kRegBinary, Bytes(60, 0x11)}});
    full.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"Tries2", {kRegDword, {9, 0, 0, 0}}});
    const std::string own = full.serialize();
    std::string exported = own;
    exported.replace(0, 8, "Windows Registry Editor Version 5.00");
    const std::vector<NamedValue> complete = full.values(kHkeyLocalMachine, kSettingsKeyPath);

    for (const std::string& file : {own, utf16leWithMark(exported)}) {
        for (std::size_t length = 0; length <= file.size(); ++length) {
            const RegFileDocument cut = RegFileDocument::parse(file.substr(0, length));
            for (const NamedValue& value : complete) {
                const std::optional<StoredValue> read = valueIn(cut, value.name);
                EXPECT_TRUE(!read || *read == value.value) << value.name << " cut at " << length;
            }
            EXPECT_TRUE(stable(cut));
        }
    }
}

TEST(RegFileDocumentTest, ALastLineWithoutALineEndIsNeverAValueAndStaysLast)
{
    for (const std::string& section : {std::string(kKey), std::string("[HKEY_NOWHERE\\Software]")}) {
        RegFileDocument document = RegFileDocument::parse("REGEDIT4\n" + section + "\n\"Tries4\"=dword:0000000c");
        EXPECT_EQ(valueIn(document, "Tries4"), std::nullopt);
        document.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"FlipSpeed", {kRegDword, {1, 0, 0, 0}}});
        const std::string written = document.serialize();
        EXPECT_TRUE(written.ends_with("\n\"Tries4\"=dword:0000000c"));
        EXPECT_EQ(valueIn(RegFileDocument::parse(written), "Tries4"), std::nullopt);
        EXPECT_TRUE(stable(document));
    }
    // Carriage returns before a line feed all belong to the line end.
    EXPECT_TRUE(stable(RegFileDocument::parse(std::string("REGEDIT4\n") + kKey + "\n\"NumRo\\\r\r\n  ws\"=x\r\n")));
}

TEST(RegFileDocumentTest, LongLinesUnterminatedQuotesAndBrokenValuesAreKeptAsText)
{
    const std::string megabyteLine(1 << 20, 'x');
    const std::string megabyteText(1 << 20, 'y');
    const std::vector<std::string> broken = {
        megabyteLine,
        "\"ImageLabel01\"=\"Cats",
        "\"ImageLabel02",
        "\"ImageLabel03\"=dword:123456789",
        "\"ImageLabel04\"=\"a\\nb\"",
        "\"ImageLabel05\"=\"ok\" trailing",
        "\"ImageLabel06\"=hex:4g",
        "\"ImageLabel07\"=hex:41,\\",
    };
    std::string text = std::string("REGEDIT4\n") + kKey + "\n";
    for (const std::string& line : broken)
        text += line + "\n";
    text += "\"ImagePath01\"=\"" + megabyteText + "\"\n\"ImagePath02\"=hex:41,\\";

    RegFileDocument document = RegFileDocument::parse(text);
    for (const char* name : {"ImageLabel01", "ImageLabel02", "ImageLabel03", "ImageLabel04", "ImageLabel05",
                             "ImageLabel06", "ImageLabel07", "ImagePath02"})
        EXPECT_EQ(valueIn(document, name), std::nullopt) << name;
    ASSERT_TRUE(valueIn(document, "ImagePath01"));
    EXPECT_EQ(valueIn(document, "ImagePath01")->bytes.size(), megabyteText.size() + 1);

    document.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"ImagePath01", {kRegSz, {0}}});
    const std::string written = document.serialize();
    EXPECT_TRUE(keepsLines(written, broken));
    EXPECT_TRUE(keepsLines(written, {"\"ImagePath02\"=hex:41,\\"}));
    EXPECT_LT(written.size(), text.size() - megabyteText.size() + 100);
    EXPECT_TRUE(stable(document));
}

TEST(RegFileDocumentTest, LaterDefinitionsWinAndAWriteChangesTheOneThatCounts)
{
    const std::string text = std::string("REGEDIT4\n") + kKey + "\n\"NumRows\"=dword:00000002\n\"numrows\"=dword:00000003\n" +
                             "[HKEY_NOWHERE\\Software\\Marrowquill Software\\Tessaloom]\n\"FlipSpeed\"=dword:00000001\n" +
                             "[-HKEY_LOCAL_MACHINE\\Software]\n\"FlipSpeed\"=dword:00000002\n" + kKey +
                             "\n\"NumRows\"=dword:00000004\n\"Tries2\"=dword:00000007\n";
    RegFileDocument document = RegFileDocument::parse(text);
    EXPECT_EQ(valueIn(document, "NumRows"), (StoredValue{kRegDword, {4, 0, 0, 0}}));
    EXPECT_EQ(valueIn(document, "Tries2"), (StoredValue{kRegDword, {7, 0, 0, 0}}));
    EXPECT_EQ(valueIn(document, "FlipSpeed"), std::nullopt);  // under a root or a deletion not understood

    document.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"NUMROWS", {kRegDword, {5, 0, 0, 0}}});
    const RegFileDocument reread = RegFileDocument::parse(document.serialize());
    EXPECT_EQ(valueIn(reread, "NumRows"), (StoredValue{kRegDword, {5, 0, 0, 0}}));
    EXPECT_TRUE(keepsLines(document.serialize(), {"\"numrows\"=dword:00000003",
                                                  "[HKEY_NOWHERE\\Software\\Marrowquill Software\\Tessaloom]",
                                                  "\"FlipSpeed\"=dword:00000001", "[-HKEY_LOCAL_MACHINE\\Software]",
                                                  "\"NumRows\"=dword:00000005"}));
    EXPECT_TRUE(stable(document));
}

TEST(RegFileDocumentTest, RefusesWhatTheFileCannotHold)
{
    RegFileDocument document;
    EXPECT_FALSE(document.setValue(kHkeyLocalMachine, kSettingsKeyPath, {"Two\nLines", {kRegDword, Bytes(4)}}));
    EXPECT_FALSE(document.setValue(0x12345678u, kSettingsKeyPath, {"NumRows", {kRegDword, Bytes(4)}}));
    EXPECT_FALSE(document.createKey(kHkeyLocalMachine, "Software\r\nInjected"));
    EXPECT_EQ(document.serialize(), "REGEDIT4\n");
}

} // namespace
} // namespace tessaloom
