// Qt's own texts (the standard buttons of message boxes, the editors' menus) in the game's
// language, from the system's Qt translations.
#pragma once

#include <memory>
#include <string>

class QTranslator;

namespace sudoku {

class QtTranslations {
 public:
  QtTranslations();
  ~QtTranslations();
  QtTranslations(const QtTranslations&) = delete;
  QtTranslations& operator=(const QtTranslations&) = delete;

  // Puts Qt's texts in the language of lingua: English for "en", Qt's own language, Italian
  // for anything else. Does nothing while lingua stays the same; without the system's Italian
  // catalogue Qt's texts stay English.
  void Follow(const std::string& lingua);

 private:
  std::string inForce_;
  std::unique_ptr<QTranslator> italian_;
  bool installed_ = false;
};

}  // namespace sudoku
