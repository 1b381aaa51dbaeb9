// Program entry: finds and prepares the game folder, then creates the main window, the login
// window and the About box and runs the event loop until the main window closes.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <unistd.h>

#include "desktop/desktop_app.h"
#include "storage/atoms/atom_table.h"
#include "storage/game_folder.h"

namespace {

// The atom-table functions this program offers, kept so that the program always loads the
// shared atom-table library that defines them.
[[gnu::used]] const void* const kExported[] = {reinterpret_cast<const void*>(&SaveResult),
                                               reinterpret_cast<const void*>(&GetResult)};

constexpr const char* kUsage =
    "usage: sudoku [--help] [--version]\n"
    "Starts the sudoku game. Its files live in the game folder: $SUDOKU_HOME, else\n"
    "$XDG_DATA_HOME/sudoku-game, else ~/.local/share/sudoku-game, filled on the first start.\n"
    "The puzzle site is $SUDOKU_SITE, else the address saved in the game's settings, else\n"
    "http://127.0.0.1:8642.\n";

// The assets that come with the game: installed beside the program, or the source tree's when
// the program runs from its build folder.
std::filesystem::path Assets() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (!error) {
    const std::filesystem::path installed =
        program.parent_path().parent_path() / "share" / "sudoku-game";
    if (std::filesystem::is_directory(installed / "noconnect", error)) return installed;
  }
  return SUDOKU_SOURCE_ASSETS;
}

// The embedded browser refuses to start as root with its sandbox on, and then ends the whole
// program: as root the sandbox is turned off here, before the application exists, and said so.
void AllowBrowserAsRoot(int argc, char** argv) {
  if (geteuid() != 0) return;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--no-sandbox") == 0) return;
  }
  const char* disabled = std::getenv("QTWEBENGINE_DISABLE_SANDBOX");
  if (disabled != nullptr && std::strcmp(disabled, "1") == 0) return;
  setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 1);
  std::fputs("sudoku: running as root, so the embedded browser runs without its sandbox\n", stderr);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("sudoku %s\n", SUDOKU_VERSION);
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
  }
  const std::filesystem::path base = sudoku::GameFolder(
      std::getenv("SUDOKU_HOME"), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
  try {
    sudoku::PrepareGameFolder(base, Assets());
    std::filesystem::current_path(base);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "sudoku: cannot prepare the game folder %s: %s\n", base.c_str(),
                 error.what());
    return 1;
  }

  AllowBrowserAsRoot(argc, argv);
  sudoku::ChooseSoftwareRendering();
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("Sudoku"));
  application.setDesktopFileName(QStringLiteral("org.sudokugame.Sudoku"));
  sudoku::DesktopApp program(sudoku::ShellOptions{});
  program.Create(base);
  program.Show();
  return application.exec();
}
