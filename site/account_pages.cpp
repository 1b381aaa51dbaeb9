// The login, password-request and registration pages, the confirmation and renewal links, the
// mail outbox and signing off. The login window of the game reads each outcome from the address
// the browser ends on: "?res=" followed by the result.
#include <string>

#include "site/accounts.h"
#include "site/calendar.h"
#include "site/challenges.h"
#include "site/html.h"
#include "site/pages.h"
#include "site/query.h"
#include "site/sessions.h"

namespace sudoku::site {
namespace {

constexpr const char* kLogin = "/sudoku/gioco-offline/login.asp";
constexpr const char* kRequest = "/sudoku/gioco-offline/richiesta-password.asp";
constexpr const char* kRegister = "/sudoku/gioco-offline/registra-utente.asp";
constexpr const char* kAnonymous = "4pw7anony7wp4";

// Registration refusals travel to the form as a short code in a notice cookie.
struct Refusal {
  const char* Code;
  const char* Text;
};
constexpr Refusal kRefusals[] = {
    {"nome", "La user deve avere da 4 a 20 lettere o cifre."},
    {"riservato", "Questa user non \u00e8 disponibile."},
    {"password", "La password deve avere da 4 a 64 caratteri."},
    {"email", "L'indirizzo email non \u00e8 valido."},
    {"occupato", "Questa user \u00e8 gi\u00e0 registrata."},
    {"doppio", "Questo indirizzo email \u00e8 gi\u00e0 registrato."},
    {"errata", "User o password errate."},
    {"inattivo", "La user non \u00e8 ancora attiva: conferma l'indirizzo email."},
    {"troppi", "Troppi tentativi: riprova tra qualche minuto."},
};

std::string NoticeText(const std::string& code) {
  for (const Refusal& refusal : kRefusals)
    if (code == refusal.Code) return refusal.Text;
  return {};
}

std::string NoticeCode(const std::string& text) {
  for (const Refusal& refusal : kRefusals)
    if (text == refusal.Text) return refusal.Code;
  return "nome";
}

std::string Notice(Visit& visit) {
  const std::string text = NoticeText(visit.TakeFlash());
  return text.empty() ? std::string() : "<p class=\"e\">" + Escape(text) + "</p>\n";
}

// The outcome of the address: the query after "res=", undecoded.
std::string Result(const Visit& visit) {
  const std::size_t mark = visit.Req.Target.find("?res=");
  return mark == std::string::npos ? std::string() : visit.Req.Target.substr(mark + 5);
}

std::string Field(const char* label, const char* name, const char* type) {
  return std::string("<label>") + label + " <input name=\"" + name + "\" type=\"" + type +
         "\" maxlength=\"100\"></label><br>\n";
}

std::string LoginForm() {
  return std::string("<form method=\"post\" action=\"") + kLogin + "\">\n" +
         Field("User", "user", "text") + Field("Password", "password", "password") +
         "<button type=\"submit\">Entra</button></form>\n<p>" +
         Link(kRequest, "Password dimenticata?") + " &middot; " +
         Link(kRegister, "Registrati gratis") +
         "</p>\n<p>Per giocare senza user chiudi questa finestra.</p>\n";
}

void LoginPage(Visit& visit) {
  if (visit.Req.Method == "POST") {
    const auto form = ParseForm(visit.Req.Body);
    const std::string name = Lower(form.count("user") ? form.at("user") : "");
    const std::string password = form.count("password") ? form.at("password") : "";
    Throttles& limits = visit.Owner.Limits();
    const std::int64_t now = visit.Owner.Now();
    // Once a user or a client has failed too often, no password is even looked at; the game
    // gets the usual wrong-password outcome.
    if (!limits.WrongLoginsOfUser.Allows(name, now) ||
        !limits.WrongLoginsOfClient.Allows(visit.Client(), now)) {
      visit.Flash("troppi");
      visit.Redirect(std::string(kLogin) + "?res=" + kAnonymous);
      return;
    }
    const LoginCheck check = CheckLogin(visit.Owner.Store(), name, password, visit.Owner.Hashing());
    if (check != LoginCheck::Ok) {
      if (check == LoginCheck::Wrong) {
        limits.WrongLoginsOfUser.Note(name, now);
        limits.WrongLoginsOfClient.Note(visit.Client(), now);
      }
      visit.Flash(check == LoginCheck::Inactive ? "inattivo" : "errata");
      visit.Redirect(std::string(kLogin) + "?res=" + kAnonymous);
      return;
    }
    limits.WrongLoginsOfUser.Clear(name);
    Db& db = visit.Owner.Store();
    const std::string token = OpenSession(db, name, now);
    visit.Owner.SessionsChanged();
    visit.Res.SetHeader("Set-Cookie", std::string(kSessionCookie) + "=" + token +
                                          "; Path=/; HttpOnly; SameSite=Lax");
    const std::string data = RecordLogin(db, name);
    visit.Redirect(std::string(kLogin) + "?res=" + name + "&" + std::to_string(CountWaiting(db)) +
                   "&" + std::to_string(CountRunning(db)) + "&0&" + data);
    return;
  }
  const std::string result = Result(visit);
  if (!result.empty() && result != kAnonymous && visit.User) {
    visit.Html("benvenuto", Paragraph("Benvenuto " + *visit.User + ", sei connesso.") + "<p>" +
                                Link("/sudoku/sudoku-pc.asp", "Istruzioni") + " &middot; " +
                                Link("/sudoku/gioco-offline/sudoku-select-new.asp?of=" +
                                         std::to_string(Today().Year) + "_00_T_00_1_quillo",
                                     "Schemi pubblicati") +
                                "</p>");
    return;
  }
  visit.Html("login", "<h3>Accesso</h3>\n" + Notice(visit) + LoginForm());
}

void RequestPage(Visit& visit) {
  if (visit.Req.Method == "POST") {
    const auto form = ParseForm(visit.Req.Body);
    const std::string email = Lower(form.count("email") ? form.at("email") : "");
    Throttles& limits = visit.Owner.Limits();
    const std::int64_t now = visit.Owner.Now();
    if (!limits.PasswordRequests.Allows(email, now) ||
        !limits.PasswordRequestsOfClient.Allows(visit.Client(), now))
      throw TooMany{};
    limits.PasswordRequests.Note(email, now);
    limits.PasswordRequestsOfClient.Note(visit.Client(), now);
    const bool sent =
        RequestPasswordRenewal(visit.Owner.Store(), email, visit.Owner.PublicUrl(), now);
    visit.Redirect(std::string(kRequest) +
                   (sent ? "?res=pswsendedtouser" : "?res=notpswsendedtouser"));
    return;
  }
  const std::string result = Result(visit);
  std::string body = "<h3>Richiesta password</h3>\n";
  if (result == "pswsendedtouser")
    body += Paragraph("Ti abbiamo spedito un'email per avere una nuova password.");
  else if (result == "notpswsendedtouser")
    body += "<p class=\"e\">Indirizzo email non trovato.</p>\n";
  body += std::string("<form method=\"post\" action=\"") + kRequest + "\">\n" +
          Field("Email", "email", "text") + "<button type=\"submit\">Invia</button></form>\n<p>" +
          Link(kLogin, "Torna all'accesso") + "</p>\n";
  visit.Html("richiesta-password", body);
}

void RegisterPage(Visit& visit) {
  if (visit.Req.Method == "POST") {
    auto form = ParseForm(visit.Req.Body);
    const std::string name = form["user"], password = form["password"], email = form["email"];
    Db& db = visit.Owner.Store();
    Throttle& registrations = visit.Owner.Limits().Registrations;
    const std::int64_t now = visit.Owner.Now();
    if (!registrations.Allows(visit.Client(), now)) throw TooMany{};
    auto problem = RegistrationProblem(db, name, password, email);
    std::optional<std::string> token;
    if (!problem) {
      registrations.Note(visit.Client(), now);
      const bool active = visit.Owner.Options().AutoConfirm;
      token = CreateUser(db, name, password, email, active, visit.Owner.Hashing(), now);
      if (!token) problem = "Questa user \u00e8 gi\u00e0 registrata.";  // taken meanwhile
    }
    if (problem) {
      visit.Flash(NoticeCode(*problem));
      visit.Redirect(std::string(kRegister) + "?res=reg");
      return;
    }
    SendMail(db, Lower(email), "Conferma della registrazione",
             token->empty()
                 ? "Ciao " + Lower(name) + ",\nla tua user \u00e8 attiva.\n"
                 : "Ciao " + Lower(name) + ",\nper attivare la tua user apri questo indirizzo:\n" +
                       visit.Owner.PublicUrl() +
                       "/sudoku/gioco-offline/conferma-utente.asp?t=" + *token + "\n");
    visit.Redirect(std::string(kRegister) + "?res=okreg");
    return;
  }
  const std::string result = Result(visit);
  std::string body = "<h3>Registrazione</h3>\n";
  if (result == "okreg") {
    // A site that activates new users at once has mailed no link to confirm.
    body += Paragraph(visit.Owner.Options().AutoConfirm
                          ? "Registrazione riuscita: la tua user \u00e8 attiva, ora puoi entrare."
                          : "Registrazione riuscita: conferma l'indirizzo con il link che ti "
                            "abbiamo spedito, poi entra.") +
            "<p>" + Link(kLogin, "Accesso") + "</p>\n";
  } else {
    body += Notice(visit) + "<form method=\"post\" action=\"" + kRegister + "\">\n" +
            Field("User", "user", "text") + Field("Password", "password", "password") +
            Field("Email", "email", "text") +
            "<button type=\"submit\">Registrati</button></form>\n<p>" +
            Link(kLogin, "Torna all'accesso") + "</p>\n";
  }
  visit.Html("registra-utente", body);
}

void ConfirmPage(Visit& visit) {
  const auto name = ConfirmUser(visit.Owner.Store(), visit.Param("t"), visit.Owner.Now(),
                                visit.Owner.Options().Accounts.ConfirmationTokenLife);
  if (!name) {
    visit.Html("conferma", Paragraph("Link di conferma non valido, scaduto o gi\u00e0 usato."),
               404);
    return;
  }
  visit.Html("conferma", Paragraph("La user " + *name + " \u00e8 attiva. Ora puoi entrare.") +
                             "<p>" + Link(kLogin, "Accesso") + "</p>");
}

void RenewPage(Visit& visit) {
  const auto renewed =
      RenewPassword(visit.Owner.Store(), visit.Param("t"), visit.Owner.Hashing(), visit.Owner.Now(),
                    visit.Owner.Options().Accounts.RenewalTokenLife);
  visit.Owner.SessionsChanged();
  if (!renewed) {
    visit.Html("nuova password", Paragraph("Link non valido, scaduto o gi\u00e0 usato."), 404);
    return;
  }
  visit.Html("nuova password", Paragraph("User: " + renewed->first) +
                                   Paragraph("Nuova password: " + renewed->second) + "<p>" +
                                   Link(kLogin, "Accesso") + "</p>");
}

void OutboxPage(Visit& visit) {
  if (!visit.FromLoopback) throw Forbidden{"Pagina riservata."};
  auto list = visit.Owner.Store().Prepare(
      "SELECT recipient, subject, body, sent FROM outbox ORDER BY id DESC LIMIT 100");
  std::string body = "<h3>Posta in uscita</h3>\n";
  while (list.Step()) {
    body += "<div class=\"mail\"><p><b>" + Escape(list.Text(1)) + "</b> a " + Escape(list.Text(0)) +
            " (" + Escape(list.Text(3)) + ")</p><p>";
    const std::string text = list.Text(2);
    std::size_t start = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string::npos) end = text.size();
      const std::string line = text.substr(start, end - start);
      body += (line.rfind("http", 0) == 0 ? Link(line, line) : Escape(line)) + "<br>";
      start = end + 1;
    }
    body += "</p></div><hr>\n";
  }
  visit.Html("posta", body);
}

void LogoutPage(Visit& visit) {
  const auto pieces = SplitDecoded(visit.Raw("id"));
  visit.RequireUser(pieces.front());
  if (const auto token = CookieValue(visit.Req.Header("Cookie"), kSessionCookie))
    CloseSession(visit.Owner.Store(), *token);
  visit.Owner.SessionsChanged();
  visit.Res.SetHeader("Set-Cookie", std::string(kSessionCookie) + "=; Path=/; Max-Age=0; HttpOnly");
  visit.Html("logout", Paragraph("Sei uscito. A presto!"));
}

}  // namespace

void RegisterAccountPages(Site& site) {
  site.Page(kLogin, LoginPage, true);
  site.Page(kRequest, RequestPage, true);
  site.Page(kRegister, RegisterPage, true);
  site.Page("/sudoku/gioco-offline/conferma-utente.asp", ConfirmPage);
  site.Page("/sudoku/gioco-offline/nuova-password.asp", RenewPage);
  site.Page("/sudoku/admin/outbox.asp", OutboxPage);
  site.Page("/sudoku/sfida-online/logout.asp", LogoutPage);
}

}  // namespace sudoku::site
