// A browser pane for tests: pages are registered by address, loads complete at once or after a
// number of event polls, and every call can be written to a journal shared by several panes.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "online/browser_pane.h"

namespace sudoku::testing {

struct FakePage {
  std::string title = {};
  std::vector<std::pair<std::string, std::string>> elements = {};  // id, value, in document order
  bool html = true;
  bool body = true;
  long loadPolls = 0;  // polls until complete; negative = never completes
};

class FakeBrowserPane : public BrowserPane {
 public:
  explicit FakeBrowserPane(std::string name = "pane", std::vector<std::string>* journal = nullptr)
      : name_(std::move(name)), journal_(journal) {}

  std::map<std::string, FakePage> pages;
  // When set, answers the addresses that pages does not hold (a site whose addresses vary).
  std::function<FakePage(const std::string&)> serve;
  std::vector<std::pair<std::string, int>> navigations;  // address, flags
  std::function<void()> onProcessEvents;
  long polls = 0;
  int stops = 0;
  int printPreviews = 0;
  std::pair<int, int> scroll{0, 0};

  void Navigate(const std::string& address, int flags = 0) override {
    Log("navigate " + address);
    navigations.emplace_back(address, flags);
    address_ = address;
    auto found = pages.find(address);
    page_ = found != pages.end() ? found->second : serve ? serve(address) : FakePage{};
    pollsLeft_ = page_.loadPolls;
    title_ = page_.title;
  }
  void Stop() override {
    Log("stop");
    ++stops;
    pollsLeft_ = 0;
  }
  int ReadyState() const override { return pollsLeft_ == 0 ? kReadyStateComplete : 1; }
  std::string LocationName() const override { return title_.empty() ? address_ : title_; }
  std::string LocationURL() const override { return address_; }
  std::string Title() const override { return title_; }

  ElementLookup FindElementValue(const std::string& id) override {
    if (!page_.html) return {ElementLookup::Outcome::NotHtmlDocument, {}};
    if (!page_.body) return {ElementLookup::Outcome::NoBody, {}};
    for (const auto& [elementId, value] : page_.elements) {
      if (SameIgnoringCase(elementId, id)) return {ElementLookup::Outcome::Found, value};
    }
    return {ElementLookup::Outcome::NotFound, {}};
  }
  void ScrollTo(int x, int y) override { scroll = {x, y}; }
  void PrintPreview() override { ++printPreviews; }
  void ProcessEvents() override {
    ++polls;
    if (pollsLeft_ > 0) --pollsLeft_;
    if (onProcessEvents) onProcessEvents();
  }

  // Makes the shown page report a new title, as a page script or a redirect would.
  void SetTitle(std::string title) { title_ = std::move(title); }
  const std::string& LastAddress() const { return address_; }

 private:
  static bool SameIgnoringCase(const std::string& a, const std::string& b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    return std::ranges::equal(a, b, {}, lower, lower);
  }
  void Log(const std::string& what) {
    if (journal_) journal_->push_back(name_ + " " + what);
  }

  std::string name_;
  std::vector<std::string>* journal_;
  std::string address_;
  std::string title_;
  FakePage page_;
  long pollsLeft_ = 0;
};

}  // namespace sudoku::testing
