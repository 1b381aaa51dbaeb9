// The challenge window over fake panes: watching the challenge, the match, the commands, the
// guard against overlapping requests and the sign-off at close.
#include <gtest/gtest.h>

#include "challenge_fixture.h"

namespace sudoku {
namespace {

using testing::ChallengeFixture;
using testing::Common;
using testing::Elements;
using testing::ShownMessage;

const std::string P = "/sudoku/sfida-online/";
const std::string& kSolution = testing::kSolutionColumns;

// The match puzzle with every third cell open.
bool Open(int p) {
  return p % 3 == 0;
}
std::string Puzzle() {
  std::string text;
  for (int p = 0; p < 81; ++p) {
    if (p > 0 && p % 9 == 0) text += ';';
    text += Open(p) ? std::string("00") : std::string("1") + kSolution[std::size_t(p)];
  }
  return text;
}
// The site's board as the match begins: the givens.
std::string Givens() {
  std::string board = kSolution;
  for (int p = 0; p < 81; ++p)
    if (Open(p)) board[std::size_t(p)] = '0';
  return board;
}

Elements Match(const std::string& n, const std::string& board, const std::string& before,
               const std::string& found, const std::string& forChallenger = "0",
               const std::string& forChallenged = "0", const std::string& solved = "no") {
  return {{"nickname", n},
          {"schemasfida", Puzzle()},
          {"sfidante", "io"},
          {"sfidato", "tu"},
          {"soluzione", kSolution},
          {"ultimamossa", board},
          {"mossaprecedente", before},
          {"elementotrovatoda", found},
          {"bRisolto", solved},
          {"msgxsfidato", forChallenged},
          {"msgxsfidante", forChallenger}};
}

// A window in a match as the challenger "io" (or the challenged user "tu").
void InMatch(ChallengeFixture& f, const std::string& n = "io") {
  f.dataPage.elements = Common(n, "io", "tu", n == "io" ? "corso" : "avvio", Puzzle());
  f.window.TimerOnLoginTimer();
  f.Requests();
  f.effects.fills.clear();
  f.effects.sounds.clear();
}

TEST(PollChallengeStateTest, TheChallengerGeneratesThePuzzleThenPlaysOnceTheMatchRuns) {
  ChallengeFixture f;
  Controls& c = f.game.controls;
  f.dataPage.elements = Common("io", "io", "tu", "attesa");
  f.window.TimerOnLoginTimer();
  const auto requests = f.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0], P + "lettura-dati-sfida.asp?id=R");
  EXPECT_TRUE(requests[1].starts_with(P + "genera-sfida-sudoku.asp?genera="));
  EXPECT_EQ(requests[2], P + "visualizza-dati-sfida.asp?msg=La%20Tua%20sfida%20%C3%A8%20stata%20"
                             "raccolta%20da%20%3Cb%3Etu%3C%2Fb%3E.%3Cbr%3EA%20breve%20avr%C3%A0%20"
                             "inizio...");
  EXPECT_EQ(f.effects.sounds, std::vector{f.base / "noconnect" / "notify.wav"});
  EXPECT_FALSE(c.SBLancia.enabled || c.LanciaSfida.enabled || c.SBAccetta.enabled);
  EXPECT_TRUE(c.SBAbbandona.enabled && c.AbbandonaSfida.enabled);

  f.dataPage.elements = Common("io", "io", "tu", "corso");  // no puzzle yet: try again later
  f.window.TimerOnLoginTimer();
  EXPECT_FALSE(f.game.SfidaInCorso);

  c.TimerOnLogin.enabled = true;
  f.dataPage.elements = Common("io", "io", "tu", "corso", Puzzle());
  f.window.TimerOnLoginTimer();
  EXPECT_TRUE(f.game.SfidaInCorso);
  EXPECT_EQ(f.Requests().back(), P + "visualizza-dati-sfida.asp?msg=%3Cb%3Eio%3C%2Fb%3E%20vs%20"
                                     "%3Cb%3Etu%3C%2Fb%3E%20in%20corso...");
  EXPECT_EQ(f.game.board.Schema[1], "1" + kSolution.substr(1, 1));
  EXPECT_EQ(f.game.board.Schema[3], "00");
  EXPECT_TRUE(c.TimerOnSfida.enabled && c.SBInviaMossa.enabled && c.SBInviaMsg.enabled &&
              c.PSfida.visible);
  EXPECT_FALSE(c.TimerOnLogin.enabled || c.Sudoku1.enabled || c.Opzioni1.enabled);
  EXPECT_EQ(f.WQuillo.stops, 1);
  EXPECT_EQ(f.wbSfida.stops, 0);
}

