// The match: loading its puzzle, the poll that copies the opponent's moves and shows the chat,
// the end of the match, and the user's moves and messages.
#include <algorithm>

#include "challenge/challenge_requests.h"
#include "challenge/challenge_window.h"
#include "challenge/match_board.h"
#include "online/local_pages.h"
#include "play/grid_geometry.h"
#include "play/text_utils.h"

namespace sudoku {
namespace {

constexpr std::size_t kMaxMessage = 240;  // characters, however many bytes each takes
constexpr int kEndPauseMs = 6000;
// The system colour of window backgrounds, which a flash leaves behind.
constexpr Rgb kWindowBackground{255, 255, 255};

}  // namespace

void ChallengeWindow::LoadChallengePuzzle(const std::string& puzzle) {
  Controls& c = game.controls;
  game.AzzeraGriglia();
  c.ETipologia.text = "0";
  c.ECreatore.text = "Admin";
  for (Edit* field : {&c.ENumBase, &c.ELivello, &c.EMediaVoti, &c.EVotanti, &c.ENumeroSchema,
                      &c.EDataPubblicazione}) {
    field->text = "0";
  }
  game.board.Schema = MatchPuzzleCodes(puzzle);
  game.AggiornaGriglia();
  game.Storico.StartFromGivens(game.board);
  // The match is no library puzzle, and its time is counted from its start on either side.
  game.SetNomeFile("");
  game.Restart1Click();
  c.LTime.caption = "0h 0m 0s";
}

void ChallengeWindow::FlashCell(int p, bool challenger, bool error) {
  const Rect rect = BoardCellRect(p / 9, p % 9);
  game.effects.FillRect(GridId::Board, rect, error ? kErrorRed : FinderColour(dati, p, challenger));
  game.effects.Pause(error ? 300 : 200);
  game.effects.FillRect(GridId::Board, rect, kWindowBackground);
}

void ChallengeWindow::PollMatch() {
  Go(MatchDataPath(CacheDefeatingNumber(game.random)));
  Read("asusfideincorso");
  if (dati.schemasfida != "0") CopyOpponentMoves();
  std::string endText;
  const bool ended = ReadOwnMessage(endText);
  const bool solved = dati.bRisolto == "si";
  if (solved || ended) EndMatch(solved, ended ? endText : std::string());
}

void ChallengeWindow::CopyOpponentMoves() {
  const bool challenger = IsChallenger();
  for (const CellCopy& copy : OpponentMoves(game.board, dati)) {
    FlashCell(copy.p, challenger, false);
    game.board.Texts[std::size_t(copy.p)] = copy.digit;
  }
}

bool ChallengeWindow::ReadOwnMessage(std::string& endText) {
  const std::string& message = IsChallenger() ? dati.msgxsfidante : dati.msgxsfidato;
  const std::string lowered = LowerAscii(message);
  if (lowered == "partita abbandonata") {
    endText = "Spiacente.\n\r" + OtherName() + " ha abbandonato la partita!";
    return true;
  }
  if (lowered == "finegame") {
    endText = "Complimenti.\n\rSchema concluso!";
    return true;
  }
  std::vector<std::string>& received = game.controls.Mricevimsgsfida.lines;
  const std::string last = received.empty() ? std::string() : received.back();
  if (message != "0" && message != last) {
    received.push_back(message);
    AddToDialogue(">" + Latin1ToUtf8(OtherName()) + ": " + message, 10);
    game.Playsound(game.CartellaBase / "noconnect" / "notify.wav");
  }
  return false;
}

void ChallengeWindow::EndMatch(bool solved, const std::string& endText) {
  // A board that the opponent's moves completed has not been counted yet. Counted while the
  // match is still on, the solve is recorded with the match's time and announced only below;
  // a later key release on the board then counts nothing more.
  if (solved) game.AggiornaGriglia();
  SetChallengeMode("SfidaOff");
  Go(ResetPath(dati.nickname, "fine", solved ? "1" : "0"));
  if (solved) {
    game.Playsound(game.CartellaBase / "noconnect" / "tada.wav");
    game.dialogs.Message(BoxKind::Information, game.Tr("Complimenti!\n\rPuzzle Risolto",
                                                       "Congratulations!\n\rPuzzle Solved"));
  }
  Go(challenge_path::kRanking);
  if (!endText.empty()) game.dialogs.Message(BoxKind::Plain, endText);
  Wait(kEndPauseMs);
  game.SfidaInCorso = false;
  game.controls.TimerOnLogin.enabled = true;
}

void ChallengeWindow::SendMoves() {
  if (!game.SfidaInCorso) return;
  PollMatch();
  if (!game.SfidaInCorso) return;  // the poll saw the match end: there is nothing to report
  const MoveReport report = BuildMoveReport(game.board, dati);
  for (int p : report.wrongCells) FlashCell(p, IsChallenger(), true);
  Go(MoveReportPath(dati.nickname, report));
  PollMatch();
}

void ChallengeWindow::SendMessage() {
  if (!game.SfidaInCorso) return;
  std::string joined;
  for (const std::string& line : game.controls.MInviamsgsfida.lines) joined += line;
  const std::string text = Utf8Prefix(joined, kMaxMessage);
  AddToDialogue(">" + Latin1ToUtf8(dati.nickname) + ": " + text, 0);
  Go(MessagePath(dati.nickname, text));
  game.controls.MInviamsgsfida.lines.clear();
  PollMatch();
}

}  // namespace sudoku
