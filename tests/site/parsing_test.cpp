// The site's own parsers and writers: query values, clean text, escaping.
#include <gtest/gtest.h>

#include <string>

#include "site/html.h"
#include "site/query.h"

namespace sudoku::site {
namespace {

TEST(SiteQuery, ValuesAreSplitAtSemicolonsBeforeDecoding) {
  const auto query = ParseRawQuery("id=mario;ciao%3B%20a%20te;x&b=1&b=2&flag");
  const auto pieces = SplitDecoded(query.at("id"));
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0], "mario");
  EXPECT_EQ(pieces[1], "ciao; a te");
  EXPECT_EQ(pieces[2], "x");
  EXPECT_EQ(query.at("b"), "1");
  EXPECT_EQ(query.at("flag"), "");
}

TEST(SiteQuery, MalformedEscapesAndLatin1BytesStayReadable) {
  EXPECT_EQ(PercentDecode("100%"), "100%");
  EXPECT_EQ(PercentDecode("%zz%4"), "%zz%4");
  EXPECT_EQ(PercentDecode("a+b"), "a+b");
  EXPECT_EQ(PercentDecode("a+b", true), "a b");
  // A Latin-1 "è" comes out as UTF-8, a UTF-8 one unchanged.
  EXPECT_EQ(PercentDecode("%E8"), "\xC3\xA8");
  EXPECT_EQ(PercentDecode("%C3%A8"), "\xC3\xA8");
}

TEST(SiteQuery, NumbersAndCookies) {
  EXPECT_EQ(ParseNumber("0042"), 42);
  EXPECT_FALSE(ParseNumber(""));
  EXPECT_FALSE(ParseNumber("-1"));
  EXPECT_FALSE(ParseNumber("1e3"));
  EXPECT_FALSE(ParseNumber("9999999999"));
  EXPECT_EQ(CookieValue("a=1; sessione=abc; b=2", "sessione"), "abc");
  EXPECT_FALSE(CookieValue("xsessione=abc", "sessione"));
}

TEST(SiteHtml, StatusKeepsOnlyBoldAndBreaks) {
  EXPECT_EQ(StatusMarkup("<b>anna</b> vs <b>bruno</b><br><script>x</script>"),
            "<b>anna</b> vs <b>bruno</b><br>&lt;script&gt;x&lt;/script&gt;");
  EXPECT_EQ(Hidden("msg", "\"><script>"),
            "<input type=\"hidden\" id=\"msg\" value=\"&quot;&gt;&lt;script&gt;\">\n");
}

TEST(SiteText, OnlyWellFormedUtf8WithoutControlsIsClean) {
  EXPECT_TRUE(IsCleanText("ciao \xc3\xa8 \xf0\x9f\x98\x80"));  // è and an emoji
  using namespace std::string_literals;
  for (const std::string& bad : {"a\0b"s, "a\rb"s, "\x7f"s, "\xc2\x85"s,  // controls
                                 "\xc0\xaf"s, "\xe0\x80\xaf"s,            // overlong "/"
                                 "\xed\xa0\x80"s,                         // a surrogate
                                 "\xf4\x90\x80\x80"s, "\xe8"s, "\xc3"s})  // past U+10FFFF, cut
    EXPECT_FALSE(IsCleanText(bad)) << bad;
  EXPECT_EQ(ReplaceInvalidUtf8("a\xc0\xaf\xc3\xa8"), "a\ufffd\ufffd\u00e8");
  EXPECT_EQ(PercentDecodeBytes("%E8%41"),
            "\xe8"
            "A");
}

}  // namespace
}  // namespace sudoku::site
