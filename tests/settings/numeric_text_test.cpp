#include "settings/numeric_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace tessaloom {
namespace {

const NumberFormat kEnglish{".", ","};
const NumberFormat kGerman{",", "."};
const NumberFormat kFrench{",", "\u202F"};  // a narrow no-break space groups the digits
const NumberFormat kPlain{".", ""};

std::optional<std::int32_t> stored(const std::string& text, const NumberFormat& format = kEnglish)
{
    const std::optional<DecimalNumber> number = parseNumericText(text, format);
    return number ? roundedToInt32(*number) : std::nullopt;
}

bool numeric(const std::string& text, const NumberFormat& format = kEnglish)
{
    return parseNumericText(text, format).has_value();
}

TEST(NumericTextTest, AcceptsBlanksSignSeparatorsAndExponent)
{
    EXPECT_EQ(stored("12"), 12);
    EXPECT_EQ(stored("  12\t"), 12);
    EXPECT_EQ(stored("+7"), 7);
    EXPECT_EQ(stored("-7"), -7);
    EXPECT_EQ(stored("1,234,567"), 1234567);
    EXPECT_EQ(stored("1,2,3"), 123);  // groups are not counted, only placed between digits
    EXPECT_EQ(stored("1.5", kGerman), 15);
    EXPECT_EQ(stored("1.5E3"), 1500);
    EXPECT_EQ(stored("15e-1"), 2);
    EXPECT_EQ(stored(".5e1"), 5);
    EXPECT_EQ(stored("5."), 5);
    EXPECT_EQ(stored("0000000000000000000042"), 42);
    EXPECT_EQ(stored("1.234,5", kGerman), 1234);
    EXPECT_EQ(stored("2,5", kGerman), 2);
    EXPECT_EQ(stored("1\u202F000", kFrench), 1000);
    EXPECT_EQ(stored("-0"), 0);
}

TEST(NumericTextTest, RejectsWhatIsNoNumberInTheLocale)
{
    for (const char* text : {"", " ", "\t", "abc", "12abc", "1e", "e5", ".", "+", "- 5", "5-", "0x10", "1,,000",
                             ",5", "1,", "1 2", "1.2.3", "1e5.5", "(5)", "\xEF\xBC\x95"})
        EXPECT_FALSE(numeric(text)) << text;
    EXPECT_FALSE(numeric("1,234", kPlain));
    EXPECT_FALSE(numeric("1 000", kFrench));  // a plain space is not the locale's separator
}

TEST(NumericTextTest, RoundsHalvesToTheEvenNeighbourExactly)
{
    EXPECT_EQ(stored("2.5"), 2);
    EXPECT_EQ(stored("3.5"), 4);
    EXPECT_EQ(stored("-2.5"), -2);
    EXPECT_EQ(stored("-3.5"), -4);
    EXPECT_EQ(stored("0.5"), 0);
    EXPECT_EQ(stored("2.4999999"), 2);
    // A double would make this exactly 2.5; the text is above one half.
    EXPECT_EQ(stored("2.50000000000000000001"), 3);
    EXPECT_EQ(stored("1e-400"), 0);
}

TEST(NumericTextTest, NumbersOutsideThirtyTwoBitsHaveNoStoredNumber)
{
    EXPECT_EQ(stored("2147483647"), 2147483647);
    EXPECT_EQ(stored("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(stored("-2147483648.5"), -2147483647 - 1);  // the even neighbour is inside
    EXPECT_EQ(stored("2147483647.5"), std::nullopt);
    EXPECT_EQ(stored("2147483648"), std::nullopt);
    EXPECT_EQ(stored("-2147483649"), std::nullopt);
    EXPECT_EQ(stored("12345678901"), std::nullopt);
    EXPECT_EQ(stored("1e400"), std::nullopt);
    EXPECT_EQ(stored("1e999999999999999999999"), std::nullopt);
    EXPECT_EQ(stored(std::string(100000, '9')), std::nullopt);
    EXPECT_TRUE(numeric(std::string(100000, '9')));
}

TEST(NumericTextTest, ValueAsDouble)
{
    EXPECT_EQ(numericValue("1.234,5", kGerman), 1234.5);
    EXPECT_EQ(numericValue(" -2e3 ", kEnglish), -2000.0);
    EXPECT_TRUE(std::isinf(*numericValue("1e400", kEnglish)));
    EXPECT_TRUE(std::isinf(*numericValue(std::string(400, '9') + "e-10", kEnglish)));
    EXPECT_EQ(numericValue("x", kEnglish), std::nullopt);
}

#ifndef _WIN32
TEST(NumericTextTest, UserFormatFollowsTheEnvironmentsLocale)
{
    ::setenv("LC_ALL", "C", 1);
    const NumberFormat format = userNumberFormat();
    ::unsetenv("LC_ALL");
    EXPECT_EQ(format.decimalSeparator, ".");
    EXPECT_EQ(format.thousandsSeparator, "");
}
#endif

} // namespace
} // namespace tessaloom
