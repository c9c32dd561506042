#include "settings/numeric_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace tessaloom {

namespace {

// Exponents beyond this are far outside every range the callers care for; saturating keeps
// the arithmetic below free of overflow whatever the text holds.
constexpr std::int64_t kExponentLimit = 1'000'000'000'000;

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

class Cursor {
public:
    explicit Cursor(std::string_view text)
        : text_(text)
    {
    }
    bool atEnd() const { return pos_ == text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    void advance(std::size_t n = 1) { pos_ += n; }
    bool startsWith(std::string_view s) const { return !s.empty() && text_.substr(pos_).starts_with(s); }
    // True when s stands here and a digit follows it.
    bool startsWithBeforeDigit(std::string_view s) const
    {
        return startsWith(s) && pos_ + s.size() < text_.size() && isDigit(text_[pos_ + s.size()]);
    }
    void skipBlanks()
    {
        while (!atEnd() && isBlank(peek()))
            advance();
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

} // namespace

std::optional<DecimalNumber> parseNumericText(std::string_view text, const NumberFormat& format)
{
    std::string_view decimal = format.decimalSeparator;
    if (decimal.empty())
        decimal = ".";
    const std::string_view thousands = format.thousandsSeparator;
    DecimalNumber number;
    Cursor at(text);

    at.skipBlanks();
    if (at.peek() == '+' || at.peek() == '-') {
        number.negative = at.peek() == '-';
        at.advance();
    }

    std::size_t mantissaDigits = 0;
    std::int64_t fractionDigits = 0;
    auto takeDigit = [&](bool fraction) {
        if (!(number.digits.empty() && at.peek() == '0'))
            number.digits.push_back(at.peek());
        if (fraction)
            ++fractionDigits;
        ++mantissaDigits;
        at.advance();
    };
    while (isDigit(at.peek())) {
        takeDigit(false);
        // A group separator counts only between digits of the whole part.
        if (!at.startsWith(decimal) && at.startsWithBeforeDigit(thousands))
            at.advance(thousands.size());
    }
    if (at.startsWith(decimal)) {
        at.advance(decimal.size());
        while (isDigit(at.peek()))
            takeDigit(true);
    }
    if (mantissaDigits == 0)
        return std::nullopt;

    std::int64_t exponent = 0;
    if (at.peek() == 'e' || at.peek() == 'E') {
        at.advance();
        bool negativeExponent = false;
        if (at.peek() == '+' || at.peek() == '-') {
            negativeExponent = at.peek() == '-';
            at.advance();
        }
        if (!isDigit(at.peek()))
            return std::nullopt;
        while (isDigit(at.peek())) {
            exponent = std::min(exponent * 10 + (at.peek() - '0'), kExponentLimit);
            at.advance();
        }
        if (negativeExponent)
            exponent = -exponent;
    }

    at.skipBlanks();
    if (!at.atEnd())
        return std::nullopt;
    // Fraction digits beyond the limit would only shift an already saturated exponent.
    number.exponent = exponent - std::min(fractionDigits, kExponentLimit);
    if (number.digits.empty())
        number.negative = false;
    return number;
}

std::optional<std::int32_t> roundedToInt32(const DecimalNumber& number)
{
    const std::string& digits = number.digits;
    if (digits.empty())
        return 0;
    const auto count = static_cast<std::int64_t>(digits.size());
    const std::int64_t wholeDigits = count + number.exponent; // digits before the decimal point
    if (wholeDigits > 10)
        return std::nullopt; // at least 10^10

    std::int64_t magnitude = 0;
    for (std::int64_t i = 0; i < wholeDigits; ++i)
        magnitude = magnitude * 10 + (i < count ? digits[static_cast<std::size_t>(i)] - '0' : 0);

    // What the fraction is against one half: its first digit and whether anything follows it.
    int firstFraction = 0;
    bool moreFraction = false;
    if (wholeDigits < 0) {
        moreFraction = true; // below one tenth, yet not zero
    } else if (wholeDigits < count) {
        firstFraction = digits[static_cast<std::size_t>(wholeDigits)] - '0';
        moreFraction = digits.find_first_not_of('0', static_cast<std::size_t>(wholeDigits) + 1) != std::string::npos;
    }
    if (firstFraction > 5 || (firstFraction == 5 && (moreFraction || magnitude % 2 == 1)))
        ++magnitude;

    const std::int64_t limit = number.negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    if (magnitude > limit)
        return std::nullopt;
    return static_cast<std::int32_t>(number.negative ? -magnitude : magnitude);
}

std::optional<double> numericValue(const std::string& text, const NumberFormat& format)
{
    const std::optional<DecimalNumber> number = parseNumericText(text, format);
    if (!number)
        return std::nullopt;
    if (number->digits.empty())
        return 0.0;
    const std::string plain = number->digits + "e" + std::to_string(number->exponent);
    double value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error == std::errc::result_out_of_range)
        value = static_cast<std::int64_t>(number->digits.size()) + number->exponent > 0
            ? std::numeric_limits<double>::infinity()
            : 0.0;
    return number->negative ? -value : value;
}

} // namespace tessaloom
