// The challenge: the pure rules (reading the data pages, the challenge table, the match puzzle,
// the opponent's moves, the move report), then the window over fake panes (watching the
// challenge, the match, the commands, the sign-off at close and the request guard).
#include <gtest/gtest.h>

#include "challenge/challenge_requests.h"
#include "challenge/challenge_state.h"
#include "challenge/challenge_window.h"
#include "challenge/match_board.h"
#include "online/main_window_fixture.h"
#include "play/board_strings.h"

namespace sudoku {
namespace {

using testing::FakeBrowserPane;
using testing::FakePage;
using testing::ShownMessage;
using Elements = std::vector<std::pair<std::string, std::string>>;

const std::string P = "/sudoku/sfida-online/";
// A solved grid as the challenge pages write it: column by column.
const std::string kSolution = [] {
  std::string columns;
  for (int col = 0; col < 9; ++col)
    for (int row = 0; row < 9; ++row) columns += testing::At(testing::kSolved, col, row);
  return columns;
}();

TEST(ReadChallengePageTest, ReadsOneSectionsFieldsWithDefaultsAndStopsAtAnError) {
  FakeBrowserPane pane;
  pane.pages["p"] = {"", {{"nickname", "anna"}, {"nAttesa", " 3"}, {"soluzione", "123"}}};
  pane.pages["bad"] = {"", {{"nickname", "bea"}, {"nAttesa", "x"}, {"nCorso", "4"}}};
  pane.pages["large"] = {"", {{"UteSuConnessi", "2147483648"}}};
  pane.Navigate("p");
  DatiSfida dati;
  dati.sfidato = dati.miaSuSfida = "old";
  dati.nCorso = 7;
  ReadChallengePage(pane, "comuni", dati);
  ReadChallengePage(pane, "other", dati);
  EXPECT_EQ(dati.nickname + dati.sfidato + dati.miaSuSfida + dati.soluzione, "anna0chiusa0");
  EXPECT_EQ(std::pair(dati.nAttesa, dati.nCorso), std::pair(3, 0));
  ReadChallengePage(pane, "asusfideincorso", dati);
  EXPECT_EQ(dati.soluzione, "123");

  pane.Navigate("bad");
  EXPECT_THROW(ReadChallengePage(pane, "comuni", dati), BrowserError);
  EXPECT_EQ(std::pair(dati.nickname, dati.nCorso), std::pair(std::string("bea"), 0));
  pane.Navigate("large");
  EXPECT_THROW(ReadChallengePage(pane, "comuni", dati), BrowserError);
}

TEST(DecideChallengeStateTest, EveryRowOfTheTable) {
  struct Case {
    const char *n, *a, *d, *s;
    int attesa, corso;
    // Launch, accept, abandon as "+" on, "-" off, "=" unchanged, then the actions: N(otify),
    // G(enerate), E(nter the match), S(tart it), R(eset); and the message.
    const char *decision, *message;
  };
  const char* starting =
      "La Tua sfida \xE8 stata raccolta da <b>tu</b>.<br>A breve avr\xE0 inizio...";
  const char* running = "<b>io</b> vs <b>tu</b> in corso...";
  const char* waiting = "La Tua sfida \xE8 in attesa di essere accolta.";
  const Case cases[] = {
      {"io", "0", "0", "0", 0, 0, "+--.....", "0"},
      {"io", "0", "0", "0", 10, 0, "-+-.....", "0"},
      {"io", "0", "0", "0", 3, 20, "---.....", "0"},
      {"io", "io", "0", "attesa", 1, 0, "--+.....", waiting},
      {"io", "io", "0", "attesa", 2, 0, "-++.....", waiting},
      {"io", "io", "0", "attesa", 2, 20, "--+.....", waiting},
      {"io", "io", "tu", "attesa", 0, 1, "--+NG...", starting},
      {"io", "io", "tu", "avvio", 0, 1, "--+.....", starting},
      {"io", "io", "tu", "corso", 0, 1, "--+..E..", running},
      {"tu", "io", "tu", "attesa", 0, 1, "--+.....",
       "Bene <b>tu</b> hai accettato la sfida lanciata da <b>io</b><br>A breve avr\xE0 inizio..."},
      {"tu", "io", "tu", "avvio", 0, 1, "--+..ES.", running},
      {"tu", "0", "tu", "0", 0, 0, "+=-....R",
       "Spiacente.<br>L'altro concorrente ha abbandonato la sfida."},
      {"lui", "io", "tu", "corso", 0, 1, "===.....", "0"},
  };
  for (const Case& c : cases) {
    const DatiSfida dati{.nickname = c.n,
                         .nAttesa = c.attesa,
                         .nCorso = c.corso,
                         .nMaxSuSfide = 20,
                         .sfidante = c.a,
                         .sfidato = c.d,
                         .statosfida = c.s};
    const ChallengeDecision d = DecideChallengeState(dati);
    std::string got;
    for (Switch s : {d.launch, d.accept, d.abandon})
      got += s == Switch::On ? '+' : s == Switch::Off ? '-' : '=';
    const bool actions[] = {d.notify, d.generate, d.enterMatch, d.startMatch, d.reset};
    for (int i = 0; i < 5; ++i) got += actions[i] ? "NGESR"[i] : '.';
    EXPECT_EQ(got + " " + d.message, std::string(c.decision) + " " + c.message)
        << c.n << " " << c.a << " " << c.d << " " << c.s;
  }
}

TEST(MatchBoardTest, PuzzlePiecesOpponentMovesAndFinderColours) {
  const auto codes = MatchPuzzleCodes("15001203;0016;;;;;;;1918x");  // short pieces leave "0"
  EXPECT_EQ(codes[CellIndex(0, 0)] + codes[CellIndex(0, 1)] + codes[CellIndex(0, 3)], "150003");
  EXPECT_EQ(codes[CellIndex(0, 4)] + codes[CellIndex(1, 1)] + codes[CellIndex(8, 2)], "016x");
  EXPECT_EQ(MatchPuzzleCodes("1112")[CellIndex(5, 5)], "0");

  Board board;
  board.Texts[0] = "9";  // filled, digit new on the site: taken
  board.Texts[1] = "9";  // filled, digit already there before: kept
  board.Schema[3] = "14";
  DatiSfida dati;
  dati.ultimamossa = "1234";      // cell 2 empty and open: taken; cell 3 a given: left
  dati.mossaprecedente = "0200";  // shorter than 81: the rest reads "0"
  std::string copies;
  for (const CellCopy& copy : OpponentMoves(board, dati))
    copies += std::to_string(copy.p) + ":" + copy.digit + " ";
  EXPECT_EQ(copies, "0:1 2:3 ");

  // Flashed in the finder's colour; a cell without finder takes the other side's.
  const Rgb aqua{0, 255, 255}, darkGreen{0, 128, 0};
  dati.elementotrovatoda = "12";
  EXPECT_EQ((std::vector{FinderColour(dati, 0, false), FinderColour(dati, 1, false),
                         FinderColour(dati, 2, true), FinderColour(dati, 80, false)}),
            (std::vector{aqua, darkGreen, darkGreen, aqua}));
}

TEST(BuildMoveReportTest, EachKindOfCell) {
  Board board;
  DatiSfida dati;
  dati.nickname = dati.sfidante = "io";
  dati.soluzione = kSolution;
  dati.ultimamossa = dati.elementotrovatoda = std::string(81, '0');
  auto digit = [](int p, bool right) {
    const char d = kSolution[std::size_t(p)];
    return std::string(1, right ? d : d == '1' ? '2' : '1');
  };
  dati.ultimamossa[0] = kSolution[0];  // the site has it and so does the board
  board.Texts[0] = digit(0, true);
  dati.ultimamossa[1] = kSolution[1];  // the site has it, the board shows another digit
  board.Texts[1] = digit(1, false);
  board.Texts[2] = digit(2, true);         // new and right
  board.Texts[3] = digit(3, false);        // new and wrong
  board.Schema[4] = "1" + digit(4, true);  // an empty given
  dati.ultimamossa[5] = kSolution[5];      // empty, found by the opponent

  const MoveReport report = BuildMoveReport(board, dati);
  EXPECT_EQ(report.wrongCells, (std::vector<int>{1, 3}));
  EXPECT_EQ(MoveReportPath("Anna B", report), P + "aggiorna-asusfideincorso.asp?id=Anna%20B;" +
                                                  kSolution.substr(0, 3) + "0" +
                                                  kSolution.substr(4, 2) + std::string(75, '0') +
                                                  ";1;1;001" + std::string(78, '0') + ";4;stop");
  dati.nickname = "tu";  // the challenged user's finds are marked "2"
  EXPECT_EQ(BuildMoveReport(board, dati).found[2], '2');
  dati = DatiSfida{};  // fields missing from the page read "0" at every position
  const MoveReport bare = BuildMoveReport(board, dati);
  EXPECT_EQ(bare.moves.size(), 81u);
  EXPECT_EQ(bare.wrong, 4);
  EXPECT_EQ(bare.found, "0");
}

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

// The "comuni" fields of a data page.
Elements Common(const std::string& n, const std::string& a, const std::string& d,
                const std::string& s, const std::string& puzzle = "0",
                const std::string& attesa = "0", const std::string& mia = "chiusa") {
  return {{"miaSuSfida", mia}, {"nickname", n},         {"nAttesa", attesa},
          {"nCorso", "0"},     {"schemasfida", puzzle}, {"sfidante", a},
          {"sfidato", d},      {"statosfida", s},       {"nMaxSuSfide", "20"}};
}

// The match page of the challenger "io" against "tu".
Elements Match(const std::string& board, const std::string& before, const std::string& found,
               const std::string& forChallenger = "0", const std::string& solved = "no") {
  return {{"nickname", "io"},          {"schemasfida", Puzzle()},
          {"sfidante", "io"},          {"sfidato", "tu"},
          {"soluzione", kSolution},    {"ultimamossa", board},
          {"mossaprecedente", before}, {"elementotrovatoda", found},
          {"bRisolto", solved},        {"msgxsfidante", forChallenger}};
}

// A challenge window whose challenge pane answers the two data pages from pages the test sets,
// whatever cache-defeating number the address carries.
struct ChallengeFixture : testing::MainWindowFixture<ChallengeWindow> {
  FakePage dataPage, matchPage;

