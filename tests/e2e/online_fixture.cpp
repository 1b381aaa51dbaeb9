// Building a player's program and acting in its pages.
#include "online_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <memory>

#include "desktop/offscreen_application.h"
#include "desktop/tflogin.h"
#include "desktop/web_pane.h"
#include "online/login_window.h"

namespace sudoku::testing {

bool PlayerDialogs::Shown(const std::string& text) const {
  for (const ShownMessage& message : messages) {
    if (message.text == text) return true;
  }
  return false;
}

void OnlineTest::SetUpTestSuite() {
  EnsureApplication();
}

void SiteTest::SetUp() {
  site = std::make_unique<SiteProcess>(folder.filePath(QStringLiteral("site.db")));
  ASSERT_TRUE(site->Ready()) << site->Output().toStdString();
}

Player::Player(const std::string& siteAddress, const QString& folder, PaintingPause* pause,
               bool realBoxes)
    : realBoxes_(realBoxes) {
  const std::filesystem::path base = folder.toStdString();
  std::filesystem::create_directories(base / "temi");
  std::filesystem::copy(std::filesystem::path(SUDOKU_SOURCE_DIR) / "assets" / "noconnect",
                        base / "noconnect", std::filesystem::copy_options::recursive);
  settings_ = std::make_unique<QtSettingsStore>(QDir(folder).filePath(QStringLiteral("s.ini")));
  ShellOptions options;
  options.dialogs = realBoxes ? nullptr : &dialogs;
  options.settings = settings_.get();
  options.siteAddress = siteAddress;
  options.pause = pause;
  app_ = std::make_unique<DesktopApp>(options);
  app_->Create(base);
  dialogs.showLogin = [this] { return app_->Login().Exec(); };
}

Player::~Player() {
  app_.reset();
  QApplication::processEvents();
}

void Player::Start(bool connect, std::function<void()> inLogin) {
  if (!realBoxes_) dialogs.confirmAnswers.push_back(connect);  // else the answerer says Yes
  bool acted = !inLogin;  // the user acts once the login window is up
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (acted || !app_->Login().isVisible()) return;
    acted = true;
    inLogin();
  });
  watch.start(50);
  app_->Show();
  // Activation asks the question and, on Yes, runs the login to its end.
  ASSERT_TRUE(WaitFor(
      [&] {
        return (realBoxes_ || !dialogs.confirmations.empty()) && acted &&
               !app_->Login().isVisible();
      },
      90000));
}

bool OnLoginForm(Player& player) {
  const LoginWindow& login = player.App().LoginLogic();
  const std::string url = player.LoginPane().LocationUrl();
  return login.Visible && login.Caption == "4pw7anony7wp4" &&
         player.LoginPane().ReadyState() == 4 && url.find("login.asp") != std::string::npos &&
         url.find('?') == std::string::npos;
}

void SignUp(Player& player, const QString& user, const QString& password) {
  WebPane& pane = player.LoginPane();
  ASSERT_TRUE(WaitFor([&] { return OnLoginForm(player); }));
  ClickLink(pane, QStringLiteral("registra-utente"));
  ASSERT_TRUE(WaitFor([&] { return player.App().LoginLogic().Height == 620; }));
  EXPECT_EQ(player.App().Login().height(), 593);  // the window follows the page's height
  const std::size_t shown = player.dialogs.messages.size();
  FillAndSubmit(pane, {{"user", user}, {"password", password}, {"email", user + "@x.it"}});
  ASSERT_TRUE(WaitFor([&] {
    return (player.RealBoxes() || player.dialogs.messages.size() > shown) && OnLoginForm(player);
  })) << pane.LocationUrl();
}

void SignUpAndLogIn(Player& player, const QString& user, const QString& password) {
  SignUp(player, user, password);
  FillAndSubmit(player.LoginPane(), {{"user", user}, {"password", password}});
}

BoxAnswerer::BoxAnswerer() {
  QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
  timer_.start(50);
}

void BoxAnswerer::Look() {
  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
  if (box == nullptr || !box->isVisible()) return;
  if (box != current_) {
    current_ = box;
    progressAtShow_ = progress ? progress() : 0;
    shown_.start();
    boxes.push_back({ToLatin1(box->text()), box->icon(), box->parentWidget()});
  }
  if (progress && progress() == progressAtShow_ && shown_.elapsed() < 8000) return;
  current_ = nullptr;
  if (box->button(QMessageBox::Yes) != nullptr) {
    const bool answer = !yes || yes(boxes.back().text);
    box->button(answer ? QMessageBox::Yes : QMessageBox::No)->click();
  } else {
    box->button(QMessageBox::Ok)->click();
  }
}

bool WaitFor(const std::function<bool()>& condition, int ms) {
  return QTest::qWaitFor(condition, ms);
}

QVariant RunScript(WebPane& pane, const QString& script, int ms) {
  auto result = std::make_shared<std::pair<bool, QVariant>>(false, QVariant());
  pane.page()->runJavaScript(script, [result](const QVariant& value) { *result = {true, value}; });
  WaitFor([result] { return result->first; }, ms);
  return result->second;
}

void FillAndSubmit(WebPane& pane, const std::vector<std::pair<QString, QString>>& fields) {
  QString script = QStringLiteral("(function(){var f=document.forms[0];");
  for (const auto& [name, value] : fields) {
    QString quoted = value;
    quoted.replace(QLatin1String("\\"), QLatin1String("\\\\"))
        .replace(QLatin1String("'"), QLatin1String("\\'"));
    script +=
        QStringLiteral("f.elements['%1'].focus();f.elements['%1'].value='%2';").arg(name, quoted);
  }
  script += QStringLiteral("f.submit();return true;})()");
  RunScript(pane, script);
}

void ClickLink(WebPane& pane, const QString& hrefPart) {
  RunScript(pane, QStringLiteral("(function(){var a=document.querySelector('a[href*=\"%1\"]');"
                                 "if(a)a.click();return !!a;})()")
                      .arg(hrefPart));
}

QString PageText(WebPane& pane) {
  return RunScript(pane, QStringLiteral("document.body?document.body.innerText:''")).toString();
}

}  // namespace sudoku::testing
