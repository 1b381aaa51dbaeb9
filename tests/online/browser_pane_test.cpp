// Waiting for pages and looking up value elements through the browser pane port.
#include "online/browser_pane.h"

#include <gtest/gtest.h>

#include "online/fake_browser_pane.h"

namespace sudoku {
namespace {

using testing::FakeBrowserPane;
using testing::FakePage;

TEST(NavigateAndWaitTest, WaitsWithoutHistoryOrCacheAndGivesUpSilently) {
  FakeBrowserPane pane;
  pane.pages["http://site/a"] = FakePage{.loadPolls = 5};
  pane.pages["http://site/slow"] = FakePage{.loadPolls = -1};
  NavigateAndWait(pane, "http://site/a");
  EXPECT_EQ(pane.navigations.back().second, 14);
  EXPECT_EQ(pane.polls, 5);
  NavigateAndWait(pane, "http://site/slow", 1000);
  EXPECT_EQ(pane.polls, 1005);
  EXPECT_NE(pane.ReadyState(), kReadyStateComplete);
}

std::string LookupError(FakeBrowserPane& pane) {
  try {
    FindElementById(pane, "a");
  } catch (const BrowserError& e) {
    return e.what();
  }
  return "no error";
}

TEST(FindElementByIdTest, FirstIdMatchIgnoringCaseOrTheDocumentErrors) {
  FakeBrowserPane pane;
  pane.pages["p"] = FakePage{.elements = {{"other", "x"}, {"Stato", "1"}, {"STATO", "2"}}};
  pane.pages["text"] = FakePage{.html = false};
  pane.pages["nobody"] = FakePage{.body = false};
  pane.Navigate("p");
  EXPECT_EQ(FindElementById(pane, "stato"), "1");
  EXPECT_EQ(FindElementById(pane, "missing"), std::nullopt);
  pane.Navigate("text");
  EXPECT_EQ(LookupError(pane), "Invalid HTML document");
  pane.Navigate("nobody");
  EXPECT_EQ(LookupError(pane), "Can't find <body> element");
}

}  // namespace
}  // namespace sudoku
