// Two players through the challenge pages, as their games drive them: launch, accept, the
// match puzzle, moves from both sides, chat, the end, abandonments and refusals.
#include <gtest/gtest.h>

#include <regex>

#include "site/challenges.h"
#include "site/sessions.h"
#include "site_harness.h"

namespace sudoku::site::testing {
namespace {

const std::string kSfida = "/sudoku/sfida-online/";

class SiteChallenge : public ::testing::Test {
 protected:
  void SetUp() override {
    anna_.SignUp("anna1");
    bruno_.SignUp("bruno1");
  }
  static Answer Data(Browser& who) { return who.Get(kSfida + "lettura-dati-sfida.asp?id=42"); }
  static Answer Match(Browser& who) { return who.Get(kSfida + "lettura-asusfideincorso.asp?id=7"); }
  static Answer Report(Browser& who, const std::string& nick, const std::string& moves,
                       int wrong = 0) {
    return who.Get(kSfida + "aggiorna-asusfideincorso.asp?id=" + nick + ";" + moves + ";0;" +
                   std::to_string(wrong) + ";" + std::string(81, '0') + ";0;stop");
  }
  // Launch by anna, acceptance by bruno, the puzzle from seed, the start.
  void StartMatch(int seed = 123) {
    anna_.Get(kSfida + "lancia-sfida.asp");
    bruno_.Get(kSfida + "accetta-sfida.asp");
    anna_.Get(kSfida + "genera-sfida-sudoku.asp?genera=" + std::to_string(seed));
    bruno_.Get(kSfida + "avvia-sfida-sudoku.asp");
  }

