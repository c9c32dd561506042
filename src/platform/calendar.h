#pragma once

namespace tessaloom {

class Calendar {
public:
    virtual ~Calendar() = default;

    // The current local calendar year, four digits.
    virtual int currentYear() const = 0;
};

class SystemCalendar final : public Calendar {
public:
    int currentYear() const override;
};

} // namespace tessaloom