TEST(PollChallengeStateTest, TheChallengedSideReportsTheStartAndAnAbandonedOneResets) {
  ChallengeFixture f;
  InMatch(f, "tu");
  EXPECT_TRUE(f.game.SfidaInCorso);
  f.dataPage.elements = Common("tu", "io", "tu", "avvio", Puzzle());
  f.game.SfidaInCorso = false;
  f.window.TimerOnLoginTimer();
  EXPECT_EQ(f.Requests(), (std::vector<std::string>{P + "lettura-dati-sfida.asp?id=R",
                                                    P + "avvia-sfida-sudoku.asp",
                                                    P + "visualizza-dati-sfida.asp?msg=%3Cb%3Eio%"
                                                        "3C%2Fb%3E%20vs%20%3Cb%3Etu%3C%2Fb%3E%20in%"
                                                        "20corso..."}));

  f.dataPage.elements = Common("tu", "0", "tu", "0");
  f.window.TimerOnLoginTimer();
  EXPECT_EQ(f.Requests()[1], P + "reset-sfida-sudoku.asp?id=tu;fine;0");
  EXPECT_TRUE(f.game.controls.SBLancia.enabled);
}

TEST(PollChallengeStateTest, AnEmptyNicknameTakesTheProgramOffline) {
  ChallengeFixture f;
  f.game.Connesso = f.game.Registrato = true;
  f.dataPage.elements = {{"nickname", ""}};
  f.window.TimerOnLoginTimer();
  EXPECT_EQ(f.dialogs.OnlyMessage(), "LOGIN errato.\n\rConfigurazione offline.");
  EXPECT_FALSE(f.game.Connesso || f.game.Registrato || f.game.controls.sfida.enabled);
  EXPECT_EQ(f.WQuillo.LastAddress(), f.LocalPage("sudoku.html"));
  EXPECT_EQ(f.Requests().back(), P + "visualizza-dati-sfida.asp?msg=anonimo");
}

TEST(LoadChallengePuzzleTest, AFreshGameWhoseHistoryStartsAtTheGivens) {
  ChallengeFixture f;
  f.game.board.Texts[0] = "7";
  f.game.NumStorico = 5;
  f.game.Storico[3].fill(2);
  f.window.LoadChallengePuzzle(Puzzle());
  EXPECT_EQ(f.game.board.Texts[0], "");
  EXPECT_EQ(f.game.NumStorico, 1);
  EXPECT_EQ(f.game.Storico[1][1], kSolution[1] - '0');
  EXPECT_EQ(f.game.Storico[1][0], 0);
  EXPECT_EQ(f.game.Storico[3][0], 0);
  EXPECT_EQ(f.game.Griglia[1], kSolution[1] - '0');
  EXPECT_EQ(f.game.controls.ECreatore.text, "Admin");
  EXPECT_EQ(f.game.controls.ENumeroSchema.text, "0");
}

TEST(PollMatchTest, TheOpponentsMovesFlashAndAppearAndAMessageShowsOnce) {
  ChallengeFixture f;
  InMatch(f);
  std::string board = Givens(), found(81, '0');
  board[0] = kSolution[0];
  found[0] = '2';
  f.matchPage.elements = Match("io", board, Givens(), found, "ciao #1");
  f.window.TimerOnSfidaTimer();
  f.window.TimerOnSfidaTimer();  // the same message again
  EXPECT_EQ(f.game.board.Texts[0], kSolution.substr(0, 1));
  ASSERT_GE(f.effects.fills.size(), 2u);
  EXPECT_EQ(f.effects.fills[0].colour, (Rgb{0, 128, 0}));
  EXPECT_EQ(f.effects.fills[1].colour, (Rgb{255, 255, 255}));
  EXPECT_EQ(f.effects.pauses.front(), 200);
  const Memo& dialogue = f.game.controls.REDialogo;
  EXPECT_EQ(dialogue.lines, std::vector<std::string>{">tu: ciao #1"});
  EXPECT_EQ(dialogue.indents, std::vector<int>{10});
  EXPECT_EQ(f.effects.sounds.size(), 1u);
  EXPECT_TRUE(f.game.SfidaInCorso);
}

