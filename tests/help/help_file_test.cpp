// The help file as the build compiles it, read back the way the viewer reads it.
#include "help/chm_file.h"
#include "help/sitemap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tessaloom {
namespace {

namespace fs = std::filesystem;

const std::string kBuiltHelpFile = TESSALOOM_HELP_FILE;

class BuiltHelpFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        file = ChmFile::open(kBuiltHelpFile);
        ASSERT_TRUE(file) << kBuiltHelpFile;
        system = file->systemInfo();
    }

    std::string text(const std::string& path) const { return file->read(path).value_or(""); }
    std::vector<SitemapEntry> sitemap(const std::string& name) const { return parseSitemap(text("/" + name)); }

    std::unique_ptr<ChmFile> file;
    ChmSystemInfo system;
};

// The file names its start topic and finds paths without regard to case. Every
// contents and index entry, and every link and picture of every topic, leads to a file in the
// help file and, with an anchor, to a place in that topic.
TEST_F(BuiltHelpFile, NamesItsStartTopicAndEveryEntryAndLinkLeadsSomewhere)
{
    EXPECT_EQ(system.defaultTopic, "Welcome.htm");
    EXPECT_TRUE(file->read("/welcome.HTM"));
    std::vector<std::pair<std::string, std::string>> targets; // where it is, where it leads
    std::vector<SitemapEntry> pending = sitemap(system.contentsFile);
    for (SitemapEntry& entry : sitemap(system.indexFile))
        pending.push_back(std::move(entry));
    while (!pending.empty()) {
        SitemapEntry entry = std::move(pending.back());
        pending.pop_back();
        targets.emplace_back("entry " + entry.name, entry.local);
        pending.insert(pending.end(), entry.children.begin(), entry.children.end());
    }
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

// No name, an empty file, a folder, a pipe (which would block the reader), or the built file
// cut off: refused, or read only as far as it goes, never garbage and never a crash.
TEST_F(BuiltHelpFile, WhatIsNoWholeHelpFileIsRefusedOrReadOnlyAsFarAsItGoes)
{
    const fs::path folder = fs::temp_directory_path() /
        ("tessaloom-chm-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    fs::remove_all(folder);
    fs::create_directories(folder / "folder.chm");
    const auto write = [&folder](const char* name, const std::string& bytes) {
        std::ofstream(folder / name, std::ios::binary) << bytes;
        return (folder / name).string();
    };

    EXPECT_FALSE(ChmFile::open(""));
    EXPECT_FALSE(ChmFile::open((folder / "folder.chm").string()));
    EXPECT_FALSE(ChmFile::open(write("empty.chm", "")));
#ifndef _WIN32
    ASSERT_EQ(mkfifo((folder / "pipe.chm").c_str(), 0600), 0);
    EXPECT_FALSE(ChmFile::open((folder / "pipe.chm").string()));
#endif

    std::ifstream in(kBuiltHelpFile, std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const std::size_t length : {std::size_t{100}, std::size_t{1000}, whole.size() / 2, whole.size() - 100}) {
        const std::unique_ptr<ChmFile> cut = ChmFile::open(write("cut.chm", whole.substr(0, length)));
        if (!cut)
            continue;
        cut->systemInfo();
        // What can be read is what the complete file holds; the rest is simply not there.
        for (const std::string& path : file->files())
            EXPECT_EQ(cut->read(path).value_or(text(path)), text(path)) << length << " " << path;
    }
    fs::remove_all(folder);
}

} // namespace
} // namespace tessaloom
