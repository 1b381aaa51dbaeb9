// The user's challenge commands outside the match itself: launch, accept, abandon, the ranking,
// and signing off at close.
#include "challenge/challenge_requests.h"
#include "challenge/challenge_window.h"

namespace sudoku {
namespace {

constexpr int kAbandonPauseMs = 6000;
constexpr int kRankingPauseMs = 4000;
constexpr int kMaxWaiting = 10;
constexpr int kMaxRunningToAccept = 20;
// Each request of the sign-off at close waits this long at most: the window is going.
constexpr int kSignOffSeconds = 3;

}  // namespace

void ChallengeWindow::Launch() {
  PollState();
  if (dati.nickname == dati.sfidante || dati.miaSuSfida != "chiusa" ||
      dati.nAttesa >= kMaxWaiting || dati.nCorso >= dati.nMaxSuSfide) {
    return;
  }
  Go(challenge_path::kLaunch);
  Controls& c = game.controls;
  c.SBLancia.enabled = c.LanciaSfida.enabled = false;
  c.SBAbbandona.enabled = c.AbbandonaSfida.enabled = true;
  PollState();
}

void ChallengeWindow::Accept() {
  PollState();
  if (dati.nickname == dati.sfidato || dati.miaSuSfida == "corso" || dati.nAttesa >= kMaxWaiting ||
      dati.nCorso >= kMaxRunningToAccept || dati.nAttesa < 1) {
    return;
  }
  Go(challenge_path::kAccept);
  // The user's own challenge, still waiting, is withdrawn: one plays one match at a time.
  if (dati.nickname == dati.sfidante) Go(challenge_path::kWithdraw);
  Controls& c = game.controls;
  c.SBLancia.enabled = c.LanciaSfida.enabled = false;
  c.SBAccetta.enabled = c.AccettaSfida.enabled = false;
  c.SBAbbandona.enabled = c.AbbandonaSfida.enabled = true;
  PollState();
}

void ChallengeWindow::Abandon() {
  if (!game.dialogs.Confirm("Sicuro di voler abbandonare?")) return;
  SetChallengeMode("SfidaOff");
  Go(ResetPath(dati.nickname, "abbandono", "0"));
  Go(challenge_path::kRanking);
  Wait(kAbandonPauseMs);
  game.controls.TimerOnLogin.enabled = true;
}

void ChallengeWindow::ShowRanking() {
  Go(challenge_path::kRanking);
  Wait(kRankingPauseMs);
}

void ChallengeWindow::SignOff() {
  SetChallengeMode("SfidaOff");
  Go(ResetPath(dati.nickname, "abbandono", "0"), kSignOffSeconds);
  Go(LogoutPath(dati.nickname), kSignOffSeconds);
}

}  // namespace sudoku
