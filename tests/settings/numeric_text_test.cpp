#include "settings/numeric_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tessaloom {
namespace {

const NumberFormat kEnglish{".", ","};
const NumberFormat kGerman{",", "."};
const NumberFormat kFrench{",", "\u202F"};  // a narrow no-break space groups the digits

std::optional<std::int32_t> stored(const std::string& text, const NumberFormat& format = kEnglish)
{
    const std::optional<DecimalNumber> number = parseNumericText(text, format);
    return number ? roundedToInt32(*number) : std::nullopt;
}

bool numeric(const std::string& text, const NumberFormat& format = kEnglish)
{
    return parseNumericText(text, format).has_value();
}

TEST(NumericTextTest, ReadsBlanksSignSeparatorsAndExponentAndRoundsHalvesToEvenExactly)
{
    const std::pair<const char*, std::int32_t> english[] = {
        {"  12\t", 12}, {"+7", 7}, {"-7", -7}, {"-0", 0}, {"1,234,567", 1234567},
        {"1,2,3", 123},  // groups are not counted, only placed between digits
        {"1.5E3", 1500}, {"15e-1", 2}, {".5e1", 5}, {"5.", 5}, {"0000000000000000000042", 42},
        {"2.5", 2}, {"3.5", 4}, {"-2.5", -2}, {"-3.5", -4}, {"0.5", 0}, {"2.4999999", 2},
        {"2.50000000000000000001", 3},  // a double would make this exactly 2.5
        {"1e-400", 0}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"-2147483648.5", -2147483647 - 1},  // the even neighbour is inside
    };
    for (const auto& [text, number] : english)
        EXPECT_EQ(stored(text), number) << text;
    EXPECT_EQ(stored("1.5", kGerman), 15);
    EXPECT_EQ(stored("1\u202F000", kFrench), 1000);
}

TEST(NumericTextTest, OtherTextsAreNoNumberAndNumbersOutside32BitsHaveOnlyADoubleValue)
{
    for (const char* text : {"", " ", "\t", "abc", "12abc", "1e", "e5", ".", "+", "- 5", "5-", "0x10", "1,,000",
                             ",5", "1,", "1 2", "1.2.3", "1e5.5", "(5)", "\xEF\xBC\x95"})
        EXPECT_FALSE(numeric(text)) << text;
    EXPECT_FALSE(numeric("1,234", NumberFormat{".", ""}));
    EXPECT_FALSE(numeric("1 000", kFrench));  // a plain space is not the locale's separator
    for (const std::string& text : std::vector<std::string>{"2147483647.5", "2147483648", "-2147483649", "12345678901",
                                                            "1e400", "1e999999999999999999999", std::string(100000, '9')}) {
        EXPECT_TRUE(numeric(text)) << text;
        EXPECT_EQ(stored(text), std::nullopt) << text;
    }
    EXPECT_EQ(numericValue(" -1.234,5e3 ", kGerman), -1234500.0);
    EXPECT_TRUE(std::isinf(*numericValue("1e400", kEnglish)));
    EXPECT_TRUE(std::isinf(*numericValue(std::string(400, '9') + "e-10", kEnglish)));
    EXPECT_EQ(numericValue("x", kEnglish), std::nullopt);
}

} // namespace
} // namespace tessaloom
