// The logic's BrowserPane port over a WebEngine pane, and a pane that loads nothing for
// windows built without browsers.
#pragma once

#include "online/browser_pane.h"

namespace sudoku {

class WebPane;

class QtBrowserPane : public BrowserPane {
 public:
  explicit QtBrowserPane(WebPane& pane) : pane_(pane) {}

  void Navigate(const std::string& address, int flags = 0) override;
  void Stop() override;
  int ReadyState() const override;
  std::string LocationName() const override;
  std::string LocationURL() const override;
  std::string Title() const override;
  ElementLookup FindElementValue(const std::string& id) override;
  void ScrollTo(int x, int y) override;
  void PrintPreview() override;
  void ProcessEvents() override;

 private:
  WebPane& pane_;
};

// Remembers the last address and is always complete; its documents have no elements.
class BlankBrowserPane : public BrowserPane {
 public:
  void Navigate(const std::string& address, int) override { address_ = address; }
  void Stop() override {}
  int ReadyState() const override { return kReadyStateComplete; }
  std::string LocationName() const override { return address_; }
  std::string LocationURL() const override { return address_; }
  std::string Title() const override { return {}; }
  ElementLookup FindElementValue(const std::string&) override { return {}; }
  void ScrollTo(int, int) override {}
  void PrintPreview() override {}
  void ProcessEvents() override;

 private:
  std::string address_;
};

}  // namespace sudoku
