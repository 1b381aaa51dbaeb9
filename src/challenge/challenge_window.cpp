// Watching the challenge state before a match: the poll of the challenge data page, what each
// state asks of this side, the match mode, and the handlers that put the routines in the guard.
#include "challenge/challenge_window.h"

#include <utility>

#include "challenge/challenge_requests.h"
#include "challenge/challenge_state.h"

namespace sudoku {
namespace {

void Apply(Switch s, Button& button, MenuItem& item) {
  if (s == Switch::Unchanged) return;
  button.enabled = item.enabled = s == Switch::On;
}

// The routine under way stopped by closing or by a lost site: it ends like an unreadable page.
class RoutineStopped : public BrowserError {
 public:
  RoutineStopped() : BrowserError("stopped") {}
};

}  // namespace

ChallengeWindow::ChallengeWindow(Game& g, const BrowserPanes& p, std::string siteAddress,
                                 PaintingPause* pause)
    : MainWindow(g, p, std::move(siteAddress)), pause_(pause) {}

void ChallengeWindow::RunQuietly(void (ChallengeWindow::*routine)()) {
  if (closed_) return;
  stopped_ = false;
  try {
    (this->*routine)();
  } catch (const BrowserError&) {
  }
}
void ChallengeWindow::Tick(void (ChallengeWindow::*routine)()) {
  guard_.Tick([this, routine] { RunQuietly(routine); });
}
void ChallengeWindow::Click(void (ChallengeWindow::*routine)()) {
  guard_.Click([this, routine] { RunQuietly(routine); });
}

void ChallengeWindow::PollChallengeState() {
  Click(&ChallengeWindow::PollState);
}
void ChallengeWindow::SignOffChallenge() {
  // At once, even inside another routine's wait: the window is closing.
  stopped_ = false;
  try {
    SignOff();
  } catch (const BrowserError&) {
  }
  closed_ = stopped_ = true;
}
void ChallengeWindow::SiteLost() {
  if (game.SfidaInCorso) SetChallengeMode("SfidaOff");
  stopped_ = true;
  MainWindow::SiteLost();
}
void ChallengeWindow::TimerOnLoginTimer() {
  Tick(&ChallengeWindow::PollState);
}
void ChallengeWindow::TimerOnSfidaTimer() {
  Tick(&ChallengeWindow::PollMatch);
}
void ChallengeWindow::SBLanciaClick() {
  Click(&ChallengeWindow::Launch);
}
void ChallengeWindow::LanciaSfidaClick() {
  SBLanciaClick();
}
void ChallengeWindow::SBAccettaClick() {
  Click(&ChallengeWindow::Accept);
}
void ChallengeWindow::AccettaSfidaClick() {
  SBAccettaClick();
}
void ChallengeWindow::SBAbbandonaClick() {
  Click(&ChallengeWindow::Abandon);
}
void ChallengeWindow::AbbandonaSfidaClick() {
  SBAbbandonaClick();
}
void ChallengeWindow::SBInviaMossaClick() {
  Click(&ChallengeWindow::SendMoves);
}
void ChallengeWindow::SBInviaMsgClick() {
  Click(&ChallengeWindow::SendMessage);
}
void ChallengeWindow::ClassificaClick() {
  Click(&ChallengeWindow::ShowRanking);
}

void ChallengeWindow::Go(const std::string& path, int maxSeconds) {
  if (stopped_) throw RoutineStopped();
  NavigateAndWait(panes.wbSfida, SiteUrl(path), kNavigateWaitPolls, maxSeconds);
  if (stopped_) throw RoutineStopped();
}

void ChallengeWindow::Read(const char* section) {
  struct ShareCounts {
    ChallengeWindow& w;
    ~ShareCounts() {
      w.nAttesa = w.dati.nAttesa;
      w.nCorso = w.dati.nCorso;
    }
  } share{*this};
  if (stopped_) throw RoutineStopped();
  ReadChallengePage(panes.wbSfida, section, dati);
}

void ChallengeWindow::Wait(int ms) {
  if (pause_ != nullptr) {
    pause_->Wait(ms);
  } else {
    game.effects.Pause(ms);
  }
}

void ChallengeWindow::PollState() {
  Go(ChallengeDataPath(CacheDefeatingNumber(game.random)));
  Read("comuni");
  std::string message = EvaluateChallengeState();
  if (dati.nickname.empty()) {
    message = "anonimo";
    game.dialogs.Message(BoxKind::Plain, "LOGIN errato.\n\rConfigurazione offline.");
    // Offline for good: a user still marked registered could not log in again.
    connection.Connesso = false;
    connection.Registrato = false;
    ApplyConnectionState(ConnectionSetup::Offline);
  }
  Go(StatusPath(message));
}

std::string ChallengeWindow::EvaluateChallengeState() {
  const ChallengeDecision decision = DecideChallengeState(dati);
  Controls& c = game.controls;
  Apply(decision.launch, c.SBLancia, c.LanciaSfida);
  Apply(decision.accept, c.SBAccetta, c.AccettaSfida);
  Apply(decision.abandon, c.SBAbbandona, c.AbbandonaSfida);
  if (decision.notify) game.Playsound(game.CartellaBase / "noconnect" / "notify.wav");
  if (decision.generate) GeneratePuzzle();
  if (decision.enterMatch) EnterMatch(decision.startMatch);
  if (decision.reset) Go(ResetPath(dati.nickname, "fine", "0"));
  return decision.message;
}

void ChallengeWindow::GeneratePuzzle() {
  int n = game.random.Next(0, 899);
  if (n < 1) n = game.random.Next(0, 1498) + 1;
  Go(GeneratePath(n));
}

void ChallengeWindow::EnterMatch(bool start) {
  // A match being played is never loaded again: that would wipe the user's board.
  if (game.SfidaInCorso) return;
  Read("sfida");
  if (dati.schemasfida == "0") return;  // not made yet: the next tick tries again
  LoadChallengePuzzle(dati.schemasfida);
  if (start) Go(challenge_path::kStart);
  SetChallengeMode("SfidaOn");
  // The lobby over the tabs was read before the match and would say that none is running.
  panes.WQuillo.Navigate(SiteUrl(LobbyPath()));
}

void ChallengeWindow::SetChallengeMode(const std::string& mode) {
  Controls& c = game.controls;
  const bool on = mode == "SfidaOn";
  if (!on && mode != "SfidaOff") return;
  c.Sudoku1.enabled = c.Opzioni1.enabled = c.CreaSudoku1.enabled = !on;
  game.SfidaInCorso = on;
  if (on) c.TimerOnLogin.enabled = false;
  c.TimerOnSfida.enabled = on;
  c.SBInviaMossa.enabled = c.SBInviaMsg.enabled = on;
  ClearChallengeTexts();
  c.PSfida.visible = on;
  if (!on) return;
  for (BrowserPane* pane : {&panes.WQuillo, &panes.WBdownload, &panes.WBsoluzione,
                            &panes.WBTrascina, &panes.wbAltriSudoku}) {
    pane->Stop();
  }
}

void ChallengeWindow::ClearChallengeTexts() {
  Controls& c = game.controls;
  for (Memo* memo : {&c.Mricevimsgsfida, &c.MInviamsgsfida, &c.REDialogo}) {
    memo->lines.clear();
    memo->indents.clear();
  }
}

void ChallengeWindow::AddToDialogue(const std::string& line, int indent) {
  Memo& dialogue = game.controls.REDialogo;
  dialogue.indents.resize(dialogue.lines.size(), 0);
  dialogue.lines.push_back(line);
  dialogue.indents.push_back(indent);
}

}  // namespace sudoku
