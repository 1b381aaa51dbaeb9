// One embedded browser pane, with what the game asks of a browser control: navigate, stop,
// ready state, location, value lookups by id, scrolling and print preview. The game's own
// offline pages show in a light text view; Qt WebEngine starts the first time a pane goes to
// the site, so a game that stays offline never starts the engine's processes.
#pragma once

#include <QString>
#include <QUrl>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

class QStackedLayout;
class QTextBrowser;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

namespace sudoku {

// Where the panes may go: "about:blank", the configured site's http(s) pages and the game's own
// offline pages. A page title or a link never takes a pane to a local file or another host.
struct NavigationPolicy {
  QUrl site;           // the site's base address: its scheme, host and port count
  QString localPages;  // the folder of the offline pages, absolute; empty allows none
  bool Allows(const QUrl& url) const;
};

class WebPane : public QWidget {
  Q_OBJECT
 public:
  // The one profile shared by every pane of the program (one cookie jar), asked for the first
  // time a pane needs the engine; null gives the pane a profile of its own.
  using ProfileSource = std::function<QWebEngineProfile*()>;
  explicit WebPane(ProfileSource profile, QWidget* parent = nullptr);
  explicit WebPane(QWebEngineProfile* profile, QWidget* parent = nullptr);

  // Null lets the pane go anywhere (a pane of its own, in tests); the policy outlives the pane.
  void SetPolicy(const NavigationPolicy* policy) { policy_ = policy; }
  bool Allows(const QUrl& url) const { return policy_ == nullptr || policy_->Allows(url); }

  // address: a full URL or "about:blank". An address the policy refuses is not loaded and the
  // pane stays complete. Local files, and "about:blank" while the light view is the pane's, load
  // in the light view; everything else in the engine.
  void Navigate(const std::string& address);
  void StopLoading();
  // 4 once the last navigation has completed, 1 while loading, 0 before any navigation.
  int ReadyState() const { return readyState_; }
  std::string LocationName() const;
  std::string LocationUrl() const;
  // The shown page's title; a page without one is named by its address.
  QString title() const;
  QUrl url() const;

  // Processes events until the page completes or timeoutMs passes.
  void WaitComplete(int timeoutMs);

  enum class LookupStatus { kFound, kNone, kNotHtml, kNoBody };
  struct Lookup {
    LookupStatus status = LookupStatus::kNone;
    QString value;
  };
  // The "value" attribute of the first element of the body whose id equals name ignoring
  // case; answered by a short script in the page, waited for at most timeoutMs. The light
  // view's pages hold no such elements.
  Lookup FindValueById(const std::string& name, int timeoutMs = 5000);
  void ScrollTo(int x, int y);
  // Opens the print preview of the loaded page (modal).
  void PrintPreview();

  // The engine's view, made (and the engine started) on the first call.
  QWebEngineView* Engine();
  bool HasEngine() const { return engine_ != nullptr; }
  QWebEnginePage* page();

  // The pane's events. documentComplete, titleChanged and navigateError run from the event loop
  // after the engine's callback has returned, so they may show boxes and wait for pages;
  // beforeNavigate runs inside the engine's callback (its boxes are put off, see QtDialogs).
  std::function<void()> documentComplete;
  std::function<void(const std::string& title)> titleChanged;
  std::function<void(const std::string& address)> beforeNavigate;
  // A page could not be reached at all (refused connection, unknown host): its address.
  std::function<void(const std::string& address)> navigateError;
  // Runs beforeNavigate; the address of a navigation it started, which replaces this one.
  std::optional<std::string> RunBeforeNavigate(const std::string& address);

 signals:
  // The last navigation has ended, in either view.
  void loadFinished(bool ok);

 private:
  // The light view's page is the pane's again.
  void ShowLight();
  void LoadLight(const QUrl& url);
  void Finished(bool ok);
  void NoticeTitle(const QString& title);

  ProfileSource profile_;
  const NavigationPolicy* policy_ = nullptr;
  QStackedLayout* stack_ = nullptr;
  QTextBrowser* light_ = nullptr;
  QWebEngineView* engine_ = nullptr;
  bool engineShown_ = false;  // the engine's page is the pane's (once loaded, also on screen)
  QUrl lightUrl_;
  QString toldTitle_;  // the title the owner was last told, by either view
  int readyState_ = 0;
  bool loadFailed_ = false;
  bool unreachable_ = false;  // the last load found nothing at its address
  bool inBeforeNavigate_ = false;
  std::optional<std::string> replacement_;
};

// Latin-1 bytes of the logic to text shown by Qt, and back (unmappable characters become '?').
QString FromLatin1(const std::string& text);
std::string ToLatin1(const QString& text);

}  // namespace sudoku
