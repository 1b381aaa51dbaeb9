// A main window wired to fake ports and seven fake browser panes that share one journal.
#pragma once

#include <string>
#include <vector>

#include "online/fake_browser_pane.h"
#include "online/main_window.h"
#include "play/fakes.h"

namespace sudoku::testing {

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
