// A browser pane for tests: pages are registered by address, loads complete at once or after a
// number of event polls, and every call can be written to a journal shared by several panes. And
// a main window wired to fake ports and seven such panes that share one journal.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "online/browser_pane.h"
#include "online/main_window.h"
#include "play/fakes.h"

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
  }
  void Stop() override {
    Log("stop");
    ++stops;
    pollsLeft_ = 0;
  }
  int ReadyState() const override { return pollsLeft_ == 0 ? kReadyStateComplete : 1; }
  std::string LocationName() const override { return Title().empty() ? address_ : Title(); }
  std::string LocationURL() const override { return address_; }
  std::string Title() const override { return page_.title; }

  ElementLookup FindElementValue(const std::string& id) override {
    if (!page_.html) return {ElementLookup::Outcome::NotHtmlDocument, {}};
    if (!page_.body) return {ElementLookup::Outcome::NoBody, {}};
    for (const auto& [elementId, value] : page_.elements) {
      if (elementId == id) return {ElementLookup::Outcome::Found, value};
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

  const std::string& LastAddress() const { return address_; }

 private:
  void Log(const std::string& what) {
    if (journal_) journal_->push_back(name_ + " " + what);
  }

  std::string name_;
  std::vector<std::string>* journal_;
  std::string address_;
  FakePage page_;
  long pollsLeft_ = 0;
};

inline constexpr const char* kSite = "http://127.0.0.1:8642";

template <class Window = MainWindow>
struct MainWindowFixture : GameFixture {
  std::vector<std::string> journal;
  FakeBrowserPane WQuillo{"WQuillo", &journal}, WBdownload{"WBdownload", &journal},
      WBsoluzione{"WBsoluzione", &journal}, WBTrascina{"WBTrascina", &journal},
      wbAltriSudoku{"wbAltriSudoku", &journal}, wbSfida{"wbSfida", &journal},
      WebConnect{"WebConnect", &journal};
  Window window{game,
                BrowserPanes{WQuillo, WBdownload, WBsoluzione, WBTrascina, wbAltriSudoku, wbSfida,
                             WebConnect},
                kSite};

  MainWindowFixture() : GameFixture("online") {}

  std::string LocalPage(const std::string& name) const {
    return "file://" + (base / "noconnect" / name).generic_string();
  }
  // Creation and activation with the given answer to the connect question.
  void Start(bool connect) {
    window.FormCreate(base);
    dialogs.confirmAnswers.push_back(connect);
    window.FormActivate();
  }
};

}  // namespace sudoku::testing
