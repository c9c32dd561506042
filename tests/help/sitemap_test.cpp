#include "help/sitemap.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tessaloom {
namespace {

// Flattens a tree to "name -> local" lines, children indented, for compact comparisons.
std::string outline(const std::vector<SitemapEntry>& entries, const std::string& indent = "")
{
    std::string text;
    for (const SitemapEntry& entry : entries)
        text += indent + entry.name + " -> " + entry.local + "\n" + outline(entry.children, indent + "  ");
    return text;
}

// Tags in any case, unclosed items, unquoted and single-quoted values, a second name or topic
// in one object (the first counts), character references.
TEST(Sitemap, ReadsNestedListsWrittenInLooseHtml)
{
    const char* text = R"(<!DOCTYPE HTML PUBLIC "-//IETF//DTD HTML//EN"><HTML><BODY>
<OBJECT type="text/site properties"><param name="Window Styles" value="0x800025"></OBJECT>
<UL><LI> <OBJECT type="text/sitemap">
      <param name="Name" value="Welcome"><param name="Local" value="Welcome.htm"></OBJECT>
  <ul><li><object TYPE="TEXT/SITEMAP"><PARAM NAME="name" VALUE="Rows"><Param Name=Local Value=Welcome.htm#rows></object>
    <li><object type='text/sitemap'><param name='Name' value='Records'><param name='Local' value='Welcome.htm#records'></object>
      <UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Resetting"><param name="Local" value="Welcome.htm#reset"></OBJECT></UL></ul>
  <LI><OBJECT type="text/sitemap"><param name="Name" value="Apply &amp; OK"><param name="Local" value="a.htm">
      <param name="Name" value="second name"><param name="Local" value="b.htm"></OBJECT>
  <LI><OBJECT type="text/sitemap"><param name="Name" value="caf&#233; &#x41;&lt;&gt; &bogus; & x"></OBJECT>
</UL></BODY></HTML>)";
    EXPECT_EQ(outline(parseSitemap(text)),
              "Welcome -> Welcome.htm\n"
              "  Rows -> Welcome.htm#rows\n"
              "  Records -> Welcome.htm#records\n"
              "    Resetting -> Welcome.htm#reset\n"
              "Apply & OK -> a.htm\n"
              "caf\xC3\xA9 A<> &bogus; & x -> \n");
}

TEST(Sitemap, DamagedFilesGiveWhatCanBeReadAndNeverMore)
{
    // Stray closing tags, a list opened before any entry, a comment full of tags, parameters
    // outside any object.
    const char* stray = R"(</UL></OBJECT><param name="Name" value="loose">
<UL><UL><!-- <LI><OBJECT type="text/sitemap"><param name="Name" value="hidden"></OBJECT> -->
<LI><OBJECT type="text/sitemap"><param name="Name" value="one"><param name="Local" value="1.htm"></OBJECT>
</UL></UL></UL></UL>
<LI><OBJECT type="text/sitemap"><param name="Name" value="two"></OBJECT>)";
    EXPECT_EQ(outline(parseSitemap(stray)), "one -> 1.htm\ntwo -> \n");

    // Cut off in the middle of a quoted value, of a tag, of a reference.
    const std::string whole =
        R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Tries &amp; records"></OBJECT></UL>)";
    for (std::size_t length = 0; length < whole.size(); ++length)
        EXPECT_LE(parseSitemap(std::string_view(whole).substr(0, length)).size(), 1u) << length;
    EXPECT_EQ(outline(parseSitemap(whole)), "Tries & records -> \n");

    // A run of '&' is read in time in proportion to its length: a reader that looked for each
    // one's ';' to the end of the text would take minutes over this one.
    const std::string ampersands(4000000, '&');
    EXPECT_EQ(
        outline(parseSitemap(R"(<OBJECT type="text/sitemap"><param name="Name" value=")" + ampersands + "&amp;\">")),
        ampersands + "& -> \n");

    // Lists nested deeper than any real file are read as continuing at the deepest level, so a
    // damaged file cannot build a tree too deep to show or to tear down.
    std::string text;
    for (int level = 0; level < 2000; ++level)
        text += R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="level"></OBJECT>)";
    const std::string lines = outline(parseSitemap(text));
    const std::string deepest(2 * (kSitemapMaxDepth - 1), ' ');
    EXPECT_EQ(lines.find(deepest + "  "), std::string::npos);
    EXPECT_NE(lines.find(deepest + "level"), std::string::npos);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2000);
}

} // namespace
} // namespace tessaloom
