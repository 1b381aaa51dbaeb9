// A challenge window over fake ports and panes, whose challenge pane answers the two data pages
// from pages the test sets, whatever cache-defeating number the address carries.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "challenge/challenge_window.h"
#include "online/main_window_fixture.h"
#include "play/board_strings.h"

namespace sudoku::testing {

using Elements = std::vector<std::pair<std::string, std::string>>;

// A solved grid as the challenge pages write it: column by column.
inline const std::string kSolutionColumns = [] {
  std::string columns;
  for (int col = 0; col < 9; ++col)
    for (int row = 0; row < 9; ++row) columns += At(kSolved, col, row);
  return columns;
}();

// The "comuni" fields of a data page.
inline Elements Common(const std::string& n, const std::string& a, const std::string& d,
                       const std::string& s, const std::string& puzzle = "0",
                       const std::string& attesa = "0", const std::string& mia = "chiusa") {
  return {{"miaSuSfida", mia}, {"nickname", n},         {"nAttesa", attesa},
          {"nCorso", "0"},     {"schemasfida", puzzle}, {"sfidante", a},
          {"sfidato", d},      {"statosfida", s},       {"nMaxSuSfide", "20"}};
}

struct ChallengeFixture : MainWindowFixture<ChallengeWindow> {
  FakePage dataPage, matchPage;

  ChallengeFixture() {
    wbSfida.serve = [this](const std::string& address) {
      if (address.find("lettura-dati-sfida.asp?id=") != std::string::npos) return dataPage;
      if (address.find("lettura-asusfideincorso.asp?id=") != std::string::npos) return matchPage;
      return FakePage{};
    };
  }

  // The challenge pane's requests since the last call, as paths, the data pages' numbers as "R".
  std::vector<std::string> Requests() {
    std::vector<std::string> paths;
    for (std::size_t i = seen_; i < wbSfida.navigations.size(); ++i) {
      std::string path = wbSfida.navigations[i].first;
      if (path.starts_with(kSite)) path = path.substr(std::string(kSite).size());
      for (const char* page : {"lettura-dati-sfida.asp?id=", "lettura-asusfideincorso.asp?id="}) {
        const std::size_t at = path.find(page);
        if (at != std::string::npos) path = path.substr(0, at + std::string(page).size()) + "R";
      }
      paths.push_back(path);
    }
    seen_ = wbSfida.navigations.size();
    return paths;
  }

 private:
  std::size_t seen_ = 0;
};

}  // namespace sudoku::testing
