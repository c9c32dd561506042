#pragma once

#include "settings/registry.h"
#include "settings/stored_value.h"

#include <map>
#include <tuple>

namespace tessaloom {

// A registry held in memory: for tests of everything that stores settings, and as the model
// the file and Windows registries are checked against. Key paths and value names are
// case-insensitive, as in the registry.
class MemoryRegistry final : public Registry {
public:
    std::int32_t openKey(RootKey root, const std::string& path, Handle& key) override;
    std::int32_t createKey(RootKey root, const std::string& path, Handle& key) override;
    std::int32_t queryValue(Handle key, const std::string& name, std::uint32_t* kind, std::uint8_t* data,
                            std::uint32_t& size) override;
    std::int32_t setValue(Handle key, const std::string& name, std::uint32_t kind, const std::uint8_t* data,
                          std::uint32_t size) override;
    std::int32_t closeKey(Handle key) override { return open_.erase(key) ? kRegistrySuccess : kErrorInvalidHandle; }

    // For tests: a switch that makes every write fail as on a read-only store, a count of the
    // values set, and the handles still open.
    bool failWrites = false;
    int writes = 0; // values set, failed ones included
    int openHandles() const { return static_cast<int>(open_.size()); }

private:
    using KeyId = std::tuple<RootKey, std::string>;    // the path folded to lower case
    using Values = std::map<std::string, StoredValue>; // by folded name
    Handle opened(const KeyId& id);

    std::map<KeyId, Values> keys_;
    std::map<Handle, KeyId> open_;
    Handle nextHandle_ = 1;
};

} // namespace tessaloom
