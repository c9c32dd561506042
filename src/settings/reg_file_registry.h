#pragma once

#include "settings/file_content.h"
#include "settings/reg_file_document.h"
#include "settings/registry.h"

#include <map>
#include <memory>
#include <string>

namespace tessaloom {

// The registry kept in one text file in the registry editor's form, for platforms without a
// registry. Every call reads the file afresh; every change is one locked, atomic rewrite of it,
// so several running programs share the file without losing each other's values. A handle
// opened to read holds what its key held when it was opened.
class RegFileRegistry final : public Registry {
public:
    explicit RegFileRegistry(std::string path);
    // Writes through calls that stand in for the lock, its clock and the flush to the disk.
    RegFileRegistry(std::string path, FileCalls& calls);
    RegFileRegistry(const RegFileRegistry&) = delete;
    RegFileRegistry& operator=(const RegFileRegistry&) = delete;

    std::int32_t openKey(RootKey root, const std::string& path, Handle& key) override;
    std::int32_t createKey(RootKey root, const std::string& path, Handle& key) override;
    std::int32_t queryValue(Handle key, const std::string& name, std::uint32_t* kind, std::uint8_t* data,
                            std::uint32_t& size) override;
    std::int32_t setValue(Handle key, const std::string& name, std::uint32_t kind, const std::uint8_t* data,
                          std::uint32_t size) override;
    std::int32_t closeKey(Handle key) override;

private:
    struct OpenKey {
        RootKey root = 0;
        std::string path;
        std::shared_ptr<const RegFileDocument> file; // read when first asked for, for a key opened to write
    };

    Handle addHandle(RootKey root, const std::string& path, std::shared_ptr<const RegFileDocument> file);

    std::string path_;
    FileCalls systemCalls_;
    FileCalls& calls_;
    std::map<Handle, OpenKey> open_;
    Handle nextHandle_ = 1;
};

} // namespace tessaloom
