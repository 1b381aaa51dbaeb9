// The pure rules of the challenge: reading the data pages, the challenge table, the match puzzle,
// the opponent's moves and the move report.
#include <gtest/gtest.h>

#include "challenge/challenge_requests.h"
#include "challenge/challenge_state.h"
#include "challenge/match_board.h"
#include "challenge_fixture.h"

namespace sudoku {
namespace {

using testing::FakeBrowserPane;
using testing::FakePage;

const std::string& kSolution = testing::kSolutionColumns;

FakeBrowserPane PaneShowing(FakePage page) {
  FakeBrowserPane pane;
  pane.pages["p"] = std::move(page);
  pane.Navigate("p");
  return pane;
}

TEST(ReadChallengePageTest, ReadsTheSectionsFieldsAndGivesMissingOnesTheirDefaults) {
  FakeBrowserPane pane = PaneShowing({"",
                                      {{"NICKNAME", "anna"},
                                       {"nickname", "second"},
                                       {"nAttesa", " 3"},
                                       {"sfidante", "bruno"},
                                       {"soluzione", "123"}}});
  DatiSfida dati;
  dati.sfidato = dati.miaSuSfida = "old";
  dati.nCorso = 7;
  ReadChallengePage(pane, "comuni", dati);
  EXPECT_EQ(dati.nickname, "anna");  // any letter case, the first element of the id
  EXPECT_EQ(dati.nAttesa, 3);
  EXPECT_EQ(dati.nCorso, 0);
  EXPECT_EQ(dati.sfidante, "bruno");
  EXPECT_EQ(dati.sfidato, "0");
  EXPECT_EQ(dati.miaSuSfida, "chiusa");
  EXPECT_EQ(dati.soluzione, "0");  // not a field of this section

  ReadChallengePage(pane, "sfida", dati);
  ReadChallengePage(pane, "other", dati);
  EXPECT_EQ(dati.soluzione, "0");
  ReadChallengePage(pane, "asusfideincorso", dati);
  EXPECT_EQ(dati.soluzione, "123");
}

TEST(ReadChallengePageTest, AnErrorEndsTheReadKeepingTheFieldsReadBefore) {
  FakeBrowserPane pane = PaneShowing(
      {"", {{"miaSuSfida", "attesa"}, {"nickname", "anna"}, {"nAttesa", "x"}, {"nCorso", "4"}}});
  DatiSfida dati;
  dati.nCorso = 9;
  EXPECT_THROW(ReadChallengePage(pane, "comuni", dati), std::runtime_error);
  EXPECT_EQ(dati.nickname, "anna");
  EXPECT_EQ(dati.nCorso, 9);

  FakeBrowserPane broken = PaneShowing({"", {}, false});  // the pane's errors come through
  EXPECT_THROW(ReadChallengePage(broken, "sfida", dati), BrowserError);
  FakeBrowserPane tooLarge = PaneShowing({"", {{"UteSuConnessi", "2147483648"}}});
  EXPECT_THROW(ReadChallengePage(tooLarge, "comuni", dati), std::runtime_error);
}

// Launch, accept and abandon as "+" on, "-" off, "=" unchanged.
std::string Buttons(const ChallengeDecision& d) {
  std::string out;
  for (Switch s : {d.launch, d.accept, d.abandon})
    out += s == Switch::On ? '+' : s == Switch::Off ? '-' : '=';
  return out;
}

std::string Actions(const ChallengeDecision& d) {
  std::string out;
  for (const auto& [on, name] : {std::pair{d.notify, "notify "},
                                 {d.generate, "generate "},
                                 {d.enterMatch, "enter "},
                                 {d.startMatch, "start "},
                                 {d.reset, "reset "}}) {
    if (on) out += name;
  }
  return out;
}

TEST(DecideChallengeStateTest, EveryRowOfTheTable) {
  struct Case {
    const char *n, *a, *d, *s;
    int attesa, corso;
    const char *buttons, *actions, *message;
  };
  const char* starting =
      "La Tua sfida \xE8 stata raccolta da <b>tu</b>.<br>A breve avr\xE0 inizio...";
  const char* running = "<b>io</b> vs <b>tu</b> in corso...";
  const char* waiting = "La Tua sfida \xE8 in attesa di essere accolta.";
  const Case cases[] = {
      {"io", "0", "0", "0", 0, 0, "+--", "", "0"},
      {"io", "0", "0", "0", 10, 0, "-+-", "", "0"},
      {"io", "0", "0", "0", 3, 20, "---", "", "0"},
      {"io", "io", "0", "attesa", 1, 0, "--+", "", waiting},
      {"io", "io", "0", "attesa", 2, 0, "-++", "", waiting},
      {"io", "io", "0", "attesa", 2, 20, "--+", "", waiting},
      {"io", "io", "tu", "attesa", 0, 1, "--+", "notify generate ", starting},
      {"io", "io", "tu", "avvio", 0, 1, "--+", "", starting},
      {"io", "io", "tu", "corso", 0, 1, "--+", "enter ", running},
      {"tu", "io", "tu", "attesa", 0, 1, "--+", "",
       "Bene <b>tu</b> hai accettato la sfida lanciata da <b>io</b><br>A breve avr\xE0 inizio..."},
      {"tu", "io", "tu", "avvio", 0, 1, "--+", "enter start ", running},
      {"tu", "0", "tu", "0", 0, 0, "+=-", "reset ",
       "Spiacente.<br>L'altro concorrente ha abbandonato la sfida."},
      {"lui", "io", "tu", "corso", 0, 1, "===", "", "0"},
  };
  for (const Case& c : cases) {
    DatiSfida dati;
    dati.nickname = c.n;
    dati.sfidante = c.a;
    dati.sfidato = c.d;
    dati.statosfida = c.s;
    dati.nAttesa = c.attesa;
    dati.nCorso = c.corso;
    dati.nMaxSuSfide = 20;
    const ChallengeDecision decision = DecideChallengeState(dati);
    SCOPED_TRACE(std::string(c.n) + " " + c.a + " " + c.d + " " + c.s);
    EXPECT_EQ(Buttons(decision), c.buttons);
    EXPECT_EQ(Actions(decision), c.actions);
    EXPECT_EQ(decision.message, c.message);
  }
}

TEST(MatchPuzzleCodesTest, PiecesAreColumnsAndShortOrMissingOnesLeaveCellsOpen) {
  const auto codes = MatchPuzzleCodes("15001203;0016;;;;;;;1918x");
  EXPECT_EQ(codes[CellIndex(0, 0)], "15");
  EXPECT_EQ(codes[CellIndex(0, 1)], "00");
  EXPECT_EQ(codes[CellIndex(0, 3)], "03");
  EXPECT_EQ(codes[CellIndex(0, 4)], "0");
  EXPECT_EQ(codes[CellIndex(1, 1)], "16");
  EXPECT_EQ(codes[CellIndex(8, 0)], "19");
  EXPECT_EQ(codes[CellIndex(8, 2)], "x");
  EXPECT_EQ(MatchPuzzleCodes("0")[CellIndex(0, 0)], "0");
  EXPECT_EQ(MatchPuzzleCodes("1112")[CellIndex(5, 5)], "0");
}

TEST(OpponentMovesTest, AFilledCellTakesOnlyADigitNewInThisUpdate) {
  Board board;
  board.Texts[0] = "9";  // filled, digit new on the site: taken
  board.Texts[1] = "9";  // filled, digit already there before: kept
  board.Schema[3] = "14";
  DatiSfida dati;
  dati.ultimamossa = "1234";      // cell 2 empty and open: taken; cell 3 a given: left
  dati.mossaprecedente = "0200";  // shorter than 81: the rest reads "0"
  const auto copies = OpponentMoves(board, dati);
  ASSERT_EQ(copies.size(), 2u);
  EXPECT_EQ(copies[0].p, 0);
  EXPECT_EQ(copies[0].digit, "1");
  EXPECT_EQ(copies[1].p, 2);
  EXPECT_EQ(copies[1].digit, "3");

  // Flashed in the finder's colour; a cell without finder takes the other side's.
  const Rgb aqua{0, 255, 255}, darkGreen{0, 128, 0};
  dati.elementotrovatoda = "12";
  EXPECT_EQ(FinderColour(dati, 0, false), aqua);
  EXPECT_EQ(FinderColour(dati, 1, false), darkGreen);
  EXPECT_EQ(FinderColour(dati, 2, true), darkGreen);
  EXPECT_EQ(FinderColour(dati, 80, false), aqua);
}

TEST(BuildMoveReportTest, EachKindOfCell) {
  Board board;
  DatiSfida dati;
  dati.nickname = dati.sfidante = "io";
  dati.soluzione = kSolution;
  dati.ultimamossa = std::string(81, '0');
  dati.elementotrovatoda = std::string(81, '0');
  auto wrongDigit = [](int p) {
    return std::string(1, kSolution[std::size_t(p)] == '1' ? '2' : '1');
  };
  dati.ultimamossa[0] = kSolution[0];  // the site has it and so does the board
  board.Texts[0] = std::string(1, kSolution[0]);
  dati.ultimamossa[1] = kSolution[1];  // the site has it, the board shows another digit
  board.Texts[1] = wrongDigit(1);
  board.Texts[2] = std::string(1, kSolution[2]);      // new and right
  board.Texts[3] = wrongDigit(3);                     // new and wrong
  board.Schema[4] = std::string("1") + kSolution[4];  // an empty given
  dati.ultimamossa[5] = kSolution[5];                 // empty, found by the opponent

  const MoveReport report = BuildMoveReport(board, dati);
  EXPECT_EQ(report.moves,
            kSolution.substr(0, 3) + "0" + kSolution.substr(4, 2) + std::string(75, '0'));
  EXPECT_EQ(report.right, 1);
  EXPECT_EQ(report.wrong, 1);
  EXPECT_EQ(report.filled, 4);
  EXPECT_EQ(report.found, "001" + std::string(78, '0'));
  EXPECT_EQ(report.wrongCells, (std::vector<int>{1, 3}));
  EXPECT_EQ(MoveReportPath("Anna B", report),
            "/sudoku/sfida-online/aggiorna-asusfideincorso.asp?id=Anna%20B;" + report.moves +
                ";1;1;" + report.found + ";4;stop");

  dati.nickname = "tu";  // the challenged user's finds are marked "2"
  EXPECT_EQ(BuildMoveReport(board, dati).found[2], '2');
  dati = DatiSfida{};  // fields missing from the page read "0" at every position
  const MoveReport bare = BuildMoveReport(board, dati);
  EXPECT_EQ(bare.moves.size(), 81u);
  EXPECT_EQ(bare.wrong, 4);
  EXPECT_EQ(bare.found, "0");
}

}  // namespace
}  // namespace sudoku
