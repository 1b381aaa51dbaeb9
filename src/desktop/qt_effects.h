// The Effects port over Qt: wave sounds, paint-only fills on the grids, pauses that repaint
// first and take no input, and keyboard focus by control name.
#pragma once

#include <functional>
#include <memory>

#include "play/ports.h"

class QSoundEffect;

namespace sudoku {

class TFsudoku;

class QtEffects : public Effects {
 public:
  // sync: brings the window in line with the controls before a pause repaints it.
  QtEffects(TFsudoku& window, std::function<void()> sync);
  ~QtEffects() override;

  void PlaySound(const std::filesystem::path& path) override;
  void FillRect(GridId grid, const Rect& rect, const Rgb& colour) override;
  void ClearFills(GridId grid, const std::optional<Rect>& area) override;
  void Pause(int ms) override;
  bool SetFocus(const std::string& control) override;
  void Announce(const std::string& text) override;

  // Where a sound that cannot be played is reported; the command that asked goes on.
  std::function<void(const std::string&)> reportError;

 private:
  TFsudoku& window_;
  std::function<void()> sync_;
  QSoundEffect* sound_ = nullptr;
};

}  // namespace sudoku
