// Waiting for pages and looking up value elements through the browser pane port.
#include "online/browser_pane.h"

#include <gtest/gtest.h>

#include "online/fake_browser_pane.h"

namespace sudoku {
namespace {

using testing::FakeBrowserPane;
using testing::FakePage;

TEST(NavigateAndWaitTest, NavigatesWithoutHistoryOrCacheAndWaitsForTheLoad) {
  FakeBrowserPane pane;
  pane.pages["http://site/a"] = FakePage{.title = "A", .loadPolls = 5};
  NavigateAndWait(pane, "http://site/a");
  ASSERT_EQ(pane.navigations.size(), 1u);
  EXPECT_EQ(pane.navigations[0].second, 14);
  EXPECT_EQ(pane.polls, 5);
  EXPECT_EQ(pane.ReadyState(), kReadyStateComplete);
}

TEST(NavigateAndWaitTest, GivesUpSilentlyOnAPageThatNeverLoads) {
  FakeBrowserPane pane;
  pane.pages["http://site/slow"] = FakePage{.loadPolls = -1};
  NavigateAndWait(pane, "http://site/slow", 1000);
  EXPECT_EQ(pane.polls, 1000);
  EXPECT_EQ(pane.LocationURL(), "http://site/slow");
}

TEST(FindElementByIdTest, MatchesIdsIgnoringCaseAndTakesTheFirst) {
  FakeBrowserPane pane;
  pane.pages["p"] = FakePage{.elements = {{"other", "x"}, {"Stato", "1"}, {"STATO", "2"}}};
  pane.Navigate("p");
  EXPECT_EQ(FindElementById(pane, "stato"), "1");
  EXPECT_EQ(FindElementById(pane, "missing"), std::nullopt);
}

TEST(FindElementByIdTest, ReportsDocumentsWithoutHtmlOrBody) {
  FakeBrowserPane pane;
  pane.pages["text"] = FakePage{.html = false};
  pane.pages["nobody"] = FakePage{.body = false};
  pane.Navigate("text");
  EXPECT_THROW(
      {
        try {
          FindElementById(pane, "a");
        } catch (const BrowserError& e) {
          EXPECT_STREQ(e.what(), "Invalid HTML document");
          throw;
        }
      },
      BrowserError);
  pane.Navigate("nobody");
  EXPECT_THROW(
      {
        try {
          FindElementById(pane, "a");
        } catch (const BrowserError& e) {
          EXPECT_STREQ(e.what(), "Can't find <body> element");
          throw;
        }
      },
      BrowserError);
}

}  // namespace
}  // namespace sudoku
