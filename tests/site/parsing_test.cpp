// The site's own parsers: query values, numbers, cookies, invalid UTF-8. Clean text and escaping
// are checked where the chat and the status line carry them (challenge_test).
#include <gtest/gtest.h>

#include "site/query.h"

namespace sudoku::site {
namespace {

TEST(SiteQuery, ValuesNumbersAndCookies) {
  const auto query = ParseRawQuery("id=mario;ciao%3B%20a%20te;x&b=1&b=2&flag");
  EXPECT_EQ(SplitDecoded(query.at("id")), (std::vector<std::string>{"mario", "ciao; a te", "x"}));
  EXPECT_EQ(query.at("b") + "/" + query.at("flag"), "1/");
  // Malformed escapes stay as they are; a Latin-1 "è" comes out as UTF-8, a UTF-8 one unchanged.
  EXPECT_EQ(PercentDecode("100%") + PercentDecode("%zz%4") + PercentDecode("a+b"), "100%%zz%4a+b");
  EXPECT_EQ(PercentDecode("a+b", true), "a b");
  EXPECT_EQ(PercentDecode("%E8") + PercentDecode("%C3%A8"), "\xC3\xA8\xC3\xA8");

  EXPECT_EQ(ParseNumber("0042"), 42);
  for (const char* bad : {"", "-1", "1e3", "9999999999"}) EXPECT_FALSE(ParseNumber(bad)) << bad;
  EXPECT_EQ(CookieValue("a=1; sessione=abc; b=2", "sessione"), "abc");
  EXPECT_FALSE(CookieValue("xsessione=abc", "sessione"));
  EXPECT_EQ(ReplaceInvalidUtf8("a\xc0\xaf\xc3\xa8"), "a\ufffd\ufffd\u00e8");
}

}  // namespace
}  // namespace sudoku::site
