// The challenge table: one row per state of the challenge as this side sees it.
#include "challenge/challenge_state.h"

namespace sudoku {
namespace {

Switch OnWhen(bool condition) {
  return condition ? Switch::On : Switch::Off;
}

void SetButtons(ChallengeDecision& d, Switch launch, Switch accept, Switch abandon) {
  d.launch = launch;
  d.accept = accept;
  d.abandon = abandon;
}

}  // namespace

ChallengeDecision DecideChallengeState(const DatiSfida& dati) {
  const std::string& n = dati.nickname;
  const std::string& a = dati.sfidante;
  const std::string& d = dati.sfidato;
  const std::string& s = dati.statosfida;
  const bool roomForMatch = dati.nCorso < dati.nMaxSuSfide;
  const std::string starting =
      "La Tua sfida \xE8 stata raccolta da <b>" + d + "</b>.<br>A breve avr\xE0 inizio...";
  const std::string running = "<b>" + a + "</b> vs <b>" + d + "</b> in corso...";
  const bool challenger = a != "0" && n == a && d != "0";
  const bool challenged = a != "0" && n == d && d != "0";

  ChallengeDecision out;
  if (a == "0" && d == "0") {
    SetButtons(out, OnWhen(dati.nAttesa < 10 && roomForMatch),
               OnWhen(dati.nAttesa > 0 && roomForMatch), Switch::Off);
    out.message = "0";
  }
  if (a != "0" && n == a && d == "0" && s == "attesa") {
    SetButtons(out, Switch::Off, OnWhen(dati.nAttesa > 1 && roomForMatch), Switch::On);
    out.message = "La Tua sfida \xE8 in attesa di essere accolta.";
  }
  if (challenger && s == "attesa") {
    SetButtons(out, Switch::Off, Switch::Off, Switch::On);
    out.notify = out.generate = true;
    out.message = starting;
  }
  if (challenger && s == "avvio") {
    SetButtons(out, Switch::Off, Switch::Off, Switch::On);
    out.message = starting;
  }
  if (challenger && s == "corso") {
    SetButtons(out, Switch::Off, Switch::Off, Switch::On);
    out.enterMatch = true;
    out.message = running;
  }
  if (challenged && s == "attesa") {
    SetButtons(out, Switch::Off, Switch::Off, Switch::On);
    out.message = "Bene <b>" + d + "</b> hai accettato la sfida lanciata da <b>" + a +
                  "</b><br>A breve avr\xE0 inizio...";
  }
  if (challenged && s == "avvio") {
    SetButtons(out, Switch::Off, Switch::Off, Switch::On);
    out.enterMatch = out.startMatch = true;
    out.message = running;
  }
  if (a == "0" && n == d && d != "0") {
    SetButtons(out, Switch::On, Switch::Unchanged, Switch::Off);
    out.reset = true;
    out.message = "Spiacente.<br>L'altro concorrente ha abbandonato la sfida.";
  }
  return out;
}

}  // namespace sudoku
