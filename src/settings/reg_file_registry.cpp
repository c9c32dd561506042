#include "settings/reg_file_registry.h"

#include "settings/file_content.h"

#include <new>

namespace tessaloom {

RegFileRegistry::RegFileRegistry(std::string path)
    : path_(std::move(path))
    , calls_(systemCalls_)
{
}

RegFileRegistry::RegFileRegistry(std::string path, FileCalls& calls)
    : path_(std::move(path))
    , calls_(calls)
{
}

Registry::Handle RegFileRegistry::addHandle(RootKey root, const std::string& path,
                                            std::shared_ptr<const RegFileDocument> file)
{
    const Handle key = nextHandle_++;
    open_[key] = OpenKey{root, path, std::move(file)};
    return key;
}

std::int32_t RegFileRegistry::openKey(RootKey root, const std::string& path, Handle& key)
{
    key = 0;
    if (rootKeyName(root).empty())
        return kErrorInvalidHandle;
    try {
        std::string content;
        if (const std::int32_t code = readFileContent(path_, content))
            return code;
        auto document = std::make_shared<const RegFileDocument>(RegFileDocument::parse(std::move(content)));
        if (!document->keyExists(root, path))
            return kErrorFileNotFound;
        key = addHandle(root, path, std::move(document));
        return kRegistrySuccess;
    } catch (const std::bad_alloc&) {
        return kErrorNotEnoughMemory;
    }
}

std::int32_t RegFileRegistry::createKey(RootKey root, const std::string& path, Handle& key)
{
    key = 0;
    if (rootKeyName(root).empty())
        return kErrorInvalidHandle;
    try {
        // Mostly the key is there already: then it needs only to be writable, not rewritten.
        std::string content;
        if (readFileContent(path_, content) == kRegistrySuccess &&
            RegFileDocument::parse(std::move(content)).keyExists(root, path)) {
            if (const std::int32_t code = checkReplaceable(path_))
                return code;
            key = addHandle(root, path, nullptr);
            return kRegistrySuccess;
        }
        const std::int32_t code = updateFileContent(
            path_,
            [&](const std::string& before, std::string& after) {
                RegFileDocument document = RegFileDocument::parse(before);
                if (!document.createKey(root, path))
                    return kErrorInvalidParameter;
                after = document.serialize();
                return kRegistrySuccess;
            },
            calls_);
        if (code != kRegistrySuccess)
            return code;
        key = addHandle(root, path, nullptr);
        return kRegistrySuccess;
    } catch (const std::bad_alloc&) {
        return kErrorNotEnoughMemory;
    }
}

std::int32_t RegFileRegistry::queryValue(Handle key, const std::string& name, std::uint32_t* kind, std::uint8_t* data,
                                         std::uint32_t& size)
{
    const auto open = open_.find(key);
    if (open == open_.end())
        return kErrorInvalidHandle;
    try {
        OpenKey& opened = open->second;
        if (!opened.file) {
            std::string content;
            if (const std::int32_t code = readFileContent(path_, content); code != kRegistrySuccess)
                return code;
            opened.file = std::make_shared<const RegFileDocument>(RegFileDocument::parse(std::move(content)));
        }
        if (const std::optional<StoredValue> value = opened.file->value(opened.root, opened.path, name))
            return answerQuery(*value, kind, data, size);
        return kErrorFileNotFound;
    } catch (const std::bad_alloc&) {
        return kErrorNotEnoughMemory;
    }
}

std::int32_t RegFileRegistry::setValue(Handle key, const std::string& name, std::uint32_t kind,
                                       const std::uint8_t* data, std::uint32_t size)
{
    const auto open = open_.find(key);
    if (open == open_.end())
        return kErrorInvalidHandle;
    try {
        const NamedValue value{name, StoredValue{kind, std::vector<std::uint8_t>(data, data + size)}};
        OpenKey& opened = open->second;
        const std::int32_t code = updateFileContent(
            path_,
            [&](const std::string& before, std::string& after) {
                RegFileDocument document = RegFileDocument::parse(before);
                if (!document.setValue(opened.root, opened.path, value))
                    return kErrorInvalidParameter;
                after = document.serialize();
                return kRegistrySuccess;
            },
            calls_);
        opened.file.reset(); // read again if asked
        return code;
    } catch (const std::bad_alloc&) {
        return kErrorNotEnoughMemory;
    }
}

std::int32_t RegFileRegistry::closeKey(Handle key)
{
    return open_.erase(key) ? kRegistrySuccess : kErrorInvalidHandle;
}

} // namespace tessaloom
