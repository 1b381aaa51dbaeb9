// The waits and lookups built on the browser pane port.
#include "online/browser_pane.h"

#include <chrono>
#include <utility>

#include "play/text_utils.h"

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

namespace {

ElementLookup LookUp(BrowserPane& pane, const std::string& id) {
  ElementLookup lookup = pane.FindElementValue(id);
  switch (lookup.outcome) {
    case ElementLookup::Outcome::Found:
    case ElementLookup::Outcome::NotFound:
      break;
    case ElementLookup::Outcome::NotHtmlDocument:
      throw BrowserError("Invalid HTML document");
    case ElementLookup::Outcome::NoBody:
      throw BrowserError("Can't find <body> element");
  }
  return lookup;
}

}  // namespace

std::optional<std::string> FindElementById(BrowserPane& pane, const std::string& id) {
  ElementLookup lookup = LookUp(pane, id);
  if (lookup.outcome != ElementLookup::Outcome::Found) return std::nullopt;
  return std::move(lookup.value);
}

std::optional<std::string> FindElementByIdUtf8(BrowserPane& pane, const std::string& id) {
  ElementLookup lookup = LookUp(pane, id);
  if (lookup.outcome != ElementLookup::Outcome::Found) return std::nullopt;
  if (lookup.utf8Value) return std::move(*lookup.utf8Value);
  return Latin1ToUtf8(lookup.value);
}

void BlankAndStop(BrowserPane& pane) {
  pane.Navigate("about:blank");
  pane.Stop();
}

}  // namespace sudoku
