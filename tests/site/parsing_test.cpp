// The site's own parsers and writers: query values, escaping, the zip writer.
#include <gtest/gtest.h>

#include "site/html.h"
#include "site/query.h"
#include "site/zip_writer.h"

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

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int k = 3; k >= 0; --k) value = value << 8 | static_cast<unsigned char>(bytes[at + k]);
  return value;
}

TEST(SiteZip, StoredEntriesWithCrcAndDirectory) {
  EXPECT_EQ(Crc32("123456789"), 0xCBF43926u);
  ZipWriter zip;
  zip.Add("a.tema", "hello");
  zip.Add("b.tema", "");
  const std::string bytes = zip.Finish();
  EXPECT_EQ(Read32(bytes, 0), 0x04034b50u);
  EXPECT_EQ(Read32(bytes, 14), Crc32("hello"));
  EXPECT_EQ(bytes.substr(30, 11), "a.temahello");
  const std::size_t end = bytes.size() - 22;
  EXPECT_EQ(Read32(bytes, end), 0x06054b50u);
  EXPECT_EQ(bytes[end + 10], 2);  // entries
  const std::uint32_t directory = Read32(bytes, end + 16);
  EXPECT_EQ(Read32(bytes, directory), 0x02014b50u);
  EXPECT_EQ(Read32(bytes, directory + 42), 0u);  // first entry's offset
}

}  // namespace
}  // namespace sudoku::site