  FakeClock clock_;
  ScratchDir dir_;
  RunningSite site_{dir_ / "site.db", 10, true, [this](SiteOptions& o) { clock_.Install(o); }};
  Browser anna_{site_.Port()}, bruno_{site_.Port()};
};

TEST_F(SiteChallenge, FromLaunchToTheStartOfTheMatch) {
  anna_.Get(kSfida + "lancia-sfida.asp");
  Answer data = Data(anna_);
  EXPECT_EQ(data.Value("miaSuSfida"), "attesa");
  EXPECT_EQ(data.Value("nickname"), "anna1");
  EXPECT_EQ(data.Value("sfidante") + "/" + data.Value("sfidato"), "anna1/0");
  EXPECT_EQ(data.Value("nAttesa") + "/" + data.Value("nCorso"), "1/0");
  EXPECT_EQ(data.Value("nMaxSuSfide"), "20");
  EXPECT_EQ(data.Value("UteSuConnessi"), "2");

  bruno_.Get(kSfida + "accetta-sfida.asp");
  data = Data(bruno_);
  EXPECT_EQ(data.Value("sfidante") + "/" + data.Value("sfidato"), "anna1/bruno1");
  EXPECT_EQ(data.Value("statosfida"), "attesa");
  EXPECT_EQ(data.Value("nAttesa") + "/" + data.Value("nCorso"), "0/1");

  EXPECT_EQ(bruno_.Get(kSfida + "genera-sfida-sudoku.asp?genera=5").Body.find("pronto"),
            std::string::npos);  // only the challenger makes the puzzle
  anna_.Get(kSfida + "genera-sfida-sudoku.asp?genera=123");
  data = Data(bruno_);
  EXPECT_EQ(data.Value("statosfida"), "avvio");
  const std::string puzzle = data.Value("schemasfida");
  ASSERT_EQ(puzzle.size(), 9u * 18 + 8);
  for (int piece = 1; piece < 9; ++piece) EXPECT_EQ(puzzle[std::size_t(piece * 19 - 1)], ';');
  anna_.Get(kSfida + "genera-sfida-sudoku.asp?genera=999");  // too late: the puzzle stays
  EXPECT_EQ(Data(anna_).Value("schemasfida"), puzzle);

  bruno_.Get(kSfida + "avvia-sfida-sudoku.asp");
  EXPECT_EQ(Data(anna_).Value("statosfida"), "corso");
  const Answer match = Match(anna_);
  EXPECT_EQ(match.Value("bRisolto"), "no");
  EXPECT_EQ(match.Value("elementotrovatoda"), std::string(81, '0'));
  // The board starts with the givens, column by column, as the puzzle's codes say.
  const std::string board = match.Value("ultimamossa");
  ASSERT_EQ(board.size(), 81u);
  for (std::size_t p = 0; p < 81; ++p) {
    const std::size_t code = p / 9 * 19 + p % 9 * 2;
    EXPECT_EQ(board[p], puzzle[code] == '1' ? puzzle[code + 1] : '0');
  }
  EXPECT_EQ(match.Value("mossaprecedente"), board);
}

TEST_F(SiteChallenge, SharedBoardCreditsTheFinderAndEndsSolved) {
  StartMatch();
  const Answer start = Match(anna_);
  const std::string solution = start.Value("soluzione");
  std::string board = start.Value("ultimamossa");
  std::vector<std::size_t> open;
  for (std::size_t p = 0; p < 81; ++p)
    if (board[p] == '0') open.push_back(p);

  std::string moves = board;
  moves[open[0]] = solution[open[0]];
  moves[open[1]] = solution[open[1]];
  moves[open[2]] = solution[open[2]] == '9' ? '1' : char(solution[open[2]] + 1);  // wrong
  Report(anna_, "anna1", moves, 1);
  Answer match = Match(bruno_);
  board = match.Value("ultimamossa");
  EXPECT_EQ(board[open[0]], solution[open[0]]);
  EXPECT_EQ(board[open[2]], '0');
  EXPECT_EQ(match.Value("elementotrovatoda")[open[1]], '1');
  EXPECT_EQ(match.Value("mossaprecedente")[open[0]], '0');
  EXPECT_EQ(match.Value("puntisfidanteok") + "/" + match.Value("puntisfidanteko"), "2/1");
  // A cell is new once to each player, however long until the next report.
  EXPECT_EQ(Match(bruno_).Value("mossaprecedente"), board);
  EXPECT_EQ(Match(anna_).Value("mossaprecedente")[open[0]], '0');
  EXPECT_EQ(Match(anna_).Value("mossaprecedente"), board);

  // Bruno reports everything: only the cells still open are his.
  Report(bruno_, "bruno1", solution);
  match = Match(anna_);
  EXPECT_EQ(match.Value("bRisolto"), "si");
  EXPECT_EQ(match.Value("ultimamossa"), solution);
  const std::string found = match.Value("elementotrovatoda");
  EXPECT_EQ(found[open[0]], '1');
  EXPECT_EQ(found[open[2]], '2');
  EXPECT_EQ(match.Value("puntisfidatook"), std::to_string(open.size() - 2));

  const Answer ranking = anna_.Get(kSfida + "sudoku-online-classifica.asp");
  EXPECT_NE(ranking.Body.find("<td>bruno1</td><td>1</td><td>1</td><td>" +
                              std::to_string(open.size() - 2) + "</td><td>0</td>"),
            std::string::npos);
  EXPECT_NE(ranking.Body.find("<td>anna1</td><td>1</td><td>0</td><td>2</td><td>1</td>"),
            std::string::npos);

  anna_.Get(kSfida + "reset-sfida-sudoku.asp?id=anna1;fine;1");
  bruno_.Get(kSfida + "reset-sfida-sudoku.asp?id=bruno1;fine;1");
  EXPECT_EQ(Data(anna_).Value("miaSuSfida"), "chiusa");
  EXPECT_EQ(Data(bruno_).Value("sfidante"), "0");
  EXPECT_EQ(Data(bruno_).Value("nCorso"), "0");
}

TEST_F(SiteChallenge, MessagesReachTheOtherPlayerEscaped) {
  StartMatch();
  anna_.Get(kSfida + "invia-messaggio.asp?id=anna1;ciao%3B%20<script>alert(1)</script>");
  const Answer match = Match(bruno_);
  EXPECT_EQ(match.Value("msgxsfidato"), "ciao; &lt;script&gt;alert(1)&lt;/script&gt;");
  EXPECT_EQ(match.Value("msgxsfidante"), "0");
  EXPECT_EQ(match.Body.find("<script>"), std::string::npos);

  bruno_.Get(kSfida + "invia-messaggio.asp?id=bruno1;a;b");  // an unescaped ";" too
  EXPECT_EQ(Match(anna_).Value("msgxsfidante"), "a;b");
  bruno_.Get(kSfida + "invia-messaggio.asp?id=bruno1;tu%20&%20io=noi");  // and an "&"
  EXPECT_EQ(Match(anna_).Value("msgxsfidante"), "tu &amp; io=noi");
  // A chat line must never pass for the end of the match.
  bruno_.Get(kSfida + "invia-messaggio.asp?id=bruno1;Partita%20abbandonata");
  EXPECT_EQ(Match(anna_).Value("msgxsfidante"), "tu &amp; io=noi");
  bruno_.Get(kSfida + "invia-messaggio.asp?id=bruno1;" + std::string(300, 'x'));
  EXPECT_EQ(Match(anna_).Value("msgxsfidante"), std::string(240, 'x'));
  std::string accented;  // 240 characters as the game counts them, 250 bytes
  for (int k = 0; k < 240; ++k) accented += k % 24 == 0 ? "%C3%A8" : "y";
  bruno_.Get(kSfida + "invia-messaggio.asp?id=bruno1;" + accented + "zz");
  EXPECT_EQ(Match(anna_).Value("msgxsfidante").size(), 250u);

  const Answer status = anna_.Get(kSfida +
                                  "visualizza-dati-sfida.asp?msg=%3Cb%3Eanna1%3C/b%3E%20vs%20"
                                  "%3Cb%3Ebruno1%3C/b%3E<br><img%20src=x>");
  EXPECT_NE(status.Body.find("<b>anna1</b> vs <b>bruno1</b><br>&lt;img src=x&gt;"),
            std::string::npos);
}

TEST_F(SiteChallenge, AbandoningBeforeTheStart) {
  // The challenger leaves: the challenged user is left without a challenger, and told so on the
  // match page, which a game that has just started the match reads next.
  anna_.Get(kSfida + "lancia-sfida.asp");
  bruno_.Get(kSfida + "accetta-sfida.asp");
  anna_.Get(kSfida + "genera-sfida-sudoku.asp?genera=8");
  anna_.Get(kSfida + "reset-sfida-sudoku.asp?id=anna1;abbandono;0");
  Answer data = Data(bruno_);
  EXPECT_EQ(data.Value("sfidante") + "/" + data.Value("sfidato"), "0/bruno1");
  EXPECT_EQ(Match(bruno_).Value("msgxsfidato"), "partita abbandonata");
  EXPECT_EQ(Data(anna_).Value("miaSuSfida"), "chiusa");
  bruno_.Get(kSfida + "reset-sfida-sudoku.asp?id=bruno1;fine;0");
  EXPECT_EQ(Data(bruno_).Value("miaSuSfida"), "chiusa");

  // The challenged user leaves: the challenge waits for someone else.
  anna_.Get(kSfida + "lancia-sfida.asp");
  bruno_.Get(kSfida + "accetta-sfida.asp");
  anna_.Get(kSfida + "genera-sfida-sudoku.asp?genera=3");
  bruno_.Get(kSfida + "reset-sfida-sudoku.asp?id=bruno1;abbandono;0");
  data = Data(anna_);
  EXPECT_EQ(data.Value("statosfida") + "/" + data.Value("sfidato"), "attesa/0");
  EXPECT_EQ(data.Value("schemasfida"), "0");
  EXPECT_EQ(data.Value("nAttesa"), "1");
}

TEST_F(SiteChallenge, AbandoningDuringTheMatch) {
  StartMatch();
  anna_.Get(kSfida + "reset-sfida-sudoku.asp?id=anna1;abbandono;0");
  EXPECT_EQ(Match(bruno_).Value("msgxsfidato"), "partita abbandonata");
  EXPECT_EQ(Data(anna_).Value("miaSuSfida"), "chiusa");
  bruno_.Get(kSfida + "reset-sfida-sudoku.asp?id=bruno1;fine;0");
  EXPECT_NE(bruno_.Get(kSfida + "sudoku-online-classifica.asp")
                .Body.find("<td>bruno1</td><td>1</td><td>1</td>"),
            std::string::npos);
}

TEST_F(SiteChallenge, AcceptingWhileTheOwnChallengeWaits) {
  Browser carla(site_.Port());
  carla.SignUp("carla1");
  carla.Get(kSfida + "lancia-sfida.asp");
  anna_.Get(kSfida + "lancia-sfida.asp");
  EXPECT_EQ(Data(anna_).Value("nAttesa"), "2");
  anna_.Get(kSfida + "accetta-sfida.asp");  // the oldest: carla's
  anna_.Get(kSfida + "annulla-sfida-sfidante.asp");
  const Answer data = Data(anna_);
  EXPECT_EQ(data.Value("sfidante") + "/" + data.Value("sfidato"), "carla1/anna1");
  EXPECT_EQ(data.Value("nAttesa") + "/" + data.Value("nCorso"), "0/1");
  // The same seed makes the same puzzle in another match.
  carla.Get(kSfida + "genera-sfida-sudoku.asp?genera=77");
  const std::string puzzle = Data(anna_).Value("schemasfida");
  bruno_.Get(kSfida + "lancia-sfida.asp");
  Browser dario(site_.Port());
  dario.SignUp("dario1");
  dario.Get(kSfida + "accetta-sfida.asp");
  bruno_.Get(kSfida + "genera-sfida-sudoku.asp?genera=77");
  EXPECT_EQ(Data(dario).Value("schemasfida"), puzzle);
}

TEST_F(SiteChallenge, RequestsAreCheckedBeforeAnythingChanges) {
  StartMatch();
  Browser guest(site_.Port());
  EXPECT_EQ(guest.Get(kSfida + "lancia-sfida.asp").Status, 403);
  EXPECT_EQ(Report(anna_, "bruno1", std::string(81, '1')).Status, 403);
  EXPECT_EQ(anna_.Get(kSfida + "invia-messaggio.asp?id=bruno1;ciao").Status, 403);
  EXPECT_EQ(anna_.Get(kSfida + "logout.asp?id=bruno1").Status, 403);
  EXPECT_EQ(Report(anna_, "anna1", std::string(80, '1')).Status, 400);
  EXPECT_EQ(Report(anna_, "anna1", std::string(80, '1') + "x").Status, 400);
  EXPECT_EQ(anna_
                .Get(kSfida + "aggiorna-asusfideincorso.asp?id=anna1;" + std::string(81, '0') +
                     ";x;0;0;0;stop")
                .Status,
            400);
  EXPECT_EQ(anna_.Get(kSfida + "aggiorna-asusfideincorso.asp").Status, 400);
  EXPECT_EQ(anna_.Get(kSfida + "reset-sfida-sudoku.asp?id=anna1;boh;0").Status, 400);
  EXPECT_EQ(anna_.Get(kSfida + "genera-sfida-sudoku.asp?genera=-4").Status, 400);
  EXPECT_EQ(Data(bruno_).Value("statosfida"), "corso");
}

TEST_F(SiteChallenge, NicknameTellsAnonymousVisitorsFromLostSessions) {
  // An anonymous game reads its challenge state too, and must not take itself for a failed login.
  Browser guest(site_.Port());
  EXPECT_EQ(Data(guest).Value("nickname"), "anonimo");
  EXPECT_EQ(Data(guest).Value("nMaxSuSfide"), "0");  // so no launch or accept is offered
  EXPECT_EQ(Match(guest).Value("nickname"), "anonimo");
  CloseSessionsOf(site_.Inner().Store(), "anna1");
  EXPECT_EQ(Data(anna_).Value("nickname"), "");
  bruno_.Get(kSfida + "logout.asp?id=bruno1");
  EXPECT_EQ(Data(bruno_).Value("nickname"), "anonimo");
}

TEST_F(SiteChallenge, VanishedPlayersLeaveNothingBehind) {
  anna_.Get(kSfida + "lancia-sfida.asp");
  clock_.Advance(kWaitingLife);
  EXPECT_EQ(Data(bruno_).Value("nAttesa"), "1");
  clock_.Advance(1);
  EXPECT_EQ(Data(bruno_).Value("nAttesa"), "0");  // anna read no challenge page for too long
  EXPECT_NE(bruno_.Get(kSfida + "accetta-sfida.asp").Body.find("Nessuna sfida in attesa"),
            std::string::npos);

  StartMatch();
  clock_.Advance(kMatchLife - 100);
  Match(anna_);  // bruno's game is gone; anna's keeps reading
  clock_.Advance(100);
  EXPECT_EQ(Data(anna_).Value("nCorso"), "1");
  clock_.Advance(1);
  const Answer match = Match(anna_);
  EXPECT_EQ(match.Value("miaSuSfida"), "finita");
  EXPECT_EQ(match.Value("msgxsfidante"), "partita abbandonata");
  EXPECT_EQ(Data(anna_).Value("nCorso"), "0");
}

TEST_F(SiteChallenge, ChatWithControlsOrBrokenUtf8IsRefusedUnstored) {
  StartMatch();
  for (const char* text : {"ciao%00", "a%0D%0Ab", "%1B[31m", "%C0%AF", "%ED%A0%80", "caff%E8"})
    EXPECT_EQ(anna_.Get(kSfida + "invia-messaggio.asp?id=anna1;" + text).Status, 400) << text;
  EXPECT_EQ(Match(bruno_).Value("msgxsfidato"), "0");
  anna_.Get(kSfida + "invia-messaggio.asp?id=anna1;caff%C3%A8%20&%20te");
  EXPECT_EQ(Match(bruno_).Value("msgxsfidato"), "caff\u00e8 &amp; te");
}

TEST_F(SiteChallenge, LobbyLinksKeepSudokuInTheTitle) {
  const Answer lobby = anna_.Get(kSfida + "sudoku-space.asp?who=anna1");
  EXPECT_NE(lobby.Title().find("sudoku"), std::string::npos);
  const std::regex link("href=\"([^\"]+)\"");
  int links = 0;
  for (auto at = std::sregex_iterator(lobby.Body.begin(), lobby.Body.end(), link);
       at != std::sregex_iterator(); ++at, ++links)
    EXPECT_NE(anna_.Get((*at)[1]).Title().find("sudoku"), std::string::npos) << (*at)[1];
  EXPECT_GT(links, 0);
}

}  // namespace
}  // namespace sudoku::site::testing
