// The port through which the logic drives one embedded browser pane, and the two routines built
// on it: waiting for a page to load and looking up a value element of the loaded page.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

namespace sudoku {

// Navigation flags: no history entry, no read from and no write to the cache.
inline constexpr int kNoHistory = 2;
inline constexpr int kNoReadFromCache = 4;
inline constexpr int kNoWriteToCache = 8;
inline constexpr int kNavigationFlags = kNoHistory | kNoReadFromCache | kNoWriteToCache;

inline constexpr int kReadyStateComplete = 4;

// Polls NavigateAndWait makes before it gives up waiting for a page, and the time it waits at
// most whatever the count: a page that never loads must not hold the window for long.
inline constexpr long kNavigateWaitPolls = 6'000'000;
inline constexpr int kNavigateWaitSeconds = 20;

// What the loaded document says about an element id.
struct ElementLookup {
  enum class Outcome { Found, NotFound, NotHtmlDocument, NoBody };
  Outcome outcome = Outcome::NotFound;
  std::string value;  // the "value" attribute of the element found; empty when it has none
  // The same value in UTF-8, when the pane has it: texts people type (the chat) may hold
  // characters that Latin-1 has not.
  std::optional<std::string> utf8Value = std::nullopt;
};

// One browser pane. Texts are Latin-1. The shell implements it over a web view; tests over a
// fake. Every pane of the program shares one session (cookies), as the site expects.
class BrowserPane {
 public:
  virtual ~BrowserPane() = default;

  // Starts loading the address (absolute: http://..., file://..., about:blank) with the flags
  // above; returns at once. The ready state drops below complete until the page has loaded.
  virtual void Navigate(const std::string& address, int flags = 0) = 0;
  virtual void Stop() = 0;
  virtual int ReadyState() const = 0;            // kReadyStateComplete once loaded
  virtual std::string LocationName() const = 0;  // the page's title, or its address if none
  virtual std::string LocationURL() const = 0;
  virtual std::string Title() const = 0;

  // Walks the body's elements in document order for the first whose id equals `id` ignoring
  // case and reads its "value" attribute.
  virtual ElementLookup FindElementValue(const std::string& id) = 0;

  virtual void ScrollTo(int x, int y) = 0;
  virtual void PrintPreview() = 0;

  // Handles the pending window events once (timer ticks and clicks may run inside) and yields
  // the processor; returns promptly. Used by the waits.
  virtual void ProcessEvents() = 0;
};

// A browser operation that failed; ends the command that asked, like any other error.
class BrowserError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Navigates with kNavigationFlags and processes events until the page is complete, `maxPolls`
// polls have passed or `maxSeconds` have gone by; giving up is silent, the caller goes on with
// whatever loaded.
void NavigateAndWait(BrowserPane& pane, const std::string& address,
                     long maxPolls = kNavigateWaitPolls, int maxSeconds = kNavigateWaitSeconds);

// The value of the first element whose id matches `id` ignoring case, or none. Throws
// BrowserError "Invalid HTML document" or "Can't find <body> element".
std::optional<std::string> FindElementById(BrowserPane& pane, const std::string& id);
// The same, the value in UTF-8 (converted from Latin-1 when the pane has no UTF-8 value).
std::optional<std::string> FindElementByIdUtf8(BrowserPane& pane, const std::string& id);

// Blanks the pane ("about:blank") and stops it, as the shutdown does with every pane.
void BlankAndStop(BrowserPane& pane);

}  // namespace sudoku
