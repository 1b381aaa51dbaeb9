// The literal string algorithms: every pass as nested loops over 1-based positions, strings
// compared whole and searched for one-character digit texts.
#include "solver/reference/reference_solver.h"

namespace sudoku::reference {

namespace {

std::string Digit(int d) {
  return std::to_string(d);
}

int BoxOf(int c, int r) {
  return 3 * ((c - 1) / 3) + (r - 1) / 3 + 1;
}
void CellOf(int b, int k, int& c, int& r) {
  c = 3 * ((b - 1) / 3) + (k - 1) / 3 + 1;
  r = 3 * ((b - 1) % 3) + (k - 1) % 3 + 1;
}

// Unit kinds: 0 columns, 1 rows, 2 boxes. Position k of unit u.
std::string& At(Grid& g, int kind, int u, int k) {
  int c = u, r = k;
  if (kind == 1) c = k, r = u;
  if (kind == 2) CellOf(u, k, c, r);
  return g.cell[c][r];
}

bool Remove(std::string& s, int d) {
  const std::size_t at = s.find(Digit(d));
  if (at == std::string::npos) return false;
  s.erase(at, 1);
  return true;
}

bool Contains(const std::string& s, char ch) {
  return s.find(ch) != std::string::npos;
}

bool IsGiven(const Board& board, int c, int r) {
  const std::string& code = board.Schema[(c - 1) * 9 + (r - 1)];
  return !code.empty() && code[0] == '1';
}

int ValueOf(const Board& board, int c, int r) {
  const std::string& text = board.Texts[(c - 1) * 9 + (r - 1)];
  auto digit = [](const std::string& t) {
    return t.size() == 1 && t[0] >= '0' && t[0] <= '9' ? t[0] - '0' : 0;
  };
  if (!text.empty()) return digit(text);
  if (IsGiven(board, c, r)) return digit(board.Schema[(c - 1) * 9 + (r - 1)].substr(1, 1));
  return 0;
}

void RecordStep(Steps& steps, const Board& board, int c, int r, const Grid& g, int e) {
  if (steps.NumPassi == 200) return;
  if (steps.NumPassi > 0 && steps.Passi[steps.NumPassi].values[c][r] == e) return;
  ++steps.NumPassi;
  Record& rec = steps.Passi[steps.NumPassi];
  for (int i = 1; i <= 9; ++i) {
    for (int j = 1; j <= 9; ++j) {
      rec.values[i][j] =
          steps.NumPassi == 1 ? ValueOf(board, i, j) : steps.Passi[steps.NumPassi - 1].values[i][j];
    }
  }
  rec.candidates = g;
  rec.values[c][r] = e;
  rec.col = c, rec.row = r, rec.digit = e;
}

const int kBandA[10][2] = {{0, 0}, {2, 3}, {1, 3}, {1, 2}, {5, 6},
                           {4, 6}, {4, 5}, {8, 9}, {7, 9}, {7, 8}};
const int kBandB[10][2] = {{0, 0}, {4, 7}, {5, 8}, {6, 9}, {1, 7},
                           {2, 8}, {3, 9}, {1, 4}, {2, 5}, {3, 6}};

// Column (byCol) or row of a cell.
int LineOf(int c, int r, bool byCol) {
  return byCol ? c : r;
}

bool BoxLineHas(Grid& w, int box, int line, bool byCol, char ch) {
  for (int k = 1; k <= 9; ++k) {
    int c, r;
    CellOf(box, k, c, r);
    if (LineOf(c, r, byCol) == line && Contains(w.cell[c][r], ch)) return true;
  }
  return false;
}

void RemoveFromBoxLines(Grid& w, int box, int l1, int l2, bool byCol, int d) {
  for (int k = 1; k <= 9; ++k) {
    int c, r;
    CellOf(box, k, c, r);
    const int line = LineOf(c, r, byCol);
    if (line == l1 || line == l2) Remove(w.cell[c][r], d);
  }
}

void Pass6Sweep(Grid& w, bool byCol) {
  for (int b = 1; b <= 9; ++b) {
    for (int i = 1; i <= 8; ++i) {
      for (int j = i + 1; j <= 9; ++j) {
        int ci, ri, cj, rj;
        CellOf(b, i, ci, ri);
        CellOf(b, j, cj, rj);
        const int li = LineOf(ci, ri, byCol), lj = LineOf(cj, rj, byCol);
        if (li == lj) continue;
        const std::string si = w.cell[ci][ri];
        if (si != w.cell[cj][rj] || si.size() != 2) continue;
        const int p = byCol ? kBandA[b][0] : kBandB[b][0];
        const int q = byCol ? kBandA[b][1] : kBandB[b][1];
        int l3 = 0;
        for (int k = 1; k <= 9; ++k) {
          int c, r;
          CellOf(b, k, c, r);
          const int line = LineOf(c, r, byCol);
          if (line != li && line != lj) l3 = line;
        }
        const bool t1 = !BoxLineHas(w, p, l3, byCol, si[0]);
        const bool t2 = !BoxLineHas(w, p, l3, byCol, si[1]);
        if (t1) RemoveFromBoxLines(w, q, li, lj, byCol, si[0] - '0');
        if (t2) RemoveFromBoxLines(w, q, li, lj, byCol, si[1] - '0');
        if (!BoxLineHas(w, q, l3, byCol, si[0]))
          RemoveFromBoxLines(w, p, li, lj, byCol, si[0] - '0');
        if (!BoxLineHas(w, q, l3, byCol, si[1]))
          RemoveFromBoxLines(w, p, li, lj, byCol, si[1] - '0');
      }
    }
  }
}

}  // namespace

Grid Grid::Full() {
  Grid g;
  for (int c = 1; c <= 9; ++c) {
    for (int r = 1; r <= 9; ++r) g.cell[c][r] = "123456789";
  }
  return g;
}

Grid PlaceDigit(const Grid& grid, int x, int y, bool full, int d, const Board& board,
                Steps* steps) {
  Grid w = grid;
  const Grid input = grid;
  auto reset = [&] { w.cell[x][y] = Digit(d); };

  for (int k = 1; k <= 9; ++k) Remove(w.cell[k][y], d);
  reset();
  for (int k = 1; k <= 9; ++k) Remove(w.cell[x][k], d);
  reset();
  for (int k = 1; k <= 9; ++k) Remove(At(w, 2, BoxOf(x, y), k), d);
  reset();

  for (int kind = 0; kind < 3; ++kind) {
    for (int u = 1; u <= 9; ++u) {
      for (int i = 1; i <= 8; ++i) {
        for (int j = i + 1; j <= 9; ++j) {
          const std::string s = At(w, kind, u, i);
          if (s == At(w, kind, u, j) && s.size() == 2) {
            for (int k = 1; k <= 9; ++k) {
              if (k != i && k != j) {
                Remove(At(w, kind, u, k), s[0] - '0');
                Remove(At(w, kind, u, k), s[1] - '0');
              }
            }
            break;
          }
        }
      }
    }
    reset();
  }

  for (int kind = 0; kind < 3; ++kind) {
    for (int u = 1; u <= 9; ++u) {
      for (int i = 1; i <= 7; ++i) {
        for (int j = i + 1; j <= 8; ++j) {
          for (int m = j + 1; m <= 9; ++m) {
            const std::string s = At(w, kind, u, i);
            if (s == At(w, kind, u, j) && s == At(w, kind, u, m) && s.size() == 3) {
              for (int k = 1; k <= 9; ++k) {
                if (k == i || k == j || k == m) continue;
                for (char ch : s) Remove(At(w, kind, u, k), ch - '0');
              }
              break;
            }
          }
        }
      }
    }
    reset();
  }
  if (!full) return w;

  for (int kind = 0; kind < 3; ++kind) {
    for (int u = 1; u <= 9; ++u) {
      for (int p = 1; p <= 9; ++p) {
        const std::string sp = At(w, kind, u, p);
        if (sp.size() != 2) continue;
        for (int i = 1; i <= 8; ++i) {
          for (int j = i + 1; j <= 9; ++j) {
            const std::string s = At(w, kind, u, i);
            if (s == At(w, kind, u, j) && s.size() == 3 && Contains(s, sp[0]) &&
                Contains(s, sp[1])) {
              char third = 0;
              for (char ch : s) {
                if (ch != sp[0] && ch != sp[1]) third = ch;
              }
              for (int k = 1; k <= 9; ++k) {
                if (k != i && k != j && k != p) Remove(At(w, kind, u, k), third - '0');
              }
              break;
            }
          }
        }
      }
    }
    reset();
  }

  for (int kind = 0; kind < 3; ++kind) {
    for (int u = 1; u <= 9; ++u) {
      for (int n = 1; n <= 9; ++n) {
        int count = 0, where = 0;
        for (int k = 1; k <= 9 && count < 2; ++k) {
          if (At(w, kind, u, k).find(Digit(n)) != std::string::npos) {
            ++count;
            where = k;
          }
        }
        if (count == 1 && At(w, kind, u, where).size() > 1) At(w, kind, u, where) = Digit(n);
      }
    }
  }

  Pass6Sweep(w, true);
  Pass6Sweep(w, false);
  reset();

  for (int kind = 0; kind < 2; ++kind) {
    for (int u = 1; u <= 9; ++u) {
      for (int p = 1; p <= 8; ++p) {
        if (At(w, kind, u, p).size() != 3) continue;
        for (int q = p + 1; q <= 9; ++q) {
          if (At(w, kind, u, q) != At(w, kind, u, p)) continue;
          for (int i = 1; i <= 8; ++i) {
            if (At(w, kind, u, i).size() != 4) continue;
            for (int j = i + 1; j <= 9; ++j) {
              if (At(w, kind, u, j) != At(w, kind, u, i)) continue;
              const std::string sp = At(w, kind, u, p), si = At(w, kind, u, i);
              if (!Contains(si, sp[0]) || !Contains(si, sp[1]) || !Contains(si, sp[2])) continue;
              for (int k = 1; k <= 9; ++k) {
                if (k == p || k == q || k == i || k == j) continue;
                for (char ch : si) Remove(At(w, kind, u, k), ch - '0');
              }
            }
          }
        }
      }
    }
    reset();
  }

  for (int c = 1; c <= 9; ++c) {
    for (int r = 1; r <= 9; ++r) {
      if (w.cell[c][r].size() != 1 || input.cell[c][r].size() <= 1) continue;
      if ((c == x && r == y) || IsGiven(board, c, r)) continue;
      const int e = w.cell[c][r][0] - '0';
      if (steps != nullptr && steps->PassoPasso) RecordStep(*steps, board, c, r, w, e);
      w = PlaceDigit(w, c, r, true, e, board, steps);
    }
  }
  return w;
}

Grid BuildCandidates(const Board& board, Steps* steps) {
  Grid g = Grid::Full();
  for (int c = 1; c <= 9; ++c) {
    for (int r = 1; r <= 9; ++r) {
      if (board.Texts[(c - 1) * 9 + (r - 1)].empty() && !IsGiven(board, c, r)) continue;
      g = PlaceDigit(g, c, r, true, ValueOf(board, c, r), board, steps);
    }
  }
  return g;
}

std::int32_t CountSolutions(const Grid& grid, std::int32_t limit, Counter& counter,
                            const Board& board) {
  const Grid g = grid;
  std::int32_t values[10][10] = {};
  bool contradiction = false, complete = true;
  int bc = 0, br = 0;
  for (int c = 1; c <= 9; ++c) {
    for (int r = 1; r <= 9; ++r) {
      const std::string& s = g.cell[c][r];
      if (s.size() == 1) {
        if (s == "0")
          contradiction = true;
        else
          values[c][r] = s[0] - '0';
      } else if (s.size() > 1) {
        if (complete) bc = c, br = r;
        complete = false;
      } else {
        contradiction = true;
      }
    }
  }
  if (contradiction) return 0;
  if (complete) {
    for (int k = 1; k <= 9; ++k) {
      int cs = 0, rs = 0;
      for (int j = 1; j <= 9; ++j) cs += values[k][j], rs += values[j][k];
      if (cs != 45 || rs != 45) return 0;
    }
    ++counter.NumSoluzioni;
    for (int c = 1; c <= 9; ++c) {
      for (int r = 1; r <= 9; ++r) counter.Soluzione[c][r] = values[c][r];
    }
    return 1;
  }
  for (char ch : g.cell[bc][br]) {
    const Grid child = PlaceDigit(g, bc, br, true, ch - '0', board, nullptr);
    ++counter.advances;
    if (counter.NumSoluzioni < limit) CountSolutions(child, limit, counter, board);
  }
  return 0;
}

std::array<std::int32_t, 81> ReducePuzzle(const std::array<std::int32_t, 81>& values) {
  const Board noGivens;
  std::array<std::int32_t, 81> griglia = values;
  for (int x = 0; x < 81; ++x) {
    if (griglia[x] <= 0) continue;
    Grid g = Grid::Full();
    for (int c = 0; c < 81; ++c) {
      if (c != x && griglia[c] > 0)
        g = PlaceDigit(g, c / 9 + 1, c % 9 + 1, true, griglia[c], noGivens, nullptr);
    }
    // Only the result of the count matters here, and it is 1 only for a complete grid handed
    // in; the search it would run below an open grid is skipped to keep the oracle usable.
    bool complete = true;
    for (int c = 1; c <= 9; ++c) {
      for (int r = 1; r <= 9; ++r) complete = complete && g.cell[c][r].size() <= 1;
    }
    Counter scratch;
    if (complete && CountSolutions(g, 2, scratch, noGivens) == 1) griglia[x] = 0;
  }
  return griglia;
}

}  // namespace sudoku::reference
