// Installing and removing Qt's Italian catalogue as the game's language changes.
#include "desktop/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace sudoku {

QtTranslations::QtTranslations() : italian_(std::make_unique<QTranslator>()) {
  // "qt_it" gathers the catalogues of every Qt module that has one.
  if (!italian_->load(QStringLiteral("qt_it"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    italian_.reset();
  }
}

QtTranslations::~QtTranslations() {
  if (installed_) QCoreApplication::removeTranslator(italian_.get());
}

void QtTranslations::Follow(const std::string& lingua) {
  if (lingua == inForce_) return;
  inForce_ = lingua;
  const bool wanted = lingua != "en" && italian_ != nullptr;
  if (wanted == installed_) return;
  installed_ = wanted ? QCoreApplication::installTranslator(italian_.get())
                      : !QCoreApplication::removeTranslator(italian_.get());
}

}  // namespace sudoku
