#pragma once

#include "platform/application_info.h"

namespace tessaloom {

class QtApplicationInfo final : public ApplicationInfo {
public:
    std::string programFolder() const override;
};

} // namespace tessaloom
