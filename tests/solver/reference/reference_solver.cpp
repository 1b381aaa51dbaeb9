// The literal string algorithms: every pass as nested loops over 1-based positions, strings
// compared whole and searched for one-character digit texts.
#include "solver/reference/reference_solver.h"

#include <algorithm>

namespace sudoku::reference {

namespace {

void Remove(std::string& s, char ch) {
  if (const std::size_t at = s.find(ch); at != std::string::npos) s.erase(at, 1);
}

bool Has(const std::string& s, char ch) {
  return s.find(ch) != std::string::npos;
}

// Position k of unit u: kind 0 columns, 1 rows, 2 boxes (numbered down the columns of boxes).
void CellOf(int kind, int u, int k, int& c, int& r) {
  c = kind == 0 ? u : kind == 1 ? k : 3 * ((u - 1) / 3) + (k - 1) / 3 + 1;
  r = kind == 0 ? k : kind == 1 ? u : 3 * ((u - 1) % 3) + (k - 1) % 3 + 1;
}

std::string& At(Grid& g, int kind, int u, int k) {
  int c, r;
  CellOf(kind, u, k, c, r);
  return g.cell[c][r];
}

// The digits leave every position k of the unit whose bit 1 << k is not set in keep.
void ClearOthers(Grid& w, int kind, int u, int keep, const std::string& digits) {
  for (int k = 1; k <= 9; ++k)
    for (char ch : digits)
      if (!(keep & (1 << k))) Remove(At(w, kind, u, k), ch);
}

void RecordStep(Steps& steps, const Board& board, int c, int r, const Grid& g, int e) {
  if (steps.NumPassi == 200) return;
  if (steps.NumPassi > 0 && steps.Passi[steps.NumPassi].values[c][r] == e) return;
  Record& rec = steps.Passi[++steps.NumPassi];
  for (int i = 1; i <= 9; ++i)
    for (int j = 1; j <= 9; ++j)
      rec.values[i][j] = steps.NumPassi == 1 ? board.ValoreCella(i - 1, j - 1)
                                             : steps.Passi[steps.NumPassi - 1].values[i][j];
  rec.candidates = g;
  rec.values[c][r] = e;
  rec.col = c, rec.row = r, rec.digit = e;
}

// Box pairs against their band: lines are columns (byCol) or rows. kBand[byCol][b]: the other
// two boxes sharing box b's lines.
const int kBand[2][10][2] = {
    {{0, 0}, {4, 7}, {5, 8}, {6, 9}, {1, 7}, {2, 8}, {3, 9}, {1, 4}, {2, 5}, {3, 6}},
    {{0, 0}, {2, 3}, {1, 3}, {1, 2}, {5, 6}, {4, 6}, {4, 5}, {8, 9}, {7, 9}, {7, 8}}};

// Whether a cell of box on line l1 or l2 holds ch; with remove, ch leaves those cells.
bool OnLines(Grid& w, int box, int l1, int l2, bool byCol, char ch, bool remove) {
  bool found = false;
  for (int k = 1; k <= 9; ++k) {
    int c, r;
    CellOf(2, box, k, c, r);
    if ((byCol ? c : r) != l1 && (byCol ? c : r) != l2) continue;
    found = found || Has(w.cell[c][r], ch);
    if (remove) Remove(w.cell[c][r], ch);
  }
  return found;
}

void BoxPairSweep(Grid& w, bool byCol) {
  for (int b = 1; b <= 9; ++b)
    for (int i = 1; i <= 8; ++i)
      for (int j = i + 1; j <= 9; ++j) {
        int ci, ri, cj, rj;
        CellOf(2, b, i, ci, ri);
        CellOf(2, b, j, cj, rj);
        const int li = byCol ? ci : ri, lj = byCol ? cj : rj;
        const std::string s = w.cell[ci][ri];
        if (li == lj || s != w.cell[cj][rj] || s.size() != 2) continue;
        const int first = 3 * (byCol ? (b - 1) / 3 : (b - 1) % 3) + 1;
        const int l3 = 3 * first + 3 - li - lj, p = kBand[byCol][b][0], q = kBand[byCol][b][1];
        // The two sides only read line l3 and only change lines li and lj: any order will do.
        for (char ch : s) {
          if (!OnLines(w, p, l3, l3, byCol, ch, false)) OnLines(w, q, li, lj, byCol, ch, true);
          if (!OnLines(w, q, l3, l3, byCol, ch, false)) OnLines(w, p, li, lj, byCol, ch, true);
        }
      }
}

}  // namespace

Grid Grid::Full() {
  Grid g;
  for (auto& column : g.cell) std::fill(std::begin(column), std::end(column), "123456789");
  return g;
}

Grid PlaceDigit(const Grid& grid, int x, int y, bool full, int d, const Board& board,
                Steps* steps) {
  Grid w = grid;
  const char digit = char('0' + d);
  auto reset = [&] { w.cell[x][y] = std::string(1, digit); };
  for (int k = 1; k <= 9; ++k) {
    Remove(w.cell[k][y], digit);
    Remove(w.cell[x][k], digit);
    Remove(At(w, 2, 3 * ((x - 1) / 3) + (y - 1) / 3 + 1, k), digit);
  }
  reset();
  // fn(kind, u) over every unit of the first kinds kinds, the digit put back after each kind.
  auto units = [&](int kinds, const auto& fn) {
    for (int kind = 0; kind < kinds; ++kind) {
      for (int u = 1; u <= 9; ++u) fn(kind, u);
      reset();
    }
  };
  // n equal n-digit cells (a cell and the first equal ones after it) clear the rest of the unit.
  for (int n : {2, 3}) {
    units(3, [&](int kind, int u) {
      for (int i = 1; i <= 9; ++i) {
        const std::string s = At(w, kind, u, i);
        int keep = 1 << i, found = 1;
        for (int j = i + 1; j <= 9 && found < n; ++j)
          if (At(w, kind, u, j) == s) keep |= 1 << j, ++found;
        if (int(s.size()) == n && found == n) ClearOthers(w, kind, u, keep, s);
      }
    });
  }
  if (!full) return w;

  // A two-digit cell inside two equal three-digit cells: their third digit leaves the unit.
  units(3, [&](int kind, int u) {
    for (int p = 1; p <= 9; ++p) {
      const std::string sp = At(w, kind, u, p);
      for (int i = 1; i <= 8 && sp.size() == 2; ++i)
        for (int j = i + 1; j <= 9; ++j) {
          const std::string s = At(w, kind, u, i);
          if (s != At(w, kind, u, j) || s.size() != 3 || !Has(s, sp[0]) || !Has(s, sp[1])) continue;
          std::string third = s;
          Remove(third, sp[0]);
          Remove(third, sp[1]);
          ClearOthers(w, kind, u, (1 << i) | (1 << j) | (1 << p), third);
          break;
        }
    }
  });

  // Hidden singles: a digit with one place in the unit.
  units(3, [&](int kind, int u) {
    for (char n = '1'; n <= '9'; ++n) {
      int count = 0, where = 0;
      for (int k = 1; k <= 9; ++k)
        if (Has(At(w, kind, u, k), n)) ++count, where = k;
      if (count == 1 && At(w, kind, u, where).size() > 1) At(w, kind, u, where) = {n};
    }
  });
  BoxPairSweep(w, true);
  BoxPairSweep(w, false);
  reset();

  // Two equal three-digit cells inside two equal four-digit cells, in columns and rows.
  units(2, [&](int kind, int u) {
    for (int p = 1; p <= 8; ++p)
      for (int q = p + 1; q <= 9; ++q) {
        if (At(w, kind, u, p).size() != 3 || At(w, kind, u, q) != At(w, kind, u, p)) continue;
        for (int i = 1; i <= 8; ++i)
          for (int j = i + 1; j <= 9; ++j) {
            const std::string sp = At(w, kind, u, p), si = At(w, kind, u, i);
            if (si.size() != 4 || At(w, kind, u, j) != si || !Has(si, sp[0]) || !Has(si, sp[1]) ||
                !Has(si, sp[2]))
              continue;
            ClearOthers(w, kind, u, (1 << p) | (1 << q) | (1 << i) | (1 << j), si);
          }
      }
  });

  // Every other open cell left with one candidate is placed in turn.
  for (int c = 1; c <= 9; ++c)
    for (int r = 1; r <= 9; ++r) {
      if (w.cell[c][r].size() != 1 || grid.cell[c][r].size() <= 1) continue;
      if ((c == x && r == y) || board.IsGiven(c - 1, r - 1)) continue;
      const int e = w.cell[c][r][0] - '0';
      if (steps != nullptr && steps->PassoPasso) RecordStep(*steps, board, c, r, w, e);
      w = PlaceDigit(w, c, r, true, e, board, steps);
    }
  return w;
}

Grid BuildCandidates(const Board& board, Steps* steps) {
  Grid g = Grid::Full();
  for (int c = 1; c <= 9; ++c)
    for (int r = 1; r <= 9; ++r)
      if (!board.Texts[(c - 1) * 9 + (r - 1)].empty() || board.IsGiven(c - 1, r - 1))
        g = PlaceDigit(g, c, r, true, board.ValoreCella(c - 1, r - 1), board, steps);
  return g;
}

std::int32_t CountSolutions(const Grid& g, std::int32_t limit, Counter& counter,
                            const Board& board) {
  int bc = 0, br = 0;  // the first open cell, column by column
  for (int c = 9; c >= 1; --c)
    for (int r = 9; r >= 1; --r) {
      const std::string& s = g.cell[c][r];
      if (s.empty() || s == "0") return 0;
      if (s.size() > 1) bc = c, br = r;
    }
  if (bc == 0) {
    for (int k = 1; k <= 9; ++k) {
      int cs = 0, rs = 0;
      for (int j = 1; j <= 9; ++j) cs += g.cell[k][j][0] - '0', rs += g.cell[j][k][0] - '0';
      if (cs != 45 || rs != 45) return 0;
    }
    ++counter.NumSoluzioni;
    for (int c = 1; c <= 9; ++c)
      for (int r = 1; r <= 9; ++r) counter.Soluzione[c][r] = g.cell[c][r][0] - '0';
    return 1;
  }
  for (char ch : g.cell[bc][br])
    if (counter.NumSoluzioni < limit)
      CountSolutions(PlaceDigit(g, bc, br, true, ch - '0', board, nullptr), limit, counter, board);
  return 0;
}

std::array<std::int32_t, 81> ReducePuzzle(const std::array<std::int32_t, 81>& values) {
  const Board noGivens;
  std::array<std::int32_t, 81> griglia = values;
  for (int x = 0; x < 81; ++x) {
    if (griglia[x] <= 0) continue;
    Grid g = Grid::Full();
    for (int c = 0; c < 81; ++c)
      if (c != x && griglia[c] > 0)
        g = PlaceDigit(g, c / 9 + 1, c % 9 + 1, true, griglia[c], noGivens, nullptr);
    // The count is 1 only for a complete grid handed in; the search below an open grid cannot
    // change that and is skipped to keep the oracle usable.
    bool complete = true;
    for (int c = 1; c <= 9; ++c)
      for (int r = 1; r <= 9; ++r) complete = complete && g.cell[c][r].size() <= 1;
    Counter scratch;
    if (complete && CountSolutions(g, 2, scratch, noGivens) == 1) griglia[x] = 0;
  }
  return griglia;
}

}  // namespace sudoku::reference
