#pragma once

#include <cstdint>
#include <string>
#include <variant>

namespace tessaloom {

// What the settings store reads and writes: a UTF-8 text or a signed 32-bit number. Empty text
// stands for a value that is not stored; a number, even 0, is always present.
class SettingValue {
public:
    SettingValue() = default;
    SettingValue(std::string text)
        : value_(std::move(text))
    {
    }
    SettingValue(const char* text)
        : value_(std::string(text))
    {
    }
    SettingValue(std::int32_t number)
        : value_(number)
    {
    }
    SettingValue(std::int16_t number)
        : value_(static_cast<std::int32_t>(number))
    {
    }

    bool isNumber() const { return std::holds_alternative<std::int32_t>(value_); }
    bool isText() const { return !isNumber(); }
    // Absent: empty text.
    bool isEmpty() const { return isText() && std::get<std::string>(value_).empty(); }

    // The number; 0 for a text.
    std::int32_t number() const { return isNumber() ? std::get<std::int32_t>(value_) : 0; }
    // The text as stored, or a number's decimal digits (with a minus sign when negative).
    std::string text() const
    {
        return isNumber() ? std::to_string(std::get<std::int32_t>(value_)) : std::get<std::string>(value_);
    }

    friend bool operator==(const SettingValue&, const SettingValue&) = default;

private:
    std::variant<std::string, std::int32_t> value_;
};

} // namespace tessaloom
