// The login, password-request and registration pages, the confirmation and renewal links, the
// development outbox and signing off. The login window of the game reads each outcome from the
// address the browser ends on: "?res=" followed by the result.
#include <cctype>
#include <string>
#include <vector>

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
    {"password", "La password deve avere da 8 a 64 caratteri."},
    {"email", "L'indirizzo email non \u00e8 valido."},
    {"occupato", "Questa user \u00e8 gi\u00e0 registrata."},
    {"doppio", "Questo indirizzo email \u00e8 gi\u00e0 registrato."},
    {"errata", "User o password errate."},
    {"inattivo", "La user non \u00e8 ancora attiva: conferma l'indirizzo email."},
    {"troppi", "Troppi tentativi: riprova tra qualche minuto."},
    {"attendi", "Il sito \u00e8 occupato: riprova tra qualche secondo."},
    {"nonspedita", "Non siamo riusciti a spedire l'email: riprova pi\u00f9 tardi."},
    {"nonconfermata",
     "Registrazione riuscita, ma non siamo riusciti a spedire l'email di conferma: chiedi una "
     "nuova password pi\u00f9 tardi per attivare la user."},
};

constexpr const char* kMailOff = "La posta del sito \u00e8 spenta: non possiamo spedirti email.";

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

// The session cookie: never sent to another site, and only over TLS when the site is public
// behind it.
std::string SessionCookie(const Visit& visit, const std::string& value) {
  const bool secure = visit.Owner.PublicUrl().rfind("https://", 0) == 0;
  return std::string(kSessionCookie) + "=" + value + "; Path=/; HttpOnly; SameSite=Strict" +
         (secure ? "; Secure" : "") + (value.empty() ? "; Max-Age=0" : "");
}

// A user name as the log may show it: letters and digits, anything else as "?".
std::string LogName(const std::string& name) {
  std::string shown;
  for (char c : name.substr(0, 24)) shown += std::isalnum(static_cast<unsigned char>(c)) ? c : '?';
  return shown.empty() ? "-" : shown;
}

// The throttles one login attempt passes, each counting it as wrong until it proves right.
struct LoginThrottles {
  Throttle* Limit;
  std::string Key;
};

// The user's own throttle over every address spaces out only addresses that have already
// failed for the user: the owner, trying from an address of their own, is never held back by
// strangers' failures.
std::vector<LoginThrottles> WrongLoginThrottles(Throttles& limits, const std::string& name,
                                                const std::string& client, std::int64_t now) {
  std::vector<LoginThrottles> throttles{{&limits.WrongLoginsOfClient, client},
                                        {&limits.WrongLoginsOfUserAtClient, name + " " + client}};
  if (limits.WrongLoginsOfUserAtClient.Holds(name + " " + client, now))
    throttles.push_back({&limits.WrongLoginsOfUser, name});
  return throttles;
}

// Counts the attempt in every throttle at once, or in none when one of them refuses it.
bool TakeAll(const std::vector<LoginThrottles>& throttles, std::int64_t now) {
  for (std::size_t k = 0; k < throttles.size(); ++k) {
    if (throttles[k].Limit->Take(throttles[k].Key, now)) continue;
    while (k-- > 0) throttles[k].Limit->Refund(throttles[k].Key);
    return false;
  }
  return true;
}

void RefundAll(const std::vector<LoginThrottles>& throttles) {
  for (const LoginThrottles& throttle : throttles) throttle.Limit->Refund(throttle.Key);
}

void RefuseLogin(Visit& visit, const char* notice) {
  visit.Flash(notice);
  visit.Redirect(std::string(kLogin) + "?res=" + kAnonymous);
}

void AcceptLogin(Visit& visit, const std::string& name, std::int64_t now) {
  Db& db = visit.Owner.Store();
  // The browser's previous session ends with the new one.
  if (const auto old = CookieValue(visit.Req.Header("Cookie"), kSessionCookie))
    CloseSession(db, *old);
  const std::string token = OpenSession(db, name, now);
  visit.Owner.SessionsChanged();
  visit.Res.SetHeader("Set-Cookie", SessionCookie(visit, token));
  const std::string data = RecordLogin(db, name);
  visit.Redirect(std::string(kLogin) + "?res=" + name + "&" + std::to_string(CountWaiting(db)) +
                 "&" + std::to_string(CountRunning(db)) + "&0&" + data);
}

