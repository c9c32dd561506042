#include "support/memory_registry.h"

namespace tessaloom {

Registry::Handle MemoryRegistry::opened(const KeyId& id)
{
    open_[nextHandle_] = id;
    return nextHandle_++;
}

std::int32_t MemoryRegistry::openKey(RootKey root, const std::string& path, Handle& key)
{
    const KeyId id{root, foldedRegistryName(path)};
    key = keys_.count(id) ? opened(id) : 0;
    return key ? kRegistrySuccess : kErrorFileNotFound;
}

std::int32_t MemoryRegistry::createKey(RootKey root, const std::string& path, Handle& key)
{
    // Every parent comes into being with the key.
    for (auto separator = path.find('\\'); separator != std::string::npos; separator = path.find('\\', separator + 1))
        keys_[{root, foldedRegistryName(path.substr(0, separator))}];
    key = opened(keys_.try_emplace(KeyId{root, foldedRegistryName(path)}).first->first);
    return kRegistrySuccess;
}

std::int32_t MemoryRegistry::queryValue(Handle key, const std::string& name, std::uint32_t* kind, std::uint8_t* data,
                                        std::uint32_t& size)
{
    const auto handle = open_.find(key);
    if (handle == open_.end())
        return kErrorInvalidHandle;
    const Values& values = keys_[handle->second];
    const auto value = values.find(foldedRegistryName(name));
    return value == values.end() ? kErrorFileNotFound : answerQuery(value->second, kind, data, size);
}

std::int32_t MemoryRegistry::setValue(Handle key, const std::string& name, std::uint32_t kind, const std::uint8_t* data,
                                      std::uint32_t size)
{
    const auto handle = open_.find(key);
    if (handle == open_.end())
        return kErrorInvalidHandle;
    ++writes;
    if (failWrites)
        return kErrorAccessDenied;
    keys_[handle->second][foldedRegistryName(name)] = StoredValue{kind, std::vector<std::uint8_t>(data, data + size)};
    return kRegistrySuccess;
}

} // namespace tessaloom
