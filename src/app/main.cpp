// Program entry: the main window first, then the login window and the About box, then the
// event loop until the main window closes. CartellaBase is the working directory at start.
#include <QApplication>
#include <filesystem>

#include "desktop/desktop_app.h"
#include "storage/atoms/atom_table.h"

namespace {

// The atom-table functions this program offers, kept so that the program always loads the
// shared atom-table library that defines them.
[[gnu::used]] const void* const kExported[] = {reinterpret_cast<const void*>(&SaveResult),
                                               reinterpret_cast<const void*>(&GetResult)};

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("Sudoku"));
  const std::filesystem::path base = std::filesystem::current_path();

  sudoku::DesktopApp program(sudoku::ShellOptions{});
  program.Create(base);
  program.Show();
  return application.exec();
}
