// What a reading of the challenge data page means for this side: which challenge commands are
// usable, what falls to this side to do, and the status message shown in the challenge pane.
#pragma once

#include <string>

#include "challenge/dati_sfida.h"

namespace sudoku {

// A pair of controls (a button and its menu item) switched on, off, or left as they are.
enum class Switch { Unchanged, On, Off };

struct ChallengeDecision {
  Switch launch = Switch::Unchanged;   // SBLancia, LanciaSfida
  Switch accept = Switch::Unchanged;   // SBAccetta, AccettaSfida
  Switch abandon = Switch::Unchanged;  // SBAbbandona, AbbandonaSfida
  bool notify = false;                 // play the challenge sound
  bool generate = false;               // the challenger makes the site generate the match puzzle
  bool enterMatch = false;             // load the match puzzle and play
  bool startMatch = false;  // the challenged side also tells the site that the match starts
  bool reset = false;       // close a challenge whose challenger has left
  std::string message = "0";
};

// Tests every row of the challenge table in order against the values read; each row that holds
// sets its switches, adds its actions and replaces the message.
ChallengeDecision DecideChallengeState(const DatiSfida& dati);

}  // namespace sudoku
