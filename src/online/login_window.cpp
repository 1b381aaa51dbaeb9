// Reading the outcome of the site's login pages from the addresses the login window's pane
// ends on.
#include "online/login_window.h"

#include "online/local_pages.h"
#include "online/login_result.h"

namespace sudoku {
namespace {

constexpr std::size_t kMaxPaginaLogin = 100;
constexpr const char* kWrongLogin = "User o password errate!\n\rRiprova.";

std::string AfterLast(const std::string& text, char separator) {
  const std::size_t at = text.rfind(separator);
  return at == std::string::npos ? text : text.substr(at + 1);
}

std::string WithoutFirstAsp(std::string text) {
  const std::size_t at = text.find(".asp");
  if (at != std::string::npos) text.erase(at, 4);
  return text;
}

bool Recognised(const std::string& page) {
  return page == "login" || page == "richiesta-password" || page == "registra-utente";
}

// The outcome an address carries: the text from five characters after the "?" ("?", a
// three-letter key and "="), or without one the last part of the path.
std::string OutcomeOf(const std::string& url) {
  const std::size_t query = url.find('?');
  std::string outcome =
      query == std::string::npos
          ? AfterLast(url, '/')
          : (query + 5 < url.size() ? url.substr(query + 5, kMaxPaginaLogin) : std::string());
  return LowerAscii(WithoutFirstAsp(outcome));
}

}  // namespace

std::string PageName(const std::string& address) {
  return LowerAscii(WithoutFirstAsp(AfterLast(AfterLast(address, '/'), '\\')));
}

LoginWindow::LoginWindow(BrowserPane& webConnect, Dialogs& dialogs, const std::string& siteAddress)
    : WebConnect(webConnect),
      IndirizzoLogin(siteAddress + "/sudoku/gioco-offline/login.asp"),
      dialogs_(dialogs) {}

void LoginWindow::FormActivate() {
  Visible = true;
  PaginaLogin = kNoConnect;
  PaginaRiconosciuta = false;
  reloadPending_ = false;
  NavigateAndWait(WebConnect, IndirizzoLogin);
  // A page that never finished loading gave no document to read: the site is unreachable.
  if (Visible && WebConnect.ReadyState() != kReadyStateComplete) {
    WebConnect.Stop();
    Unreachable();
  }
}

void LoginWindow::Unreachable() {
  dialogs_.Message(BoxKind::Plain, "Connessione inesistente");
  Caption = kNoConnect;
  Visible = false;
}

void LoginWindow::ReloadAfter(BoxKind kind, const char* message) {
  if (message != nullptr) dialogs_.Message(kind, message);
  reloadPending_ = true;
  WebConnect.Navigate(IndirizzoLogin, kNavigationFlags);
  Height = kLoginHeightShort;
}

void LoginWindow::WebConnectDocumentComplete() {
  if (!Visible) return;  // a late document of a window already closed
  PaginaLogin = PageName(WebConnect.LocationName());
  if (Recognised(PaginaLogin)) PaginaRiconosciuta = true;
  if (!PaginaRiconosciuta) {
    Unreachable();
    return;
  }
  if (PaginaLogin.find("?id=1") != std::string::npos) return;

  PaginaLogin = OutcomeOf(WebConnect.LocationURL());
  Caption = PaginaLogin;
  const bool reloaded = reloadPending_;
  reloadPending_ = false;
  if (PaginaLogin == "login") {
    Caption = kAnonymousMarker;
    Height = kLoginHeightShort;
    return;
  }
  if (reloaded) {  // the login page was asked for and something else came back
    Unreachable();
    return;
  }
  if (ApplyResultRows()) return;
  if (PaginaLogin.substr(0, PaginaLogin.find('&')).empty() ||
      PaginaLogin.find('&') == std::string::npos) {
    ReloadAfter(BoxKind::Error, kWrongLogin);
    return;
  }
  Visible = false;
}

bool LoginWindow::ApplyResultRows() {
  struct Row {
    const char* page;
    bool marker;
    BoxKind kind;
    const char* message;
    bool reload;
    int height;
  };
  static constexpr Row kRows[] = {
      {kAnonymousMarker, false, BoxKind::Error, kWrongLogin, true, kLoginHeightShort},
      {"richiesta-password", true, BoxKind::Plain, nullptr, false, kLoginHeightShort},
      {"pswsendedtouser", true, BoxKind::Information,
       "Abbiamo spedito la password al tuo indirizzo email!", true, kLoginHeightShort},
      {"notpswsendedtouser", true, BoxKind::Error,
       "Siamo spiacenti!\n\rNon abbiamo trovato il tuo indirizzo email. Verifica la sua "
       "esattezza o registrati gratis.",
       true, kLoginHeightShort},
      {"registra-utente", true, BoxKind::Plain, nullptr, false, kLoginHeightTall},
      {"okreg", true, BoxKind::Information,
       "Abbiamo spedito l'email con il link di conferma al tuo indirizzo!\n\rClicca sul link per "
       "confermare il tuo indirizzo ed attivare cos\xEC, gratis, la tua user.\n\r\n\rAppena "
       "attiva puoi eseguire la connessione.",
       true, kLoginHeightShort},
      {"reg", true, BoxKind::Plain, nullptr, false, kLoginHeightShort},
  };
  bool handled = false;
  for (const Row& row : kRows) {
    if (PaginaLogin != row.page) continue;
    handled = true;
    if (row.marker) Caption = kAnonymousMarker;
    if (row.reload) {
      ReloadAfter(row.kind, row.message);
    } else if (row.message != nullptr) {
      dialogs_.Message(row.kind, row.message);
    }
    Height = row.height;
  }
  return handled;
}

}  // namespace sudoku
