// The waits and lookups built on the browser pane port.
#include "online/browser_pane.h"

#include <chrono>

namespace sudoku {

void NavigateAndWait(BrowserPane& pane, const std::string& address, long maxPolls, int maxSeconds) {
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + std::chrono::seconds(maxSeconds);
  pane.Navigate(address, kNavigationFlags);
  for (long polls = 0; pane.ReadyState() != kReadyStateComplete && polls < maxPolls; ++polls) {
    pane.ProcessEvents();
    if (Clock::now() >= deadline) break;
  }
}

std::optional<std::string> FindElementById(BrowserPane& pane, const std::string& id) {
  ElementLookup lookup = pane.FindElementValue(id);
  switch (lookup.outcome) {
    case ElementLookup::Outcome::Found:
      return lookup.value;
    case ElementLookup::Outcome::NotFound:
      return std::nullopt;
    case ElementLookup::Outcome::NotHtmlDocument:
      throw BrowserError("Invalid HTML document");
    case ElementLookup::Outcome::NoBody:
      throw BrowserError("Can't find <body> element");
  }
  return std::nullopt;
}

void BlankAndStop(BrowserPane& pane) {
  pane.Navigate("about:blank");
  pane.Stop();
}

}  // namespace sudoku
