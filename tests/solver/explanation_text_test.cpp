// The wording of explanations in both languages: what each kind names, with the Italian
// articles and the lists joined as a reader expects.
#include <gtest/gtest.h>

#include "solver/cell_explanation.h"

namespace sudoku {
namespace {

constexpr int kColumn = 0, kRow = 9, kBox = 18;

TEST(ExplanationText, NamesTheUnitsCellsAndDigitsOfEachReasonInBothLanguages) {
  struct Case {
    Explanation e;
    std::string english, italian;  // after "Column 3, row 5: 7 - " / "Colonna 3, riga 5: 7 - "
  };
  using Basis = Explanation::Basis;
  auto at35 = [](CellReason why, Basis on = Basis::Board, std::vector<Placement> later = {}) {
    return Explanation{
        .Cell = 2 * 9 + 4, .Digit = 7, .WrongEntries = {}, .On = on, .Why = why, .Later = later};
  };  // column 3, row 5 holds 7
  using Kind = CellReason::Kind;
  const Pattern pair{.Unit = kRow + 4, .Cells = {4, 31}, .Digits = (1 << 2) | (1 << 6)};
  const Pattern triple{.Unit = kBox + 0, .Cells = {0, 10, 20}, .Digits = 0x0E};
  const Pattern pointing{
      .Kind = PatternKind::Pointing, .Unit = kBox + 4, .Other = kRow + 4, .Cells = {}, .Digit = 8};
  // The top left box's 1 and 5 on columns 1 and 2, the middle left box's 5 too.
  const Pattern boxPair{.Kind = PatternKind::BoxPair,
                        .Unit = kBox + 0,
                        .Other = kBox + 1,
                        .Target = kBox + 2,
                        .Line = kColumn + 2,
                        .Cells = {0, 1 * 9 + 1},
                        .Digits = (1 << 1) | (1 << 5),
                        .Digit = 5};

  const Case cases[] = {
      {at35({Kind::LastInUnit, kBox + 3, {}, std::nullopt}),
       "the last digit missing from the top middle box",
       "ultima cifra che manca nel riquadro in alto al centro"},
      {at35({Kind::OnlyDigit, -1, {(1 << 1) | (1 << 3), 0, (1 << 2) | (1 << 4) | 0x360}, {}}),
       "the only digit absent from its row (1, 3) and box (2, 4, 5, 6, 8, 9)",
       "unica cifra assente dalla sua riga (1, 3) e dal riquadro (2, 4, 5, 6, 8, 9)"},
      {at35({Kind::OnlyDigit, -1, {}, pair}),
       "the only candidate left after the pair 2 and 6 in row 5 (columns 1 and 4)",
       "unico candidato rimasto dopo la coppia 2 e 6 nella riga 5 (colonne 1 e 4)"},
      {at35({Kind::OnlyPlace, kColumn + 2, {}, triple}),
       "the only place for 7 in column 3 after the triple 1, 2 and 3 in the top left box "
       "(column 1, row 1; column 2, row 2 and column 3, row 3)",
       "unico posto per il 7 nella colonna 3 dopo la terna 1, 2 e 3 nel riquadro in alto a "
       "sinistra (colonna 1, riga 1; colonna 2, riga 2 e colonna 3, riga 3)"},
      {at35({Kind::OnlyDigit, -1, {}, pointing}),
       "the only candidate left after the 8 of the centre box, which can only go in row 5",
       "unico candidato rimasto dopo l'8 del riquadro centrale, che pu\xF2 andare solo nella "
       "riga 5"},
      {at35({Kind::OnlyDigit, -1, {}, boxPair}),
       "the only candidate left, since the 5 of the top left box (in the pair 1 and 5 at column "
       "1, row 1 and column 2, row 2) and the 5 of the middle left box (no place in column 3) "
       "fill columns 1 and 2, so the 5 of the bottom left box goes in column 3",
       "unico candidato rimasto, perch\xE9 il 5 del riquadro in alto a sinistra (nella coppia 1 e "
       "5 in colonna 1, riga 1 e colonna 2, riga 2) e il 5 del riquadro al centro a sinistra "
       "(nessun posto nella colonna 3) occupano le colonne 1 e 2, quindi il 5 del riquadro in "
       "basso a sinistra va nella colonna 3"},
      {at35({Kind::OnlyPlace, kRow + 4, {}, std::nullopt}, Basis::Later, {{3 * 9 + 1, 6}, {0, 1}}),
       "not evident yet on the board shown: once the replay shows 6 at column 4, row 2 and 1 at "
       "column 1, row 1, it is the only place for 7 in row 5",
       "non ancora evidente sulla griglia mostrata: quando la sequenza avr\xE0 mostrato il 6 in "
       "colonna 4, riga 2 e l'1 in colonna 1, riga 1, sar\xE0 l'unico posto per il 7 nella riga "
       "5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExplanationText(c.e, true), "Column 3, row 5: 7 - " + c.english);
    EXPECT_EQ(ExplanationText(c.e, false), "Colonna 3, riga 5: 7 - " + c.italian);
  }
  Explanation ahead = at35({}, Basis::Ahead);
  ahead.PlayersBoard = true;
  ahead.WrongEntries = {1, 80};
  ahead.Ahead = 1;
  EXPECT_EQ(ExplanationText(ahead, true),
            "The entries at column 1, row 2 and column 9, row 9 are wrong. Column 3, row 5: 7 - "
            "not evident yet on your board: the logical solver reaches it after 1 other cell");
  EXPECT_EQ(ExplanationText(ahead, false),
            "I numeri inseriti in colonna 1, riga 2 e colonna 9, riga 9 sono sbagliati. Colonna 3, "
            "riga 5: 7 - non ancora evidente sulla tua griglia: il risolutore logico ci arriva "
            "dopo un'altra cella");
}

}  // namespace
}  // namespace sudoku
