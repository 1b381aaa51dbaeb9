// The main window with head-to-head challenges: it watches the site's challenge state before a
// match, plays the match (the opponent's moves, the chat, the end) and runs the user's challenge
// commands, all through the challenge pane wbSfida.
#pragma once

#include <string>

#include "challenge/dati_sfida.h"
#include "challenge/painting_pause.h"
#include "challenge/request_guard.h"
#include "online/main_window.h"

namespace sudoku {

// How the shell drives it, beside MainWindow: TimerOnLoginTimer and TimerOnSfidaTimer on the
// ticks of those timers while enabled, and the click handlers of the challenge buttons and menu
// items. Every request goes through one guard: a tick that comes while another challenge routine
// waits for a page is skipped, a click runs once that routine has ended. A routine whose page
// cannot be read ends quietly (the next tick tries again); signing off at close does not wait
// for the routine under way, which then stops at its next request.
class ChallengeWindow : public MainWindow {
 public:
  // pause: the long pauses; null pauses with the Effects port.
  ChallengeWindow(Game& game, const BrowserPanes& panes, std::string siteAddress,
                  PaintingPause* pause = nullptr);

  DatiSfida dati;

  void TimerOnLoginTimer();
  void TimerOnSfidaTimer();
  void SBLanciaClick();
  void LanciaSfidaClick();
  void SBAccettaClick();
  void AccettaSfidaClick();
  void SBAbbandonaClick();
  void AbbandonaSfidaClick();
  void SBInviaMossaClick();
  void SBInviaMsgClick();
  void ClassificaClick();

  // "SfidaOn" enters the match mode, "SfidaOff" leaves it; any other text does nothing.
  void SetChallengeMode(const std::string& mode);
  // Puts the match puzzle on the board as a fresh game whose history starts at its givens and
  // whose timer starts from zero.
  void LoadChallengePuzzle(const std::string& puzzle);
  bool Busy() const { return guard_.Busy(); }

 protected:
  void PollChallengeState() override;
  void SignOffChallenge() override;
  void SiteLost() override;

 private:
  // The guard's entries: runs the routine, a page that could not be read ends it quietly.
  void Tick(void (ChallengeWindow::*routine)());
  void Click(void (ChallengeWindow::*routine)());
  void RunQuietly(void (ChallengeWindow::*routine)());

  // The routines themselves, run inside the guard.
  void PollState();
  std::string EvaluateChallengeState();
  void GeneratePuzzle();
  void EnterMatch(bool start);
  void PollMatch();
  void CopyOpponentMoves();
  // Reads the user's own message field; true when it says the match has ended, with the text
  // to show in endText.
  bool ReadOwnMessage(std::string& endText);
  void EndMatch(bool solved, const std::string& endText);
  void Launch();
  void Accept();
  void SendMoves();
  void SendMessage();
  void Abandon();
  void ShowRanking();
  void SignOff();

  void FlashCell(int p, bool challenger, bool error);
  void AddToDialogue(const std::string& line, int indent);
  void ClearChallengeTexts();
  bool IsChallenger() const { return dati.nickname == dati.sfidante; }
  const std::string& OtherName() const { return IsChallenger() ? dati.sfidato : dati.sfidante; }
  // NavigateAndWait of the challenge pane to a path on the site, waiting at most maxSeconds.
  void Go(const std::string& path, int maxSeconds = kNavigateWaitSeconds);
  // ReadChallengePage of the pane; the waiting and running counts are the login's too.
  void Read(const char* section);
  void Wait(int ms);

  PaintingPause* pause_;
  RequestGuard guard_;
  bool stopped_ = false;  // the routine under way is to end at its next request
  bool closed_ = false;   // signed off at close: no request goes out any more
};

}  // namespace sudoku
