// Two players through the challenge pages, as their games drive them: the counts and states
// of launch, accept and start, the shared board's credits, chat, abandonments, refusals and
// timeouts. A whole match with chat as the game plays it is e2e ChallengeTest's.
#include <gtest/gtest.h>

#include <regex>

#include "site/sessions.h"
#include "site_harness.h"

namespace sudoku::site::testing {
namespace {

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
  static Answer Say(Browser& who, const std::string& nick, const std::string& text) {
    return who.Get(kSfida + "invia-messaggio.asp?id=" + nick + ";" + text);
  }
  // The values of the hidden elements named, joined by "/".
  static std::string Values(const Answer& data, std::initializer_list<const char*> ids) {
    std::string joined;
    for (const char* id : ids) joined += (joined.empty() ? "" : "/") + data.Value(id);
    return joined;
  }
  // Launch by anna, acceptance by bruno, the puzzle (by anna unless stated), the start.
  void StartMatch(bool start = true) {
    anna_.Get(kSfida + "lancia-sfida.asp");
    bruno_.Get(kSfida + "accetta-sfida.asp");
    anna_.Get(kSfida + "genera-sfida-sudoku.asp?genera=123");
    if (start) bruno_.Get(kSfida + "avvia-sfida-sudoku.asp");
  }

