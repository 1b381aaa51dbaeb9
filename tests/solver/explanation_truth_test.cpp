// Every explanation of the replay and of the hint, on a few hundred puzzles of the shared sets,
// checked on the board the player sees by a separate check of the rules: a claimed single
// holds there, a named pattern exists there and its removals are what make the claim hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <fstream>
#include <set>

#include "solver/cell_explanation.h"
#include "solver/random.h"
#include "solver/solution_counter.h"

namespace sudoku {
namespace {

using Values = std::array<std::int32_t, 81>;
using Candidates = std::array<int, 81>;  // bit d: digit d still possible

// The cells of a unit: 0-8 columns, 9-17 rows, 18-26 boxes going down the columns of boxes.
std::set<int> Members(int unit) {
  std::set<int> cells;
  for (int k = 0; k < 9; ++k) {
    if (unit < 9) cells.insert(unit * 9 + k);
    if (unit >= 9 && unit < 18) cells.insert(k * 9 + unit - 9);
    if (unit >= 18)
      cells.insert((3 * ((unit - 18) / 3) + k / 3) * 9 + 3 * ((unit - 18) % 3) + k % 3);
  }
  return cells;
}

bool Sees(int a, int b) {
  return a != b &&
         (a / 9 == b / 9 || a % 9 == b % 9 || (a / 27 == b / 27 && a % 9 / 3 == b % 9 / 3));
}

Candidates Possible(const Values& values) {
  Candidates can{};
  for (int cell = 0; cell < 81; ++cell) {
    if (values[cell] != 0) continue;
    can[cell] = 0x3FE;
    for (int other = 0; other < 81; ++other) {
      if (Sees(cell, other)) can[cell] &= ~(1 << values[other]);
    }
  }
  return can;
}

// The candidates the pattern removes, after checking that it exists on can.
Candidates Removals(const Pattern& p, const Candidates& can) {
  Candidates removed{};
  const int bit = 1 << p.Digit;
  auto places = [&](int unit) {
    std::set<int> at = Members(unit);
    std::erase_if(at, [&](int cell) { return !(can[cell] & bit); });
    return at;
  };
  auto within = [](const std::set<int>& cells, int unit) {
    const std::set<int> of = Members(unit);
    return std::includes(of.begin(), of.end(), cells.begin(), cells.end());
  };
  const std::set<int> cells(p.Cells.begin(), p.Cells.end());
  if (p.Kind == PatternKind::Subset) {
    int together = 0;
    for (int cell : cells) together |= can[cell];
    EXPECT_TRUE(within(cells, p.Unit) && together == p.Digits &&
                std::popcount(unsigned(together)) == int(cells.size()));
    for (int cell : Members(p.Unit)) {
      if (!cells.count(cell)) removed[cell] = can[cell] & together;
    }
  } else if (p.Kind != PatternKind::BoxPair) {  // a digit of one unit confined to another
    const std::set<int> at = places(p.Unit);
    EXPECT_TRUE(at.size() >= 2 && within(at, p.Other));
    for (int cell : Members(p.Other)) {
      if (!Members(p.Unit).count(cell)) removed[cell] = can[cell] & bit;
    }
  } else {
    // The pair's cells on two lines of the band, the other box's digit off the third line, and
    // the target the band's third box: Digit of target is on the third line.
    const bool columns = p.Line < 9;
    const auto line = [&](int cell) { return columns ? cell / 9 : 9 + cell % 9; };
    const std::set<int> lines = {line(p.Cells[0]), line(p.Cells[1]), p.Line};
    const std::set<int> other = places(p.Other);
    bool band = lines.size() == 3 && !other.empty() && can[p.Cells[0]] == p.Digits &&
                can[p.Cells[1]] == p.Digits && (p.Digits & bit) && within(cells, p.Unit) &&
                std::set<int>{p.Unit, p.Other, p.Target}.size() == 3;
    for (int box : {p.Unit, p.Other, p.Target}) {
      for (int l : lines) {
        int shared = 0;
        for (int c : Members(box)) shared += Members(l).count(c) ? 1 : 0;
        band = band && shared == 3;
      }
    }
    for (int cell : other) band = band && line(cell) != p.Line;
    EXPECT_TRUE(band);
    for (int cell : Members(p.Target)) {
      if (line(cell) != p.Line) removed[cell] = can[cell] & bit;
    }
  }
  return removed;
}

// Whether the reason holds for digit at cell on values; names the failure.
std::string Check(const CellReason& why, const Values& values, int cell, int digit) {
  Candidates can = Possible(values);
  if (!(can[cell] & (1 << digit))) return "digit not possible there";
  auto claim = [&](const Candidates& c) {
    if (why.What == CellReason::Kind::OnlyDigit) return c[cell] == 1 << digit;
    int places = 0;
    for (int other : Members(why.Unit)) places += (c[other] >> digit) & 1;
    return Members(why.Unit).count(cell) && places == 1;
  };
  if (why.What == CellReason::Kind::LastInUnit) {
    for (int other : Members(why.Unit)) {
      if (other != cell && values[other] == 0) return "unit not full";
    }
    return Members(why.Unit).count(cell) ? "" : "cell not in unit";
  }
  if (why.After) {
    if (claim(can)) return "pattern not needed";
    const Candidates removed = Removals(*why.After, can);
    for (int c = 0; c < 81; ++c) can[c] &= ~removed[c];
  } else if (why.What == CellReason::Kind::OnlyDigit) {
    const int units[] = {9 + cell % 9, cell / 9, 18 + 3 * (cell / 27) + cell % 9 / 3};
    int named = 0;
    for (int k = 0; k < 3; ++k) {
      int present = 0;
      for (int other : Members(units[k])) present |= 1 << values[other];
      if ((why.Seen[k] & ~present) != 0) return "digit named that the unit lacks";
      named |= why.Seen[k];
    }
    if (named != (0x3FE & ~(1 << digit))) return "named digits not the other eight";
  }
  return claim(can) ? "" : "claim does not hold";
}

std::vector<Values> ReadPuzzles(const std::string& name, int count) {
  std::ifstream in(std::string(SUDOKU_SOURCE_DIR) + "/../shared/data/" + name);
  std::vector<Values> puzzles;
  for (std::string line; std::getline(in, line) && int(puzzles.size()) < count;) {
    if (line.size() >= 81 && line[0] != '#')
      puzzles.push_back(ValuesOfRowMajor(line.substr(0, 81)));
  }
  return puzzles;
}

// What a sentence must say of its explanation in both languages (the cell, the digit and the
// words of its kind), and its reason checked on values with the cells it waits for filled.
void ExpectTrue(const Explanation& e, Values values, int cell, int digit,
                const std::string& context) {
  const std::string en = ExplanationText(e, true), it = ExplanationText(e, false);
  const std::string col = std::to_string(e.Cell / 9 + 1), row = std::to_string(e.Cell % 9 + 1),
                    told = std::to_string(e.Digit);
  EXPECT_NE(en.find("Column " + col + ", row " + row + ": " + told + " - "), std::string::npos)
      << context << en;
  EXPECT_NE(it.find("Colonna " + col + ", riga " + row + ": " + told + " - "), std::string::npos)
      << context << it;
  const bool board = e.On == Explanation::Basis::Board || e.On == Explanation::Basis::TrialAndError;
  EXPECT_EQ(en.find("not evident yet") == std::string::npos, board) << context << en;
  EXPECT_EQ(it.find("non ancora evidente") == std::string::npos, board) << context << it;
  for (const Placement& later : e.Later) values[later.Cell] = later.Digit;
  if (e.On == Explanation::Basis::Board || e.On == Explanation::Basis::Later) {
    EXPECT_EQ(Check(e.Why, values, cell, digit), "") << context << en;
  }
}

TEST(ExplanationTruth, EveryReplayedAndHintedCellIsExplainedTruthfullyOnTheBoardShown) {
  std::vector<Values> puzzles = ReadPuzzles("puzzles2_17_clue.txt", 150);
  for (const Values& p : ReadPuzzles("puzzles3_magictour_top1465.txt", 150)) puzzles.push_back(p);
  if (puzzles.size() < 300) GTEST_SKIP() << "the shared puzzle sets are not beside the sources";
  SeededRandom random(7);
  int steps = 0, onBoard = 0;
  for (const Values& givens : puzzles) {
    StepLog log;
    log.PassoPasso = true;
    const Board board = GivensBoard(givens);
    BuildCandidates(board, &log);
    Values shown = givens;
    for (int k = 1; k <= log.NumPassi; ++k) {
      const StepRecord& r = log.Passi[k];
      const int cell = r.Col * 9 + r.Row;
      const Explanation e = ExplainStep(log, k);
      ExpectTrue(e, shown, cell, r.Digit,
                 RowMajorText(givens) + " step " + std::to_string(k) + ": ");
      onBoard += e.On == Explanation::Basis::Board;
      ++steps;
      shown[cell] = r.Digit;
    }
    // A hint on the board half way through the replay, one of its entries made wrong.
    CountState state;
    CountGivens(givens, 2, state);
    if (state.NumSoluzioni != 1 || log.NumPassi < 4) continue;
    Board played = board;
    Values trusted = givens;
    for (int k = 1; k <= log.NumPassi / 2; ++k) {
      const StepRecord& r = log.Passi[k];
      played.Texts[r.Col * 9 + r.Row] = std::to_string(r.Digit);
      trusted[r.Col * 9 + r.Row] = r.Digit;
    }
    const StepRecord& spoilt = log.Passi[1];
    const int spoiltCell = spoilt.Col * 9 + spoilt.Row;
    played.Texts[spoiltCell] = std::to_string(spoilt.Digit % 9 + 1);
    trusted[spoiltCell] = 0;
    int cell = 0;
    do cell = random.Next(0, 80);
    while (played.ValoreCella(cell / 9, cell % 9) != 0);
    const Explanation e = ExplainHint(played, state.Soluzione, cell);
    const std::string context = RowMajorText(givens) + " hint: ";
    ExpectTrue(e, trusted, cell, state.Soluzione[cell], context);
    EXPECT_EQ(e.WrongEntries, std::vector<int>{spoiltCell}) << context;
    EXPECT_EQ(ExplanationText(e, true).rfind("The entry at column ", 0), 0u) << context;
    EXPECT_EQ(ExplanationText(e, false).rfind("Il numero inserito in colonna ", 0), 0u) << context;
  }
  EXPECT_GT(onBoard, steps * 3 / 4);  // most steps are explained on the board as shown
}

}  // namespace
}  // namespace sudoku
