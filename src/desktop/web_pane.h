// One embedded browser pane over Qt WebEngine, with what the game asks of a browser control:
// navigate, stop, ready state, location, value lookups by id, scrolling and print preview.
#pragma once

#include <QString>
#include <QWebEngineView>
#include <functional>
#include <optional>
#include <string>

class QWebEngineProfile;

namespace sudoku {

class WebPane : public QWebEngineView {
  Q_OBJECT
 public:
  // profile: the one profile shared by every pane of the program (one cookie jar).
  WebPane(QWebEngineProfile* profile, QWidget* parent = nullptr);

  // address: a full URL, "about:blank" or an absolute local path.
  void Navigate(const std::string& address);
  void StopLoading();
  // 4 once the last navigation has completed, 1 while loading, 0 before any navigation.
  int ReadyState() const { return readyState_; }
  std::string LocationName() const;
  std::string LocationUrl() const;

  // Processes events until the page completes or timeoutMs passes.
  void WaitComplete(int timeoutMs);

  enum class LookupStatus { kFound, kNone, kNotHtml, kNoBody };
  struct Lookup {
    LookupStatus status = LookupStatus::kNone;
    QString value;
  };
  // The "value" attribute of the first element of the body whose id equals name ignoring
  // case; answered by a short script in the page, waited for at most timeoutMs.
  Lookup FindValueById(const std::string& name, int timeoutMs = 5000);
  void ScrollTo(int x, int y);
  // Opens the print preview of the loaded page (modal).
  void PrintPreview();

  std::function<void()> documentComplete;
  std::function<void(const std::string& title)> titleChanged;
  std::function<void(const std::string& address)> beforeNavigate;
  // Runs beforeNavigate; the address of a navigation it started, which replaces this one.
  std::optional<std::string> RunBeforeNavigate(const std::string& address);

 private:
  int readyState_ = 0;
  bool loadFailed_ = false;
  bool inBeforeNavigate_ = false;
  std::optional<std::string> replacement_;
};

// Latin-1 bytes of the logic to text shown by Qt, and back (unmappable characters become '?').
QString FromLatin1(const std::string& text);
std::string ToLatin1(const QString& text);

}  // namespace sudoku