TEST(PollMatchTest, TheEndsOfAMatch) {
  struct Case {
    const char *n, *forChallenger, *forChallenged, *solved, *reset;
    ShownMessage message;
  };
  const BoxKind info = BoxKind::Information, plain = BoxKind::Plain;
  const std::string left = "Spiacente.\n\rio ha abbandonato la partita!";
  const Case cases[] = {
      {"io", "0", "0", "si", "io;fine;1", {info, "Complimenti!\n\rPuzzle Risolto"}},
      {"tu", "0", "Partita Abbandonata", "no", "tu;fine;0", {plain, left}},
      {"io", "FINEGAME", "0", "no", "io;fine;0", {plain, "Complimenti.\n\rSchema concluso!"}},
  };
  for (const Case& c : cases) {
    ChallengeFixture f;
    InMatch(f, c.n);
    f.matchPage.elements = Match(c.n, Givens(), Givens(), std::string(81, '0'), c.forChallenger,
                                 c.forChallenged, c.solved);
    f.window.TimerOnSfidaTimer();
    SCOPED_TRACE(c.reset);
    EXPECT_EQ(f.Requests(), (std::vector<std::string>{P + "lettura-asusfideincorso.asp?id=R",
                                                      P + "reset-sfida-sudoku.asp?id=" + c.reset,
                                                      P + "sudoku-online-classifica.asp"}));
    EXPECT_EQ(f.dialogs.messages, std::vector{c.message});
    EXPECT_EQ(f.effects.pauses.back(), 6000);
    EXPECT_FALSE(f.game.SfidaInCorso || f.game.controls.TimerOnSfida.enabled ||
                 f.game.controls.PSfida.visible || f.game.controls.SBInviaMossa.enabled);
    EXPECT_TRUE(f.game.controls.TimerOnLogin.enabled && f.game.controls.Opzioni1.enabled);
  }
}

TEST(SendMovesTest, RightDigitsCountOnceAndWrongOnesAtEverySend) {
  ChallengeFixture f;
  InMatch(f);
  const std::string solution = kSolution;
  f.game.board.Texts[0] = solution.substr(0, 1);
  f.game.board.Texts[3] = solution[3] == '1' ? "2" : "1";
  f.matchPage.elements = Match("io", Givens(), Givens(), std::string(81, '0'));
  f.window.SBInviaMossaClick();
  auto requests = f.Requests();
  ASSERT_EQ(requests.size(), 3u);
  std::string moves = Givens();
  moves[0] = solution[0];
  std::string found(81, '0');
  found[0] = '1';
  EXPECT_EQ(requests[1],
            P + "aggiorna-asusfideincorso.asp?id=io;" + moves + ";1;1;" + found + ";55;stop");
  EXPECT_EQ(f.effects.fills[0],
            (testing::FilledRect{"sudokugrid", {0, 111, 36, 147}, {255, 0, 0}}));
  EXPECT_EQ(f.effects.pauses, std::vector<int>{300});

  std::string board = Givens();
  board[0] = solution[0];  // the site has the right digit now
  f.matchPage.elements = Match("io", board, board, found);
  f.window.SBInviaMossaClick();
  EXPECT_EQ(f.Requests()[1],
            P + "aggiorna-asusfideincorso.asp?id=io;" + moves + ";0;1;" + found + ";55;stop");
  EXPECT_FALSE(f.game.board.Texts[3].empty());  // the wrong digit stays on the board
}

