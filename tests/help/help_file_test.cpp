// The help file as the build compiles it, read back the way the viewer reads it.
#include "help/chm_check.h"
#include "help/chm_file.h"
#include "help/sitemap.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>

#include <sys/stat.h>

namespace tessaloom {
namespace {

const std::string kBuiltHelpFile = TESSALOOM_HELP_FILE;

std::string littleEndian(std::uint64_t value, int length)
{
    std::string bytes;
    for (int i = 0; i < length; ++i)
        bytes += static_cast<char>(value >> (8 * i));
    return bytes;
}

class BuiltHelpFile : public ::testing::Test {
protected:
    // A little-endian field of the built file.
    std::uint64_t number(std::size_t at, int length) const
    {
        std::uint64_t value = 0;
        for (int i = length - 1; i >= 0; --i)
            value = value << 8 | static_cast<unsigned char>(whole[at + i]);
        return value;
    }

    // Where an object stored uncompressed starts in the built file: its directory entry is its
    // name, then its section, start and length as integers of 7 bits a byte.
    std::size_t objectAt(const std::string& name) const
    {
        std::size_t at = whole.find(name) + name.size();
        const auto encint = [&] {
            std::uint64_t value = 0;
            while (whole[at] & 0x80)
                value = value << 7 | (whole[at++] & 0x7F);
            return value << 7 | whole[at++];
        };
        encint();
        return number(0x58, 8) + encint();
    }

    const std::string whole = [] {
        std::ifstream in(kBuiltHelpFile, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }();
};

// The file names its start topic and finds paths without regard to case. Every
// contents and index entry, and every link and picture of every topic, leads to a file in the
// help file and, with an anchor, to a place in that topic.
TEST_F(BuiltHelpFile, NamesItsStartTopicAndEveryEntryAndLinkLeadsSomewhere)
{
    const std::unique_ptr<ChmFile> file = ChmFile::open(kBuiltHelpFile);
    ASSERT_TRUE(file) << kBuiltHelpFile;
    const ChmSystemInfo system = file->systemInfo();
    const auto text = [&](const std::string& path) { return file->read(path).value_or(""); };
    EXPECT_EQ(system.defaultTopic, "Welcome.htm");
    EXPECT_TRUE(file->read("/welcome.HTM"));
    std::vector<std::pair<std::string, std::string>> targets; // where it is, where it leads
    const auto addEntries = [&](const auto& self, const std::vector<SitemapEntry>& entries) -> void {
        for (const SitemapEntry& entry : entries)
            targets.emplace_back("entry " + entry.name, entry.local), self(self, entry.children);
    };
    for (const std::string& name : {system.contentsFile, system.indexFile})
        addEntries(addEntries, parseSitemap(text("/" + name)));
    const std::regex reference(R"re((?:href|src)="([^"]*)")re", std::regex::icase);
    for (const std::string& path : file->files()) {
        const std::string page = path.ends_with(".htm") ? text(path) : std::string();
        for (std::sregex_iterator it(page.begin(), page.end(), reference), end; it != end; ++it) {
            const std::string link = (*it)[1];
            if (!link.starts_with("https://"))
                targets.emplace_back(path, link.starts_with("#") ? path.substr(1) + link : link);
        }
    }
    ASSERT_GT(targets.size(), 60u);
    for (const auto& [where, target] : targets) {
        const auto hash = target.find('#');
        ASSERT_TRUE(file->contains(target.substr(0, hash))) << where << " -> " << target;
        if (hash != std::string::npos) {
            const std::string place = "name=\"" + target.substr(hash + 1) + "\"";
            EXPECT_NE(text("/" + target.substr(0, hash)).find(place), std::string::npos) << where << " -> " << target;
        }
    }
}

// What is not a help file, or not a whole one, is refused as a missing file is, and never
// blocks: no name, a folder, a pipe (even one put at the path between a test and the open), the
// built file cut off anywhere.
TEST_F(BuiltHelpFile, WhatIsNoWholeHelpFileIsRefused)
{
    testing::TempFolder folder;
    ASSERT_EQ(::mkfifo(folder.path("pipe.chm").c_str(), 0600), 0);
    EXPECT_FALSE(ChmFile::open("") || ChmFile::open(folder.root.string()) || ChmFile::open(folder.path("pipe.chm")));

    for (std::size_t length = 0; length < whole.size(); ++length)
        ASSERT_FALSE(isSoundHelpFile(std::string_view(whole).substr(0, length))) << length;
}

// Copies of the built file with the damage a disk error leaves, each beside the same copy
// undamaged: a compressed frame length the reader would overrun its buffers with, an index
// page that leads back to itself (the reader would never return) and a listing page chained to
// itself (the reader would list for ever).
TEST_F(BuiltHelpFile, DamagedStructuresAreRefusedBeforeTheReaderTouchesThem)
{
    const auto changed = [this](std::size_t at, const std::string& bytes) {
        return std::string(whole).replace(at, bytes.size(), bytes);
    };
    const std::size_t resetTable = objectAt("::DataSpace/Storage/MSCompressed/Transform/"
                                            "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable");
    EXPECT_TRUE(ChmFile::fromBytes(changed(resetTable + 0x20, littleEndian(0x8000, 8))));
    EXPECT_FALSE(ChmFile::fromBytes(changed(resetTable + 0x20, littleEndian(0x100000010, 8))));
    EXPECT_FALSE(ChmFile::fromBytes(changed(resetTable + 0x20, littleEndian(0x100008000, 8))));

    // A second directory page, an index page whose one entry leads to the given page, made the
    // root; the content moves one page on.
    const std::size_t directory = number(0x48, 8), pageSize = number(directory + 0x10, 4);
    const auto withIndex = [&](std::uint64_t child) {
        std::string file = whole;
        for (const std::size_t field : {std::size_t{0x50}, std::size_t{0x58}, number(0x38, 8) + 8})
            file.replace(field, 8, littleEndian(number(field, 8) + pageSize, 8));
        file.replace(directory + 0x1C, 4, littleEndian(1, 4));
        std::string page = "PMGI" + littleEndian(pageSize - 11, 4) + '\x01' + '/' + static_cast<char>(child);
        return file.insert(directory + number(0x50, 8), page.append(pageSize - page.size(), '\0'));
    };
    const std::unique_ptr<ChmFile> indexed = ChmFile::fromBytes(withIndex(0));
    ASSERT_TRUE(indexed);
    EXPECT_EQ(indexed->systemInfo().defaultTopic, "Welcome.htm");
    EXPECT_FALSE(ChmFile::fromBytes(withIndex(1)));

    const std::size_t nextPage = directory + 0x54 + 0x10;
    EXPECT_TRUE(ChmFile::fromBytes(changed(nextPage, littleEndian(0xFFFFFFFF, 4))));
    EXPECT_FALSE(ChmFile::fromBytes(changed(nextPage, littleEndian(0, 4))));
}

} // namespace
} // namespace tessaloom
