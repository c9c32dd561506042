#include "settings/numeric_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace tessaloom {
namespace {

const NumberFormat kEnglish{".", ","};
const NumberFormat kGerman{",", "."};
const NumberFormat kFrench{",", "\u202F"}; // a narrow no-break space groups the digits

std::optional<std::int32_t> stored(const std::string& text, const NumberFormat& format = kEnglish)
{
    const std::optional<DecimalNumber> number = parseNumericText(text, format);
    return number ? roundedToInt32(*number) : std::nullopt;
}

TEST(NumericTextTest, ReadsBlanksSignSeparatorsAndExponentAndRoundsHalvesToEvenExactly)
{
    // Groups are placed between digits, not counted ("1,2,3"); a double would make
    // "2.50000000000000000001" exactly 2.5; the even neighbour of "-2147483648.5" is inside.
    // clang-format off
    const std::pair<const char*, std::int32_t> english[] = {
        {"  12\t", 12}, {"+7", 7}, {"-0", 0}, {"1,234,567", 1234567}, {"1,2,3", 123}, {"1.5E3", 1500},
        {"15e-1", 2}, {".5e1", 5}, {"5.", 5}, {"0000000000000000000042", 42}, {"1e-400", 0},
        {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"-3.5", -4}, {"0.5", 0}, {"2.4999999", 2}, {"2.50000000000000000001", 3},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}, {"-2147483648.5", -2147483647 - 1}};
    // clang-format on
    for (const auto& [text, number] : english)
        EXPECT_EQ(stored(text), number) << text;
    EXPECT_EQ(stored("1\u202F000", kFrench), 1000);
}

TEST(NumericTextTest, OtherTextsAreNoNumberAndNumbersOutside32BitsHaveOnlyADoubleValue)
{
    for (const char* text : {"",   " ",    "\t",     "abc", "12abc", "1e",  "e5",    ".",     "+",   "- 5",
                             "5-", "0x10", "1,,000", ",5",  "1,",    "1 2", "1.2.3", "1e5.5", "(5)", "\xEF\xBC\x95"})
        EXPECT_FALSE(parseNumericText(text, kEnglish)) << text;
    // No separator where the locale has none; a plain space is not the French one.
    EXPECT_FALSE(parseNumericText("1,234", NumberFormat{".", ""}) || parseNumericText("1 000", kFrench));
    for (const std::string& text :
         std::vector<std::string>{"2147483647.5", "2147483648", "-2147483649", "12345678901", "1e400",
                                  "1e999999999999999999999", std::string(100000, '9')}) {
        EXPECT_TRUE(parseNumericText(text, kEnglish)) << text;
        EXPECT_EQ(stored(text), std::nullopt) << text;
    }
    EXPECT_EQ(numericValue(" -1.234,5e3 ", kGerman), -1234500.0);
    EXPECT_TRUE(std::isinf(*numericValue("1e400", kEnglish)));
    EXPECT_TRUE(std::isinf(*numericValue(std::string(400, '9') + "e-10", kEnglish)));
    EXPECT_EQ(numericValue("x", kEnglish), std::nullopt);
}

#ifndef _WIN32
TEST(NumericTextTest, TheUsersFormatIsTheNumericLocalesReadInItsOwnCharacterSet)
{
    // Run scripts/deps when this fails: it generates the locales.
    const std::tuple<std::map<std::string, std::string>, std::string, std::optional<std::int32_t>> cases[] = {
        {{{"LANG", "fr_FR.UTF-8"}}, "1\u202F234,6", 1235},
        {{{"LC_ALL", "ru_RU.UTF-8"}, {"LANG", "de_DE.UTF-8"}}, "1\u202F234", 1234},
        // The numeric category alone names French; the character set of the rest is ASCII.
        {{{"LC_NUMERIC", "fr_FR.UTF-8"}, {"LANG", "C"}}, "2\u202F001", 2001},
        {{{"LANG", "de_DE.UTF-8"}}, "1.234,4", 1234},
        {{{"LANG", "C"}}, "1.5e2", 150},
        {{{"LANG", "C"}}, "1,234", {}},
    };
    std::map<std::string, std::optional<std::string>> saved; // and given back at the end
    for (const char* name : {"LC_ALL", "LC_NUMERIC", "LC_CTYPE", "LANG", "LANGUAGE"})
        saved[name] = ::getenv(name) ? std::optional<std::string>(::getenv(name)) : std::nullopt;
    for (const auto& [environment, text, number] : cases) {
        for (const auto& [name, value] : saved)
            ::unsetenv(name.c_str());
        for (const auto& [name, value] : environment)
            ::setenv(name.c_str(), value.c_str(), 1);
        EXPECT_EQ(stored(text, userNumberFormat()), number) << text;
    }
    for (const auto& [name, value] : saved)
        value ? ::setenv(name.c_str(), value->c_str(), 1) : ::unsetenv(name.c_str());
}
#endif

} // namespace
} // namespace tessaloom
