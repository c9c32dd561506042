// The user's number format as the environment names the locale, each read in a child process so
// that no test changes this one's environment.
#include "child_process.h"
#include "settings/number_format.h"
#include "settings/numeric_text.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

namespace tessaloom {
namespace {

// The number the text stores as under the format the child finds with these variables set
// (and every other locale variable unset); -1 when the text is no number there.
int storedUnder(const std::map<std::string, std::string>& environment, const std::string& text)
{
    return testing::exitCodeOf(testing::inChild([&] {
        for (const char* name : {"LC_ALL", "LC_NUMERIC", "LC_CTYPE", "LANG", "LANGUAGE"})
            ::unsetenv(name);
        for (const auto& [name, value] : environment)
            ::setenv(name.c_str(), value.c_str(), 1);
        const std::optional<DecimalNumber> number = parseNumericText(text, userNumberFormat());
        const std::optional<std::int32_t> stored = number ? roundedToInt32(*number) : std::nullopt;
        return stored ? *stored % 250 : 255;  // an exit code holds one byte
    }));
}

TEST(NumberFormatTest, TheLocalesSeparatorsAreReadInItsOwnCharacterSet)
{
    // Run scripts/deps when these fail: it generates the locales.
    const std::string narrowNoBreakSpace = "\u202F";
    EXPECT_EQ(storedUnder({{"LANG", "fr_FR.UTF-8"}}, "1" + narrowNoBreakSpace + "234,6"), 1235 % 250);
    EXPECT_EQ(storedUnder({{"LC_ALL", "ru_RU.UTF-8"}, {"LANG", "de_DE.UTF-8"}}, "1" + narrowNoBreakSpace + "234"),
              1234 % 250);
    // The numeric category alone names French; the character set of the rest is ASCII.
    EXPECT_EQ(storedUnder({{"LC_NUMERIC", "fr_FR.UTF-8"}, {"LANG", "C"}}, "2" + narrowNoBreakSpace + "001"), 2001 % 250);
    EXPECT_EQ(storedUnder({{"LANG", "de_DE.UTF-8"}}, "1.234,4"), 1234 % 250);
    EXPECT_EQ(storedUnder({{"LANG", "C"}}, "1.5e2"), 150);
    EXPECT_EQ(storedUnder({{"LANG", "C"}}, "1,234"), 255);
}

} // namespace
} // namespace tessaloom