  FakeClock clock_;
  ScratchDir dir_;
  RunningSite site_{dir_ / "site.db", 10, true, [this](SiteOptions& o) { clock_.Install(o); }};
  Browser anna_{site_.Port()}, bruno_{site_.Port()};
};

TEST_F(SiteChallenge, FromLaunchToTheStartOfTheMatch) {
  anna_.Get(kSfida + "lancia-sfida.asp");
  Answer data = Data(anna_);
  EXPECT_EQ(Values(data, {"miaSuSfida", "sfidante", "sfidato", "nAttesa", "nCorso", "nMaxSuSfide",
                          "UteSuConnessi"}),
            "attesa/anna1/0/1/0/20/2");
  bruno_.Get(kSfida + "accetta-sfida.asp");
  data = Data(bruno_);
  EXPECT_EQ(Values(data, {"statosfida", "sfidante", "sfidato", "nAttesa", "nCorso"}),
            "attesa/anna1/bruno1/0/1");
  EXPECT_THAT(bruno_.Get(kSfida + "genera-sfida-sudoku.asp?genera=5").Body,
              Not(HasSubstr("pronto")));  // only the challenger makes the puzzle
  anna_.Get(kSfida + "genera-sfida-sudoku.asp?genera=123");
  data = Data(bruno_);
  EXPECT_EQ(data.Value("statosfida"), "avvio");
  const std::string puzzle = data.Value("schemasfida");
  ASSERT_EQ(puzzle.size(), 9u * 18 + 8);
  anna_.Get(kSfida + "genera-sfida-sudoku.asp?genera=999");  // too late: the puzzle stays
  EXPECT_EQ(Data(anna_).Value("schemasfida"), puzzle);

  bruno_.Get(kSfida + "avvia-sfida-sudoku.asp");
  EXPECT_EQ(Data(anna_).Value("statosfida"), "corso");
  // The board starts with the givens, column by column, as the puzzle's codes say.
  std::string givens;
  for (std::size_t code = 0; givens.size() < 81; code += code % 19 == 16 ? 3 : 2)
    givens += puzzle[code] == '1' ? puzzle[code + 1] : '0';
  EXPECT_EQ(
      Values(Match(anna_), {"bRisolto", "elementotrovatoda", "ultimamossa", "mossaprecedente"}),
      "no/" + std::string(81, '0') + "/" + givens + "/" + givens);
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
  EXPECT_EQ(match.Value("mossaprecedente")[open[0]], '0');
  EXPECT_EQ(Values(match, {"puntisfidanteok", "puntisfidanteko"}), "2/1");
  // A cell is new once to each player, however long until the next report.
  EXPECT_EQ(Match(bruno_).Value("mossaprecedente"), board);
  EXPECT_EQ(Match(anna_).Value("mossaprecedente")[open[0]], '0');
  EXPECT_EQ(Match(anna_).Value("mossaprecedente"), board);

  // Bruno reports everything: only the cells still open are his.
  Report(bruno_, "bruno1", solution);
  match = Match(anna_);
  EXPECT_EQ(Values(match, {"bRisolto", "ultimamossa"}), "si/" + solution);
  const std::string found = match.Value("elementotrovatoda");
  EXPECT_EQ(std::string() + found[open[0]] + found[open[1]] + found[open[2]], "112");
  EXPECT_EQ(match.Value("puntisfidatook"), std::to_string(open.size() - 2));
}

TEST_F(SiteChallenge, ChatIsEscapedCutAndRefusesControlsOrBrokenUtf8) {
  StartMatch();
  // Controls (C0, DEL, C1), overlong forms, a surrogate, past U+10FFFF, cut sequences.
  for (const char* text : {"ciao%00", "a%0D%0Ab", "%1B[31m", "%7F", "%C2%85", "%C0%AF", "%E0%80%AF",
                           "%ED%A0%80", "%F4%90%80%80", "caff%E8", "%C3"})
    EXPECT_EQ(Say(anna_, "anna1", text).Status, 400) << text;
  EXPECT_EQ(Match(bruno_).Value("msgxsfidato"), "0");
  Say(anna_, "anna1", "ciao%3B%20<script>alert(1)</script>");
  const Answer match = Match(bruno_);
  EXPECT_EQ(match.Value("msgxsfidato"), "ciao; &lt;script&gt;alert(1)&lt;/script&gt;");
  EXPECT_THAT(match.Body, Not(HasSubstr("<script>")));
  Say(bruno_, "bruno1", "caff%C3%A8%20&%20io;noi");  // an "&" and an unescaped ";"
  EXPECT_EQ(Match(anna_).Value("msgxsfidante"), "caff\u00e8 &amp; io;noi");
  // A chat line must never pass for the end of the match.
  Say(bruno_, "bruno1", "Partita%20abbandonata");
  EXPECT_EQ(Match(anna_).Value("msgxsfidante"), "caff\u00e8 &amp; io;noi");
  Say(bruno_, "bruno1", std::string(300, 'x'));
  EXPECT_EQ(Match(anna_).Value("msgxsfidante"), std::string(240, 'x'));
  std::string accented;  // 240 characters as the game counts them, 250 bytes
  for (int k = 0; k < 240; ++k) accented += k % 24 == 0 ? "%C3%A8" : "y";
  Say(bruno_, "bruno1", accented + "zz");
  EXPECT_EQ(Match(anna_).Value("msgxsfidante").size(), 250u);

  const Answer status = anna_.Get(kSfida +
                                  "visualizza-dati-sfida.asp?msg=%3Cb%3Eanna1%3C/b%3E%20vs%20"
                                  "%3Cb%3Ebruno1%3C/b%3E<br><img%20src=x>");
  EXPECT_THAT(status.Body, HasSubstr("<b>anna1</b> vs <b>bruno1</b><br>&lt;img src=x&gt;"));
}

TEST_F(SiteChallenge, AbandonmentsAndAcceptingWhileTheOwnChallengeWaits) {
  // The challenger leaves before the start: the challenged user is left without a challenger,
  // and told so on the match page, which a game that has just started the match reads next.
  StartMatch(false);
  anna_.Get(kSfida + "reset-sfida-sudoku.asp?id=anna1;abbandono;0");
  EXPECT_EQ(Values(Data(bruno_), {"sfidante", "sfidato"}), "0/bruno1");
  EXPECT_EQ(Match(bruno_).Value("msgxsfidato"), "partita abbandonata");
  EXPECT_EQ(Data(anna_).Value("miaSuSfida"), "chiusa");
  bruno_.Get(kSfida + "reset-sfida-sudoku.asp?id=bruno1;fine;0");
  EXPECT_EQ(Data(bruno_).Value("miaSuSfida"), "chiusa");

  // The challenged user leaves before the start: the challenge waits for someone else.
  StartMatch(false);
  bruno_.Get(kSfida + "reset-sfida-sudoku.asp?id=bruno1;abbandono;0");
  EXPECT_EQ(Values(Data(anna_), {"statosfida", "sfidato", "schemasfida", "nAttesa"}),
            "attesa/0/0/1");
  anna_.Get(kSfida + "annulla-sfida-sfidante.asp");

  // During the match: the one who stays wins.
  StartMatch();
  anna_.Get(kSfida + "reset-sfida-sudoku.asp?id=anna1;abbandono;0");
  EXPECT_EQ(Match(bruno_).Value("msgxsfidato"), "partita abbandonata");
  bruno_.Get(kSfida + "reset-sfida-sudoku.asp?id=bruno1;fine;0");
  EXPECT_THAT(bruno_.Get(kSfida + "sudoku-online-classifica.asp").Body,
              HasSubstr("<td>bruno1</td><td>1</td><td>1</td>"));

  // Accepting while the own challenge waits takes the oldest other one.
  Browser carla(site_.Port());
  carla.SignUp("carla1");
  carla.Get(kSfida + "lancia-sfida.asp");
  anna_.Get(kSfida + "lancia-sfida.asp");
  EXPECT_EQ(Data(anna_).Value("nAttesa"), "2");
  anna_.Get(kSfida + "accetta-sfida.asp");
  anna_.Get(kSfida + "annulla-sfida-sfidante.asp");
  EXPECT_EQ(Values(Data(anna_), {"sfidante", "sfidato", "nAttesa", "nCorso"}), "carla1/anna1/0/1");
}

TEST_F(SiteChallenge, RequestsAreCheckedBeforeAnythingChanges) {
  StartMatch();
  Browser guest(site_.Port());
  EXPECT_EQ(guest.Get(kSfida + "lancia-sfida.asp").Status, 403);
  EXPECT_EQ(Report(anna_, "bruno1", std::string(81, '1')).Status, 403);
  EXPECT_EQ(Say(anna_, "bruno1", "ciao").Status, 403);
  EXPECT_EQ(anna_.Get(kSfida + "logout.asp?id=bruno1").Status, 403);
  EXPECT_EQ(Report(anna_, "anna1", std::string(80, '1')).Status, 400);
  EXPECT_EQ(Report(anna_, "anna1", std::string(80, '1') + "x").Status, 400);
  for (const std::string& bad :
       {"aggiorna-asusfideincorso.asp?id=anna1;" + std::string(81, '0') + ";x;0;0;0;stop",
        std::string("aggiorna-asusfideincorso.asp"),
        std::string("reset-sfida-sudoku.asp?id=anna1;boh;0"),
        std::string("genera-sfida-sudoku.asp?genera=-4")})
    EXPECT_EQ(anna_.Get(kSfida + bad).Status, 400) << bad;
  EXPECT_EQ(Data(bruno_).Value("statosfida"), "corso");

  // An anonymous game reads its challenge state too, and must not take itself for a failed
  // login, as a game whose session was closed does.
  EXPECT_EQ(Values(Data(guest), {"nickname", "nMaxSuSfide"}), "anonimo/0");
  EXPECT_EQ(Match(guest).Value("nickname"), "anonimo");
  CloseSessionsOf(site_.Inner().Store(), "anna1");
  EXPECT_EQ(Data(anna_).Value("nickname"), "");
  bruno_.Get(kSfida + "logout.asp?id=bruno1");
  EXPECT_EQ(Data(bruno_).Value("nickname"), "anonimo");
}

TEST_F(SiteChallenge, VanishedPlayersLeaveNothingBehind) {
  Data(bruno_);
  clock_.Advance(kDeadPlayerInterval);
  Data(anna_);  // bruno's game is gone; anna's keeps polling
  EXPECT_EQ(Data(anna_).Value("UteSuConnessi"), "2");
  clock_.Advance(1);
  EXPECT_EQ(Data(anna_).Value("UteSuConnessi"), "1");
  EXPECT_THAT(anna_.Get(kSfida + "sudoku-space.asp?who=anna1").Body,
              HasSubstr("Utenti connessi: anna1<"));

  anna_.Get(kSfida + "lancia-sfida.asp");
  clock_.Advance(120);  // two minutes: still there
  EXPECT_EQ(Data(bruno_).Value("nAttesa"), "1");
  clock_.Advance(1);
  EXPECT_EQ(Data(bruno_).Value("nAttesa"), "0");  // anna read no challenge page for too long
  EXPECT_THAT(bruno_.Get(kSfida + "accetta-sfida.asp").Body, HasSubstr("Nessuna sfida in attesa"));

  StartMatch();
  clock_.Advance(200);  // of the five minutes a match waits for a player
  Match(anna_);         // bruno's game is gone; anna's keeps reading
  clock_.Advance(100);
  EXPECT_EQ(Data(anna_).Value("nCorso"), "1");
  clock_.Advance(1);
  const Answer match = Match(anna_);
  EXPECT_EQ(Values(match, {"miaSuSfida", "msgxsfidante"}), "finita/partita abbandonata");
  EXPECT_EQ(Data(anna_).Value("nCorso"), "0");
}

TEST_F(SiteChallenge, LobbyLinksKeepSudokuInTheTitle) {
  const Answer lobby = anna_.Get(kSfida + "sudoku-space.asp?who=anna1");
  EXPECT_THAT(lobby.Title(), HasSubstr("sudoku"));
  const std::regex link("href=\"([^\"]+)\"");
  int links = 0;
  for (auto at = std::sregex_iterator(lobby.Body.begin(), lobby.Body.end(), link);
       at != std::sregex_iterator(); ++at, ++links)
    EXPECT_THAT(anna_.Get((*at)[1]).Title(), HasSubstr("sudoku")) << (*at)[1];
  EXPECT_GT(links, 0);
}

}  // namespace
}  // namespace sudoku::site::testing
