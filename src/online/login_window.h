// The login window's behaviour: its pane shows the site's login, password-request and
// registration pages; the address the site ends on is the outcome, handed back as the caption.
#pragma once

#include <string>

#include "online/browser_pane.h"
#include "play/ports.h"

namespace sudoku {

// Window heights the pages ask for (the outer frame, caption bar included).
inline constexpr int kLoginHeightShort = 295;
inline constexpr int kLoginHeightTall = 620;
// The client height the frame was designed around; the caption bar takes the rest.
inline constexpr int kLoginClientHeight = 268;
inline constexpr int kLoginClientWidth = 571;

// The name a page is known by: the text after the last "/" and then after the last "\", the
// first ".asp" removed, in lower case.
std::string PageName(const std::string& address);

// How the shell drives it: FormActivate each time the window is shown modally;
// WebConnectDocumentComplete at every completed document of its pane; FormClose when the user
// closes it. The shell shows Caption and Height after each call and ends the modal run when
// Visible turns false; the caption is then the result.
class LoginWindow {
 public:
  LoginWindow(BrowserPane& webConnect, Dialogs& dialogs, const std::string& siteAddress);
  LoginWindow(const LoginWindow&) = delete;
  LoginWindow& operator=(const LoginWindow&) = delete;

  BrowserPane& WebConnect;
  const std::string IndirizzoLogin;  // the site's login page
  std::string PaginaLogin;
  bool PaginaRiconosciuta = false;
  std::string Caption = "Login";
  int Height = kLoginHeightShort;
  bool Visible = false;

  void FormActivate();
  void WebConnectDocumentComplete();
  void FormClose() { Visible = false; }

 private:
  // The page could not be recognised as the site's: the site counts as unreachable.
  void Unreachable();
  // Message, reload of the login page, short height; the window stays open.
  void ReloadAfter(BoxKind kind, const char* message);
  bool ApplyResultRows();

  Dialogs& dialogs_;
  // A reload of the login page is under way: the next document must be that page, or the site
  // is sending the window round in circles.
  bool reloadPending_ = false;
};

}  // namespace sudoku
