// The table of the play logic's handlers that take no arguments, by event name.
#include "desktop/shell_binding.h"

namespace sudoku {

void AddGameHandlers(Game& game, Handlers& handlers) {
  auto& h = handlers.plain;
  h["SBPlayClick"] = [&game] { game.SBPlayClick(); };
  h["SBPauseClick"] = [&game] { game.SBPauseClick(); };
  h["Avvia1Click"] = [&game] { game.Avvia1Click(); };
  h["Pausa1Click"] = [&game] { game.Pausa1Click(); };
  h["Restart1Click"] = [&game] { game.Restart1Click(); };
  h["SPRestartClick"] = [&game] { game.SPRestartClick(); };
  h["SudokuTimerTimer"] = [&game] { game.SudokuTimerTimer(); };
  h["Undo1Click"] = [&game] { game.Undo1Click(); };
  h["RicominciaPartitaClick"] = [&game] { game.RicominciaPartitaClick(); };
  h["StatisticheClick"] = [&game] { game.StatisticheClick(); };
  h["MostraCandidatiClick"] = [&game] { game.MostraCandidatiClick(); };
  h["EvidenziaErroreClick"] = [&game] { game.EvidenziaErroreClick(); };
  h["SeganalanosoluzioniClick"] = [&game] { game.SeganalanosoluzioniClick(); };
  h["ShGialloMouseDown"] = [&game] { game.ShGialloMouseDown(); };
  h["ShRossoMouseDown"] = [&game] { game.ShRossoMouseDown(); };
  h["ShAquaMouseDown"] = [&game] { game.ShAquaMouseDown(); };
  h["ShVerdeMouseDown"] = [&game] { game.ShVerdeMouseDown(); };
  h["MostraTuttiiCandidati1Click"] = [&game] { game.MostraTuttiiCandidati1Click(); };
  h["LVsudokuDblClick"] = [&game] { game.LVsudokuDblClick(); };
  h["ApriSchemalocale1Click"] = [&game] { game.ApriSchemalocale1Click(); };
  h["TSLocaleShow"] = [&game] { game.TSLocaleShow(); };
  h["menulinguaClick"] = [&game] { game.menulinguaClick(); };
  h["Finoa10Click"] = [&game] { game.Finoa10Click(); };
  h["Finoa30Click"] = [&game] { game.Finoa30Click(); };
  h["Finoa60Click"] = [&game] { game.Finoa60Click(); };
  h["SoluzioneAutomaticaClick"] = [&game] { game.SoluzioneAutomaticaClick(); };
  h["SuggerisciNumeroClick"] = [&game] { game.SuggerisciNumeroClick(); };
  h["SoluzionePassoPasso1Click"] = [&game] { game.SoluzionePassoPasso1Click(); };
  h["BAvantiClick"] = [&game] { game.BAvantiClick(); };
  h["BIndietroClick"] = [&game] { game.BIndietroClick(); };
  h["SalvaPartita1Click"] = [&game] { game.SalvaPartita1Click(); };
  h["RiprendiPartita1Click"] = [&game] { game.RiprendiPartita1Click(); };
  h["Salva1Click"] = [&game] { game.Salva1Click(); };
  h["ApriSchemaIncompletoClick"] = [&game] { game.ApriSchemaIncompletoClick(); };
  h["ModalitaNote1Click"] = [&game] { game.ModalitaNote1Click(); };
  h["RiempiNote1Click"] = [&game] { game.RiempiNote1Click(); };
  h["CancellaNote1Click"] = [&game] { game.CancellaNote1Click(); };
  h["NoteVicini1Click"] = [&game] { game.NoteVicini1Click(); };
  h["RipetizioniRosse1Click"] = [&game] { game.RipetizioniRosse1Click(); };
}

}  // namespace sudoku