TEST(SendMessageTest, TheFirst240CharactersGoAsTyped) {
  ChallengeFixture f;
  InMatch(f);
  f.matchPage.elements = Match("io", Givens(), Givens(), std::string(81, '0'));
  f.game.controls.MInviamsgsfida.lines = {"#&;%<b>", std::string(293, 'x')};
  f.window.SBInviaMsgClick();
  const std::string shown = "#&;%<b>" + std::string(233, 'x');
  EXPECT_EQ(f.game.controls.REDialogo.lines, std::vector<std::string>{">io: " + shown});
  EXPECT_EQ(f.game.controls.REDialogo.indents, std::vector<int>{0});
  EXPECT_EQ(f.Requests(),
            (std::vector<std::string>{
                P + "invia-messaggio.asp?id=io;%23%26%3B%25%3Cb%3E" + std::string(233, 'x'),
                P + "lettura-asusfideincorso.asp?id=R"}));
  EXPECT_TRUE(f.game.controls.MInviamsgsfida.lines.empty());
}

TEST(CommandsTest, AcceptWithdrawsTheOwnChallengeAbandonAsksAndTheRankingPauses) {
  ChallengeFixture f;
  Controls& c = f.game.controls;
  f.dataPage.elements = Common("io", "io", "0", "attesa", "0", "2", "attesa");
  f.window.SBLanciaClick();  // the own challenge waits: nothing to launch
  EXPECT_EQ(f.Requests().size(), 2u);

  f.window.AccettaSfidaClick();  // accepting another's withdraws the own one
  auto requests = f.Requests();
  ASSERT_EQ(requests.size(), 6u);
  EXPECT_EQ(requests[2], P + "accetta-sfida.asp");
  EXPECT_EQ(requests[3], P + "annulla-sfida-sfidante.asp");

  f.dialogs.confirmAnswers = {false, true};
  f.window.AbbandonaSfidaClick();
  EXPECT_TRUE(f.Requests().empty());
  c.TimerOnLogin.enabled = false;
  f.window.dati.nickname = "io";
  f.window.SBAbbandonaClick();
  EXPECT_EQ(f.dialogs.confirmations.back(), "Sicuro di voler abbandonare?");
  EXPECT_EQ(f.Requests(), (std::vector<std::string>{P + "reset-sfida-sudoku.asp?id=io;abbandono;0",
                                                    P + "sudoku-online-classifica.asp"}));
  EXPECT_EQ(f.effects.pauses, std::vector<int>{6000});
  EXPECT_TRUE(c.TimerOnLogin.enabled);

  f.window.ClassificaClick();
  EXPECT_EQ(f.Requests(), std::vector<std::string>{P + "sudoku-online-classifica.asp"});
  EXPECT_EQ(f.effects.pauses.back(), 4000);
}

TEST(RequestGuardTest, ATickInsideAWaitIsSkippedAndAClickRunsAfter) {
  ChallengeFixture f;
  f.dataPage.elements = Common("io", "0", "0", "0");
  f.dataPage.loadPolls = 2;
  int fired = 0;
  f.wbSfida.onProcessEvents = [&] {
    if (fired++ > 0) return;
    f.window.TimerOnSfidaTimer();
    f.window.ClassificaClick();
    EXPECT_TRUE(f.window.Busy());
  };
  f.window.TimerOnLoginTimer();
  EXPECT_EQ(f.Requests(), (std::vector<std::string>{P + "lettura-dati-sfida.asp?id=R",
                                                    P + "visualizza-dati-sfida.asp?msg=0",
                                                    P + "sudoku-online-classifica.asp"}));
  EXPECT_FALSE(f.window.Busy());
}

TEST(SignOffTest, ClosingWhileConnectedLeavesTheChallengeSystemThenBlanksThePanes) {
  ChallengeFixture f;
  InMatch(f);
  f.game.Connesso = true;
  f.window.FormClose();
  EXPECT_EQ(f.Requests(), (std::vector<std::string>{P + "reset-sfida-sudoku.asp?id=io;abbandono;0",
                                                    P + "logout.asp?id=io", "about:blank"}));
  EXPECT_FALSE(f.game.SfidaInCorso);
  EXPECT_EQ(f.WQuillo.LastAddress(), "about:blank");
}

TEST(PollMatchTest, APageWithoutBodyEndsThePollAndTheMatchGoesOn) {
  ChallengeFixture f;
  InMatch(f);
  f.matchPage = {"", {}, true, false};
  EXPECT_THROW(f.window.TimerOnSfidaTimer(), BrowserError);
  EXPECT_TRUE(f.game.SfidaInCorso);
  EXPECT_FALSE(f.window.Busy());
}

}  // namespace
}  // namespace sudoku