// Each attempt is counted as wrong before its password is looked at (so attempts at once
// cannot all pass the check) and given back when it proves right. Once a client, or a user at
// a client, has failed too often no password is looked at; strangers failing for a user from
// other addresses only space out the attempts of addresses that failed too. Every attempt, right or
// wrong, spends the client's budget of hashes. The game gets the usual wrong-password outcome
// either way.
void LogInWithForm(Visit& visit) {
  const auto form = ParseForm(visit.Req.Body);
  const std::string name = Lower(form.count("user") ? form.at("user") : "");
  const std::string password = form.count("password") ? form.at("password") : "";
  Throttles& limits = visit.Owner.Limits();
  const std::int64_t now = visit.Owner.Now();
  const std::string who = LogName(name) + " from " + visit.Client();
  const auto throttles = WrongLoginThrottles(limits, name, visit.Client(), now);
  if (!TakeAll(throttles, now)) {
    visit.Owner.Log("login throttled: " + who);
    return RefuseLogin(visit, "troppi");
  }
  if (!limits.HashesOfClient.Take(visit.Client(), now)) {
    RefundAll(throttles);
    visit.Owner.Log("login throttled (hash budget): " + who);
    return RefuseLogin(visit, "troppi");
  }
  LoginCheck check;
  try {
    check = CheckLogin(visit.Owner.Store(), name, password, visit.Owner.Hashing());
  } catch (const HashBusy&) {
    RefundAll(throttles);
    limits.HashesOfClient.Refund(visit.Client());
    visit.Owner.Log("login refused (hashing busy): " + who);
    return RefuseLogin(visit, "attendi");
  }
  if (check == LoginCheck::Wrong) {
    visit.Owner.Log("login failed: " + who);
    return RefuseLogin(visit, "errata");
  }
  RefundAll(throttles);
  limits.WrongLoginsOfUserAtClient.Clear(name + " " + visit.Client());
  if (check == LoginCheck::Inactive) {
    visit.Owner.Log("login of an inactive user: " + who);
    return RefuseLogin(visit, "inattivo");
  }
  visit.Owner.Log("login ok: " + who);
  AcceptLogin(visit, name, now);
}

