// The help file as the build compiles it, read back the way the viewer reads it.
#include "help/chm_file.h"
#include "help/help_commands.h"
#include "help/sitemap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>

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

TEST_F(BuiltHelpFile, HoldsBothTopicsAndTheirPicture)
{
    EXPECT_NE(text("/Welcome.htm").find("<title>Welcome to Tessaloom</title>"), std::string::npos);
    EXPECT_NE(text("/Customizing_Pictures.htm").find("<title>Using your own pictures</title>"), std::string::npos);
    // Paths inside the file are matched without regard to case.
    EXPECT_EQ(text("/welcome.HTM"), text("/Welcome.htm"));

    const std::string picture = text("/images/board.png");
    ASSERT_GT(picture.size(), 24u);
    EXPECT_EQ(picture.substr(0, 8), "\x89PNG\r\n\x1a\n");
    EXPECT_EQ(picture.substr(12, 12), std::string("IHDR\0\0\x01\x41\0\0\0\xf0", 12)); // 321 x 240
}

TEST_F(BuiltHelpFile, NamesItsTitleStartPageContentsAndIndex)
{
    EXPECT_EQ(system.title, "Tessaloom Help");
    EXPECT_EQ(system.defaultTopic, kWelcomeTopic);
    EXPECT_TRUE(file->contains(system.contentsFile)) << system.contentsFile;
    EXPECT_TRUE(file->contains(system.indexFile)) << system.indexFile;
}

TEST_F(BuiltHelpFile, ContentsStartWithBothTopics)
{
    const std::vector<SitemapEntry> contents = sitemap(system.contentsFile);
    ASSERT_EQ(contents.size(), 2u);
    EXPECT_EQ(contents[0].local, kWelcomeTopic);
    EXPECT_EQ(contents[1].local, kCustomizingPicturesTopic);
    EXPECT_GE(contents[0].children.size(), 5u);
    EXPECT_GE(contents[1].children.size(), 5u);
}

TEST_F(BuiltHelpFile, IndexHoldsTheKeywordsAPlayerLooksForInOrder)
{
    const std::vector<SitemapEntry> index = sitemap(system.indexFile);
    std::vector<std::string> keywords;
    for (const SitemapEntry& entry : index)
        keywords.push_back(entry.name);

    for (const char* wanted : {"flip speed", "records", "Reset Records", "rows", "tries", "View", "Hide",
                               "New Game", "keyboard shortcuts", "Maintain Pictures", "Picture Maintenance dialog",
                               "Browse button", "Apply button", "OK button", "Cancel button", "JPEG files",
                               "BMP files", "GIF files", "400 x 300", "Label field cannot be blank",
                               "Path field cannot be blank", "digits in labels", "Marrowquill Software on the Web"})
        EXPECT_NE(std::find(keywords.begin(), keywords.end(), wanted), keywords.end()) << wanted;

    const auto caseless = [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
        });
    };
    EXPECT_TRUE(std::is_sorted(keywords.begin(), keywords.end(), caseless));
}

// Every entry of the contents and the index, and every link, picture and style sheet of every
// topic, leads to a file in the help file and, with an anchor, to a place in that topic.
TEST_F(BuiltHelpFile, EveryEntryAndLinkLeadsSomewhere)
{
    std::vector<std::pair<std::string, std::string>> targets; // (where it is, where it leads)
    std::vector<const SitemapEntry*> pending;
    const std::vector<SitemapEntry> contents = sitemap(system.contentsFile);
    const std::vector<SitemapEntry> index = sitemap(system.indexFile);
    for (const auto* list : {&contents, &index})
        for (const SitemapEntry& entry : *list)
            pending.push_back(&entry);
    while (!pending.empty()) {
        const SitemapEntry* entry = pending.back();
        pending.pop_back();
        targets.emplace_back("entry " + entry->name, entry->local);
        for (const SitemapEntry& child : entry->children)
            pending.push_back(&child);
    }

    const std::regex reference(R"re((?:href|src)="([^"]*)")re", std::regex::icase);
    std::size_t topics = 0;
    for (const std::string& path : file->files()) {
        if (!path.ends_with(".htm"))
            continue;
        ++topics;
        const std::string page = text(path);
        for (std::sregex_iterator it(page.begin(), page.end(), reference), end; it != end; ++it) {
            const std::string link = (*it)[1];
            if (link.starts_with("https://")) {
                EXPECT_EQ(link, kMakerWebAddress) << path;
                continue;
            }
            targets.emplace_back(path, link.starts_with("#") ? path.substr(1) + link : link);
        }
    }
    EXPECT_EQ(topics, 2u);
    ASSERT_GT(targets.size(), 60u);

    for (const auto& [where, target] : targets) {
        const std::string topic = target.substr(0, target.find('#'));
        ASSERT_TRUE(file->contains(topic)) << where << " -> " << target;
        if (target.find('#') != std::string::npos) {
            const std::string anchor = "name=\"" + target.substr(target.find('#') + 1) + "\"";
            EXPECT_NE(text("/" + topic).find(anchor), std::string::npos) << where << " -> " << target;
        }
    }
}

class TemporaryFolder {
public:
    TemporaryFolder()
        : path_(fs::temp_directory_path() / ("tessaloom-help-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-"
                                             + ::testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TemporaryFolder() { fs::remove_all(path_); }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(ChmFileOpen, RefusesWhatIsNoHelpFile)
{
    TemporaryFolder folder;
    writeFile(folder / "notes.chm", "These are not the topics you are looking for.\n");
    writeFile(folder / "empty.chm", "");
    fs::create_directory(folder / "folder.chm");

    EXPECT_FALSE(ChmFile::open(folder / "missing.chm"));
    EXPECT_FALSE(ChmFile::open(folder / "notes.chm"));
    EXPECT_FALSE(ChmFile::open(folder / "empty.chm"));
    EXPECT_FALSE(ChmFile::open(folder / "folder.chm"));
    EXPECT_FALSE(ChmFile::open(""));
#ifndef _WIN32
    // A pipe would block the reader until something wrote to it.
    ASSERT_EQ(mkfifo((folder / "pipe.chm").c_str(), 0600), 0);
    EXPECT_FALSE(ChmFile::open(folder / "pipe.chm"));
#endif
}

TEST(ChmFileOpen, ACutOffHelpFileIsReadAsFarAsItGoesWithoutHarm)
{
    std::ifstream in(kBuiltHelpFile, std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(whole.size(), 4096u);
    const std::unique_ptr<ChmFile> complete = ChmFile::open(kBuiltHelpFile);
    ASSERT_TRUE(complete);

    TemporaryFolder folder;
    for (const std::size_t length : {std::size_t{100}, std::size_t{1000}, whole.size() / 2, whole.size() - 100}) {
        SCOPED_TRACE(length);
        writeFile(folder / "cut.chm", whole.substr(0, length));
        const std::unique_ptr<ChmFile> cut = ChmFile::open(folder / "cut.chm");
        if (!cut)
            continue;
        // What can be read is what the complete file holds; the rest is simply not there.
        for (const std::string& path : complete->files()) {
            const std::optional<std::string> bytes = cut->read(path);
            if (bytes) {
                EXPECT_EQ(*bytes, *complete->read(path)) << path;
            }
        }
        cut->systemInfo();
    }
}

} // namespace
} // namespace tessaloom
