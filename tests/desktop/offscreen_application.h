// The one QApplication of a test program that builds real windows: offscreen unless the
// environment chooses a platform, WebEngine's sandbox off (tests may run as root).
#pragma once

#include <QApplication>

namespace sudoku::testing {

// Creates the application once; later calls do nothing.
inline void EnsureApplication() {
  if (QApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX")) {
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  }
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  static int argc = 1;
  static char name[] = "sudoku_tests";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

}  // namespace sudoku::testing
