#include "support/memory_registry.h"

namespace tessaloom {

bool MemoryRegistry::CaseInsensitiveLess::operator()(const std::string& a, const std::string& b) const
{
    return foldedRegistryName(a) < foldedRegistryName(b);
}

std::int32_t MemoryRegistry::openKey(RootKey root, const std::string& path, Handle& key)
{
    key = 0;
    const KeyId id{root, foldedRegistryName(path)};
    if (!keys_.count(id))
        return kErrorFileNotFound;
    key = nextHandle_++;
    open_[key] = id;
    return kRegistrySuccess;
}

std::int32_t MemoryRegistry::createKey(RootKey root, const std::string& path, Handle& key)
{
    const KeyId id{root, foldedRegistryName(path)};
    // Every parent comes into being with the key.
    for (auto separator = path.find('\\'); separator != std::string::npos; separator = path.find('\\', separator + 1))
        keys_[{root, foldedRegistryName(path.substr(0, separator))}];
    keys_[id];
    key = nextHandle_++;
    open_[key] = id;
    return kRegistrySuccess;
}

std::int32_t MemoryRegistry::queryValue(Handle key, const std::string& name, std::uint32_t* kind, std::uint8_t* data,
                                        std::uint32_t& size)
{
    const auto handle = open_.find(key);
    if (handle == open_.end())
        return kErrorInvalidHandle;
    const Values& values = keys_[handle->second];
    const auto value = values.find(name);
    if (value == values.end())
        return kErrorFileNotFound;
    return answerQuery(value->second, kind, data, size);
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
    keys_[handle->second].insert_or_assign(name, StoredValue{kind, std::vector<std::uint8_t>(data, data + size)});
    return kRegistrySuccess;
}

std::int32_t MemoryRegistry::closeKey(Handle key)
{
    return open_.erase(key) ? kRegistrySuccess : kErrorInvalidHandle;
}

int MemoryRegistry::openHandles() const
{
    return static_cast<int>(open_.size());
}

} // namespace tessaloom
