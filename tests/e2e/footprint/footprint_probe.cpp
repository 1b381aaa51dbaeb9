// A whole game driven as a player drives it, for scripts/footprint.sh: offline (No to the connect
// question) or connected (a new user, USER, registered and logged in, the catalogue shown). It
// prints "window NS" at the main window's first paint (NS: the real-time clock in nanoseconds)
// and "ready PID" once the state is reached, then runs until it is ended.
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "desktop/web_pane.h"
#include "online_fixture.h"

namespace sudoku::testing {
namespace {

// Prints the time of the window's first paint.
class FirstPaint : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      timespec now{};
      clock_gettime(CLOCK_REALTIME, &now);
      std::printf("window %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
      std::fflush(stdout);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool seen_ = false;
};

// With FOOTPRINT_SHOTS naming a folder: each pane's page as the pane shows it
// (light-NAME.png) and as the browser engine shows the same page at the same size
// (engine-NAME.png), to compare the two by eye. Starts the engine: never while measuring.
void SaveShots(Player& player, const QString& folder) {
  for (const auto& [name, pane] : player.App().Window().Panes()) {
    const QString base = QDir(folder).filePath(QString::fromStdString(name));
    pane->grab().save(base + QStringLiteral("-light.png"));
    QWebEngineView engine;
    engine.resize(pane->size());
    engine.show();
    bool loaded = false;
    QObject::connect(&engine, &QWebEngineView::loadFinished, [&loaded] { loaded = true; });
    engine.load(pane->url());
    WaitFor([&] { return loaded; }, 30000);
    QTest::qWait(1000);  // the engine paints a moment after loading
    engine.grab().save(base + QStringLiteral("-engine.png"));
  }
}

bool AllPanesComplete(Player& player) {
  const auto& panes = player.App().Window().Panes();
  return std::all_of(panes.begin(), panes.end(),
                     [](const auto& p) { return p.second->ReadyState() == 4; });
}

int Run(bool connect, const std::string& site, const QString& user) {
  QTemporaryDir folder;
  Player player(site, folder.filePath(QStringLiteral("game")), nullptr, true);
  BoxAnswerer boxes;
  boxes.yes = [connect](const std::string&) { return connect; };
  FirstPaint firstPaint;
  player.App().Window().installEventFilter(&firstPaint);
  WebPane& home = player.Pane("WQuillo");
  if (connect) {
    player.Start(true, [&] { SignUpAndLogIn(player, user); });
    if (!player.Connection().Registrato) return 1;
    player.Fire("ScaricaSchemaweb2Click");
    WebPane& catalogue = player.Pane("WBTrascina");
    if (!WaitFor([&] { return catalogue.ReadyState() == 4 && catalogue.title().contains(';'); },
                 60000))
      return 1;
  } else {
    player.App().Show();
    if (!WaitFor([&] { return home.LocationUrl().find("sudoku.html") != std::string::npos; }))
      return 1;
  }
  if (!WaitFor([&] { return AllPanesComplete(player); }, 60000)) return 1;
  // The engine's processes settle after their first pages.
  QTest::qWait(3000);
  if (qEnvironmentVariableIsSet("FOOTPRINT_SHOTS"))
    SaveShots(player, qEnvironmentVariable("FOOTPRINT_SHOTS"));
  std::printf("ready %d\n", static_cast<int>(getpid()));
  std::fflush(stdout);
  return QApplication::exec();
}

}  // namespace
}  // namespace sudoku::testing

int main(int argc, char** argv) {
  if (argc < 2 ||
      (std::strcmp(argv[1], "offline") != 0 && std::strcmp(argv[1], "connected") != 0)) {
    std::fputs("usage: footprint_probe offline|connected [SITE [USER]]\n", stderr);
    return 2;
  }
  // As the game does: the engine refuses root with its sandbox on.
  if (geteuid() == 0) setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  sudoku::ChooseSoftwareRendering();
  QApplication application(argc, argv);
  const bool connect = std::strcmp(argv[1], "connected") == 0;
  return sudoku::testing::Run(connect, argc > 2 ? argv[2] : "http://127.0.0.1:1",
                              QString::fromLatin1(argc > 3 ? argv[3] : "misura"));
}
