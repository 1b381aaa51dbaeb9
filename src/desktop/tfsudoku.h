// The main window: every control of the game at its place, each named by its control name.
// It holds no behaviour; ShellBinding wires it to the logic, and the captions and tooltips the
// control model holds reach the widgets with the binding's first sync.
#pragma once

#include <QMainWindow>
#include <functional>
#include <map>
#include <string>

class QAction;
class QLabel;
class QWebEngineProfile;

namespace sudoku {

class GridView;
class TabControl;
class WebPane;

class TFsudoku : public QMainWindow {
  Q_OBJECT
 public:
  struct Options {
    // False builds plain placeholders instead of the six web panes (offscreen tests).
    bool browsers = true;
    // Gives the profile every pane shares, the first time a pane needs the engine.
    std::function<QWebEngineProfile*()> profile;
  };
  explicit TFsudoku(const Options& options, QWidget* parent = nullptr);

  GridView* Board() const { return board_; }
  GridView* Candidates() const { return candidates_; }
  TabControl* PageControl1() const { return pageControl1_; }
  TabControl* PageControl2() const { return pageControl2_; }
  // The web pane of that name, or null when the window was built without browsers.
  WebPane* Pane(const std::string& name) const;
  const std::map<std::string, WebPane*>& Panes() const { return panes_; }
  QAction* LanguageItem() const { return languageItem_; }
  // Puts the outer frame, title bar included, at the top-left corner of the screen's free area;
  // called before the window is first shown.
  void PlaceAtTopLeft();

  // Asked when the user closes the window; runs before the window goes.
  std::function<void()> closing;
  // Asked before the window closes; false keeps it open.
  std::function<bool()> mayClose;
  // Asked when the window is first shown and active.
  std::function<void()> activated;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void BuildMenus();
  void BuildBoardPanel(QWidget* parent);
  void BuildPageControl1(QWidget* parent);
  QWidget* BuildOnlinePage();
  QWidget* BuildLocalPage();
  QWidget* BuildInfoPage();
  QWidget* BuildCandidatesPage();
  void BuildBottomPanel(QWidget* parent);
  void BuildChallengePanel(QWidget* parent);
  void SetTabOrder();
  QWidget* MakePane(const char* name, QWidget* parent);

  Options options_;
  GridView* board_ = nullptr;
  GridView* candidates_ = nullptr;
  TabControl* pageControl1_ = nullptr;
  TabControl* pageControl2_ = nullptr;
  QAction* languageItem_ = nullptr;
  std::map<std::string, WebPane*> panes_;
  bool activatedOnce_ = false;
};

}  // namespace sudoku
