// Fuzzes the settings file reader: any bytes parse; a value looked up alone is the one the whole
// key lists; writing back keeps every value and line, and is stable; a write of one value changes
// that value only.
#include "settings/reg_file_document.h"
#include "settings/registry.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace tessaloom;

// Stops the run at a broken property, naming it.
#define check(condition)                                                                                               \
    ((condition) ? void() : (std::fprintf(stderr, "property broken: %s\n", #condition), std::abort()))

std::vector<NamedValue> others(std::vector<NamedValue> values, const std::string& name)
{
    std::erase_if(values, [&](const NamedValue& value) { return sameRegistryName(value.name, name); });
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const RegFileDocument document = RegFileDocument::parse(std::string(reinterpret_cast<const char*>(data), size));
    const std::string written = document.serialize();
    const RegFileDocument reread = RegFileDocument::parse(written);
    check(reread.serialize() == written);
    const std::vector<NamedValue> before = document.values(kHkeyLocalMachine, kSettingsKeyPath);
    check(reread.values(kHkeyLocalMachine, kSettingsKeyPath) == before);
    for (const NamedValue& value : before)
        check(document.value(kHkeyLocalMachine, kSettingsKeyPath, value.name) == value.value);
    check(before.empty() || document.keyExists(kHkeyLocalMachine, kSettingsKeyPath));

    RegFileDocument changed = reread;
    const NamedValue flipSpeed{"FlipSpeed", {kRegDword, {0xDC, 0x05, 0, 0}}};
    check(changed.setValue(kHkeyLocalMachine, kSettingsKeyPath, flipSpeed));
    const std::string rewritten = changed.serialize();
    const std::vector<NamedValue> after = RegFileDocument::parse(rewritten).values(kHkeyLocalMachine, kSettingsKeyPath);
    check(std::count_if(after.begin(), after.end(), [&](const NamedValue& value) {
              return sameRegistryName(value.name, flipSpeed.name) && value.value == flipSpeed.value;
          }) == 1);
    check(others(after, flipSpeed.name) == others(before, flipSpeed.name));
    check(RegFileDocument::parse(rewritten).serialize() == rewritten);
    return 0;
}
