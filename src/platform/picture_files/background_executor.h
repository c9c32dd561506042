#pragma once

#include <functional>

namespace tessaloom {

// Runs work away from the user-interface thread, one piece after another in the order posted.
class BackgroundExecutor {
public:
    virtual ~BackgroundExecutor() = default;
    virtual void post(std::function<void()> work) = 0;
};

} // namespace tessaloom
