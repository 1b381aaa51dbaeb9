// The ports through which the main window's behaviour reaches the world: boxes and dialogs,
// sound and paint effects, the clock, the per-user settings. The shell implements them with Qt,
// tests with fakes.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "solver/random.h"

namespace sudoku {

// Texts handed through the ports are Latin-1 bytes; "\n\r" sequences are kept as they are.
enum class BoxKind { Plain, Information, Error };
enum class Answer { Yes, No, Cancel };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A modal box with an OK button.
  virtual void Message(BoxKind kind, const std::string& text) = 0;
  // A modal Yes/No box; true for Yes.
  virtual bool Confirm(const std::string& text) = 0;
  // A modal question with Yes, No and Cancel; closing the box is Cancel.
  virtual Answer AskYesNoCancel(const std::string& text) = 0;
  // An input box; cancelling gives the proposed text back.
  virtual std::string InputBox(const std::string& caption, const std::string& prompt,
                               const std::string& proposed) = 0;
  // The file-open dialog started in directory; nullopt when cancelled.
  virtual std::optional<std::filesystem::path> OpenFile(const std::filesystem::path& directory) = 0;
  // Shows the login window modally and returns its caption (the login result).
  virtual std::string ShowLogin() = 0;
  virtual void ShowAbout() = 0;
};

struct Rgb {
  int r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// A rectangle in a control's pixels, right and bottom exclusive.
struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const Rect&) const = default;
};

// The two grids the game paints on: the playing board ("sudokugrid") and the candidates
// grid ("UAgrid").
enum class GridId { Board, Candidates };

class Effects {
 public:
  virtual ~Effects() = default;
  // Starts playing a wave file in the background, stopping any sound still playing.
  virtual void PlaySound(const std::filesystem::path& path) = 0;
  // Paints rect on the surface of the grid; the paint lasts until that part of the grid is
  // repainted.
  virtual void FillRect(GridId grid, const Rect& rect, const Rgb& colour) = 0;
  // Ends what FillRect painted on the grid over the cells that area touches, or over the whole
  // grid when there is no area.
  virtual void ClearFills(GridId grid, const std::optional<Rect>& area) = 0;
  // Brings the window up to date with the controls and paints it (keeping what FillRect
  // painted), then blocks for ms without taking user input.
  virtual void Pause(int ms) = 0;
  // Moves the keyboard focus to the named control; false when it cannot take it.
  virtual bool SetFocus(const std::string& control) = 0;
  // Tells assistive technology what just happened (Latin-1); nothing is shown.
  virtual void Announce(const std::string& text) = 0;
};

struct DateTime {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() = 0;
};

// Per-user string values (the registry of the original platform).
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  virtual std::optional<std::string> Read(const std::string& key, const std::string& name) = 0;
  // false when the value could not be written.
  virtual bool Write(const std::string& key, const std::string& name, const std::string& value) = 0;
};

}  // namespace sudoku