  ChallengeFixture() {
    wbSfida.serve = [this](const std::string& address) {
      if (address.find("lettura-dati-sfida.asp?id=") != std::string::npos) return dataPage;
      if (address.find("lettura-asusfideincorso.asp?id=") != std::string::npos) return matchPage;
      return FakePage{};
    };
  }
  // The challenge pane's requests since the last call, as paths, those of the challenge folder
  // relative to it, the data pages' numbers as "R".
  std::vector<std::string> Requests() {
    std::vector<std::string> paths;
    for (std::size_t i = seen; i < wbSfida.navigations.size(); ++i) {
      std::string path = wbSfida.navigations[i].first;
      if (path.starts_with(testing::kSite + P)) path = path.substr((testing::kSite + P).size());
      if (path.starts_with("lettura-")) path = path.substr(0, path.find("=") + 1) + "R";
      paths.push_back(path);
    }
    seen = wbSfida.navigations.size();
    return paths;
  }
  // A tick of the challenge watch over a data page of these elements.
  void Poll(const Elements& data) {
    dataPage.elements = data;
    window.TimerOnLoginTimer();
  }
  // In a match as the challenger "io".
  void InMatch() {
    Poll(Common("io", "io", "tu", "corso", Puzzle()));
    Requests();
    effects.fills.clear();
    effects.sounds.clear();
  }
  std::size_t seen = 0;
};

TEST(PollChallengeStateTest, TheChallengerGeneratesThePuzzleThenPlaysOnceTheMatchRuns) {
  ChallengeFixture f;
  Controls& c = f.game.controls;
  f.Poll(Common("io", "io", "tu", "attesa"));
  EXPECT_TRUE(f.Requests().at(1).starts_with("genera-sfida-sudoku.asp?genera="));
  EXPECT_EQ(f.effects.sounds, std::vector{f.base / "noconnect" / "notify.wav"});
  EXPECT_FALSE(c.SBLancia.enabled || c.LanciaSfida.enabled || c.SBAccetta.enabled);
  EXPECT_TRUE(c.SBAbbandona.enabled && c.AbbandonaSfida.enabled);

  f.Poll(Common("io", "io", "tu", "corso"));  // no puzzle yet: try again later
  EXPECT_FALSE(f.game.SfidaInCorso);

  c.TimerOnLogin.enabled = true;
  f.game.board.Texts[0] = "7";
  Snapshot twos;
  twos.fill(2);
  for (int i = 0; i < 5; ++i) f.game.Storico.Push(twos, {});
  f.Poll(Common("io", "io", "tu", "corso", Puzzle()));  // a fresh game, history at the givens
  EXPECT_TRUE(f.game.SfidaInCorso);
  EXPECT_EQ(f.game.board.Texts[0], "");
  EXPECT_EQ(f.game.Storico.NumStorico(), 1);
  EXPECT_EQ(f.game.Storico.Values(1)[1], kSolution[1] - '0');
  EXPECT_EQ(f.game.Storico.Values(1)[0] + f.game.Storico.Values(3)[0], 0);
  EXPECT_EQ(f.game.board.Schema[1], "1" + kSolution.substr(1, 1));
  EXPECT_TRUE(c.TimerOnSfida.enabled && c.SBInviaMossa.enabled && c.PSfida.visible);
  EXPECT_FALSE(c.TimerOnLogin.enabled || c.Sudoku1.enabled || c.Opzioni1.enabled);
  EXPECT_EQ(std::pair(f.WQuillo.stops, f.wbSfida.stops), std::pair(1, 0));

  f.game.board.Texts[3] = "7";  // a match being played is never loaded again
  f.window.TimerOnLoginTimer();
  EXPECT_EQ(f.game.board.Texts[3], "7");
}

TEST(PollChallengeStateTest, AnAbandonedChallengeResetsAndNoNameGoesOffline) {
  ChallengeFixture f;
  f.Poll(Common("tu", "0", "tu", "0"));
  EXPECT_EQ(f.Requests()[1], "reset-sfida-sudoku.asp?id=tu;fine;0");
  EXPECT_TRUE(f.game.controls.SBLancia.enabled);

  f.window.connection.Connesso = f.window.connection.Registrato = true;
  f.Poll({{"nickname", ""}});
  EXPECT_EQ(f.dialogs.OnlyMessage(), "LOGIN errato.\n\rConfigurazione offline.");
  EXPECT_FALSE(f.window.connection.Connesso || f.window.connection.Registrato ||
               f.game.controls.sfida.enabled);
  EXPECT_EQ(f.WQuillo.LastAddress(), f.LocalPage("sudoku.html"));
  EXPECT_EQ(f.Requests().back(), "visualizza-dati-sfida.asp?msg=anonimo");
}

TEST(PollMatchTest, TheOpponentsMovesFlashAndAppearAndAMessageShowsOnce) {
  ChallengeFixture f;
  f.InMatch();
  std::string board = Givens(), found(81, '0');
  board[0] = kSolution[0];
  found[0] = '2';
  f.matchPage.elements = Match(board, Givens(), found, "ciao #1");
  f.window.TimerOnSfidaTimer();
  f.window.TimerOnSfidaTimer();  // the same message again
  EXPECT_EQ(f.game.board.Texts[0], kSolution.substr(0, 1));
  ASSERT_GE(f.effects.fills.size(), 2u);
  EXPECT_EQ(f.effects.fills[0].colour, (Rgb{0, 128, 0}));
  EXPECT_EQ(f.effects.fills[1].colour, (Rgb{255, 255, 255}));
  EXPECT_EQ(f.effects.pauses.front(), 200);
  EXPECT_EQ(f.game.controls.REDialogo.lines, std::vector<std::string>{">tu: ciao #1"});
  EXPECT_EQ(f.game.controls.REDialogo.indents, std::vector<int>{10});
  EXPECT_EQ(f.effects.sounds.size(), 1u);
}

TEST(PollMatchTest, TheEndsOfAMatchAndAPageWithoutBody) {
  struct Case {  // the abandoned match is the end-to-end ChallengeTest's
    const char *forChallenger, *solved, *reset;
    ShownMessage message;
  };
  const Case cases[] = {
      {"0", "si", "io;fine;1", {BoxKind::Information, "Complimenti!\n\rPuzzle Risolto"}},
      {"FINEGAME", "no", "io;fine;0", {BoxKind::Plain, "Complimenti.\n\rSchema concluso!"}},
  };
  for (const Case& c : cases) {
    ChallengeFixture f;
    f.InMatch();
    f.matchPage.elements =
        Match(Givens(), Givens(), std::string(81, '0'), c.forChallenger, c.solved);
    f.window.TimerOnSfidaTimer();
    SCOPED_TRACE(c.reset);
    EXPECT_EQ(f.Requests(),
              (std::vector<std::string>{"lettura-asusfideincorso.asp?id=R",
                                        "reset-sfida-sudoku.asp?id=" + std::string(c.reset),
                                        "sudoku-online-classifica.asp"}));
    EXPECT_EQ(f.dialogs.messages, std::vector{c.message});
    EXPECT_FALSE(f.game.SfidaInCorso || f.game.controls.PSfida.visible);
  }

  ChallengeFixture f;  // a page that cannot be read: quietly, the next tick tries again
  f.InMatch();
  f.matchPage = {"", {}, true, false};
  f.window.TimerOnSfidaTimer();
  f.matchPage.html = false;
  f.window.TimerOnSfidaTimer();
  EXPECT_TRUE(f.dialogs.messages.empty());
  EXPECT_TRUE(f.game.SfidaInCorso);
  EXPECT_FALSE(f.window.Busy());
}

TEST(SendTest, MovesFlashTheWrongCellsAndAMessageGoesCutAt240Characters) {
  ChallengeFixture f;
  f.InMatch();
  f.game.board.Texts[0] = kSolution.substr(0, 1);
  f.game.board.Texts[3] = kSolution[3] == '1' ? "2" : "1";
  f.matchPage.elements = Match(Givens(), Givens(), std::string(81, '0'));
  f.window.SBInviaMossaClick();
  EXPECT_TRUE(f.Requests().at(1).ends_with(";1;1;1" + std::string(80, '0') + ";55;stop"));
  EXPECT_EQ(f.effects.fills.at(0),
            (testing::FilledRect{"sudokugrid", {0, 111, 36, 147}, {255, 0, 0}}));
  EXPECT_EQ(f.effects.pauses, std::vector<int>{300});

  // The chat is UTF-8 throughout: "\xE2\x82\xAC" is one character of the 240.
  f.game.controls.MInviamsgsfida.lines = {"5\xE2\x82\xAC#&;%<b>",
                                          std::string(293, 'x') + "\xC3\xA8"};
  f.window.SBInviaMsgClick();
  const std::string shown = "5\xE2\x82\xAC#&;%<b>" + std::string(231, 'x');
  EXPECT_EQ(f.game.controls.REDialogo.lines, std::vector<std::string>{">io: " + shown});
  EXPECT_EQ(f.game.controls.REDialogo.indents, std::vector<int>{0});
  EXPECT_EQ(f.Requests(),
            (std::vector<std::string>{
                "invia-messaggio.asp?id=io;5%E2%82%AC%23%26%3B%25%3Cb%3E" + std::string(231, 'x'),
                "lettura-asusfideincorso.asp?id=R"}));
  EXPECT_TRUE(f.game.controls.MInviamsgsfida.lines.empty());
}

TEST(CommandsTest, AcceptWithdrawsTheOwnChallengeAbandonAsksTheRankingPausesCloseSignsOff) {
  ChallengeFixture f;
  Controls& c = f.game.controls;
  f.dataPage.elements = Common("io", "io", "0", "attesa", "0", "2", "attesa");
  f.window.SBLanciaClick();  // the own challenge waits: nothing to launch
  EXPECT_EQ(f.Requests().size(), 2u);

  f.window.AccettaSfidaClick();  // accepting another's withdraws the own one
  const auto requests = f.Requests();
  ASSERT_EQ(requests.size(), 6u);
  EXPECT_EQ(requests[2], "accetta-sfida.asp");
  EXPECT_EQ(requests[3], "annulla-sfida-sfidante.asp");

  f.dialogs.confirmAnswers = {false, true};
  f.window.AbbandonaSfidaClick();
  EXPECT_TRUE(f.Requests().empty());
  c.TimerOnLogin.enabled = false;
  f.window.dati.nickname = "io";
  f.window.SBAbbandonaClick();
  EXPECT_EQ(f.dialogs.confirmations.back(), "Sicuro di voler abbandonare?");
  EXPECT_EQ(f.Requests().at(0), "reset-sfida-sudoku.asp?id=io;abbandono;0");
  EXPECT_TRUE(c.TimerOnLogin.enabled);

  f.window.ClassificaClick();
  EXPECT_EQ(f.Requests(), std::vector<std::string>{"sudoku-online-classifica.asp"});
  EXPECT_EQ(f.effects.pauses.back(), 4000);

  f.InMatch();  // closing while connected leaves the challenge system, then blanks the panes
  f.window.connection.Connesso = true;
  f.window.FormClose();
  EXPECT_EQ(f.Requests(), (std::vector<std::string>{"reset-sfida-sudoku.asp?id=io;abbandono;0",
                                                    "logout.asp?id=io", "about:blank"}));
  EXPECT_FALSE(f.game.SfidaInCorso);
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
  EXPECT_EQ(f.Requests(), (std::vector<std::string>{"lettura-dati-sfida.asp?id=R",
                                                    "visualizza-dati-sfida.asp?msg=0",
                                                    "sudoku-online-classifica.asp"}));
  EXPECT_FALSE(f.window.Busy());

  // Closing inside a poll's wait signs off at once; the poll then stops, and so does the click
  // queued behind it.
  fired = 0;
  f.window.connection.Connesso = true;
  f.window.dati.nickname = "io";
  f.wbSfida.onProcessEvents = [&] {
    if (fired++ > 0) return;
    f.window.ClassificaClick();
    f.window.FormClose();
  };
  f.window.TimerOnLoginTimer();
  EXPECT_EQ(f.Requests(), (std::vector<std::string>{"lettura-dati-sfida.asp?id=R",
                                                    "reset-sfida-sudoku.asp?id=io;abbandono;0",
                                                    "logout.asp?id=io", "about:blank"}));
  EXPECT_FALSE(f.window.Busy());
}

}  // namespace
}  // namespace sudoku