void LoginPage(Visit& visit) {
  if (visit.Req.Method == "POST") return LogInWithForm(visit);
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

Mail RenewalMail(Visit& visit, const std::string& email, const std::string& name,
                 const std::string& token) {
  return {email, "Nuova password",
          "Ciao " + name + ",\nper avere una nuova password apri questo indirizzo:\n" +
              visit.Owner.PublicUrl() + "/sudoku/gioco-offline/nuova-password.asp?t=" + token +
              "\n"};
}

void RequestPage(Visit& visit) {
  if (visit.Req.Method == "POST") {
    const auto form = ParseForm(visit.Req.Body);
    const std::string email = Lower(form.count("email") ? form.at("email") : "");
    Throttles& limits = visit.Owner.Limits();
    const std::int64_t now = visit.Owner.Now();
    if (visit.Owner.MailIsOff()) return visit.Redirect(kRequest);  // which says so
    if (!limits.PasswordRequestsOfClient.Take(visit.Client(), now)) throw TooMany{};
    if (!limits.PasswordRequests.Take(email, now)) {
      limits.PasswordRequestsOfClient.Refund(visit.Client());
      throw TooMany{};
    }
    const auto issued = IssueRenewalTokens(visit.Owner.Store(), email, now);
    bool mailed = true;
    for (const auto& [name, token] : issued)
      mailed = visit.Owner.SendMail(RenewalMail(visit, email, name, token)) == MailOutcome::Sent &&
               mailed;
    if (!mailed) {
      visit.Flash("nonspedita");
      return visit.Redirect(kRequest);
    }
    visit.Redirect(std::string(kRequest) +
                   (issued.empty() ? "?res=notpswsendedtouser" : "?res=pswsendedtouser"));
    return;
  }
  const std::string result = Result(visit);
  std::string body = "<h3>Richiesta password</h3>\n" + Notice(visit);
  if (visit.Owner.MailIsOff()) body += "<p class=\"e\">" + Escape(kMailOff) + "</p>\n";
  if (result == "pswsendedtouser")
    body += Paragraph("Ti abbiamo spedito un'email per avere una nuova password.");
  else if (result == "notpswsendedtouser")
    body += "<p class=\"e\">Indirizzo email non trovato.</p>\n";
  body += std::string("<form method=\"post\" action=\"") + kRequest + "\">\n" +
          Field("Email", "email", "text") + "<button type=\"submit\">Invia</button></form>\n<p>" +
          Link(kLogin, "Torna all'accesso") + "</p>\n";
  visit.Html("richiesta-password", body);
}

Mail WelcomeMail(Visit& visit, const std::string& name, const std::string& email,
                 const std::string& token) {
  return {Lower(email), "Conferma della registrazione",
          token.empty()
              ? "Ciao " + Lower(name) + ",\nla tua user \u00e8 attiva.\n"
              : "Ciao " + Lower(name) + ",\nper attivare la tua user apri questo indirizzo:\n" +
                    visit.Owner.PublicUrl() +
                    "/sudoku/gioco-offline/conferma-utente.asp?t=" + token + "\n"};
}

// Every attempt counts towards the client's registrations and, when its form is sound, towards
// its password hashes.
void RegisterWithForm(Visit& visit) {
  auto form = ParseForm(visit.Req.Body);
  const std::string name = form["user"], password = form["password"], email = form["email"];
  Db& db = visit.Owner.Store();
  Throttles& limits = visit.Owner.Limits();
  const std::int64_t now = visit.Owner.Now();
  const bool active = visit.Owner.Options().AutoConfirm;
  if (!limits.Registrations.Take(visit.Client(), now)) throw TooMany{};
  // Without mail no account could be confirmed; the form says so.
  if (!active && visit.Owner.MailIsOff())
    return visit.Redirect(std::string(kRegister) + "?res=reg");
  auto problem = RegistrationProblem(db, name, password, email);
  std::optional<std::string> token;
  if (!problem) {
    if (!limits.HashesOfClient.Take(visit.Client(), now)) throw TooMany{};
    token = CreateUser(db, name, password, email, active, visit.Owner.Hashing(), now);
    if (!token) {  // the name or the address was taken meanwhile
      problem = RegistrationProblem(db, name, password, email);
      if (!problem) problem = "Questa user \u00e8 gi\u00e0 registrata.";
    }
  }
  if (problem) {
    visit.Flash(NoticeCode(*problem));
    return visit.Redirect(std::string(kRegister) + "?res=reg");
  }
  const MailOutcome mailed = visit.Owner.SendMail(WelcomeMail(visit, name, email, *token));
  if (mailed == MailOutcome::Failed && !token->empty()) {
    visit.Flash("nonconfermata");
    return visit.Redirect(std::string(kRegister) + "?res=reg");
  }
  visit.Redirect(std::string(kRegister) + "?res=okreg");
}

void RegisterPage(Visit& visit) {
  if (visit.Req.Method == "POST") return RegisterWithForm(visit);
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
    if (visit.Owner.MailIsOff()) body += "<p class=\"e\">" + Escape(kMailOff) + "</p>\n";
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
  if (!visit.Owner.Limits().HashesOfClient.Take(visit.Client(), visit.Owner.Now())) throw TooMany{};
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

// Only for a browser on this machine: a request that came through a proxy (even one on this
// machine) is told there is no such page.
void OutboxPage(Visit& visit) {
  const auto& req = visit.Req;
  if (!visit.FromLoopback || !req.Header("Forwarded").empty() ||
      !req.Header("X-Forwarded-For").empty() || !req.Header("X-Real-IP").empty())
    return visit.Html("pagina non trovata", Paragraph("Pagina non trovata."), 404);
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
  visit.Res.SetHeader("Set-Cookie", SessionCookie(visit, ""));
  visit.Html("logout", Paragraph("Sei uscito. A presto!"));
}

}  // namespace

void RegisterAccountPages(Site& site) {
  site.Page(kLogin, LoginPage, true);
  site.Page(kRequest, RequestPage, true);
  site.Page(kRegister, RegisterPage, true);
  site.Page("/sudoku/gioco-offline/conferma-utente.asp", ConfirmPage);
  site.Page("/sudoku/gioco-offline/nuova-password.asp", RenewPage);
  if (site.Options().Mail.DevOutbox) site.Page("/sudoku/admin/outbox.asp", OutboxPage);
  site.Page("/sudoku/sfida-online/logout.asp", LogoutPage);
}

}  // namespace sudoku::site
