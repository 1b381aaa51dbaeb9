// The table of the challenge handlers.
#include "desktop/challenge_handlers.h"

namespace sudoku {

void AddChallengeHandlers(ChallengeWindow& window, Handlers& handlers) {
  auto& h = handlers.plain;
  h["TimerOnLoginTimer"] = [&window] { window.TimerOnLoginTimer(); };
  h["TimerOnSfidaTimer"] = [&window] { window.TimerOnSfidaTimer(); };
  h["SBLanciaClick"] = [&window] { window.SBLanciaClick(); };
  h["LanciaSfidaClick"] = [&window] { window.LanciaSfidaClick(); };
  h["SBAccettaClick"] = [&window] { window.SBAccettaClick(); };
  h["AccettaSfidaClick"] = [&window] { window.AccettaSfidaClick(); };
  h["SBAbbandonaClick"] = [&window] { window.SBAbbandonaClick(); };
  h["AbbandonaSfidaClick"] = [&window] { window.AbbandonaSfidaClick(); };
  h["SBInviaMossaClick"] = [&window] { window.SBInviaMossaClick(); };
  h["SBInviaMsgClick"] = [&window] { window.SBInviaMsgClick(); };
  h["ClassificaClick"] = [&window] { window.ClassificaClick(); };
}

}  // namespace sudoku
