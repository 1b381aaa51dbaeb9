// Per-user string values kept by QSettings.
#include "desktop/qt_settings_store.h"

#include <QSettings>

#include "desktop/web_pane.h"

namespace sudoku {

namespace {

QString PathOf(const std::string& key, const std::string& name) {
  QString path = FromLatin1(key);
  path.replace(QLatin1Char('\\'), QLatin1Char('/'));
  return path + QLatin1Char('/') + (name.empty() ? QStringLiteral("Default") : FromLatin1(name));
}

}  // namespace

QtSettingsStore::QtSettingsStore(const QString& file)
    : settings_(file.isEmpty() ? std::make_unique<QSettings>(QStringLiteral("sudoku"),
                                                             QStringLiteral("sudoku"))
                               : std::make_unique<QSettings>(file, QSettings::IniFormat)) {}

QtSettingsStore::~QtSettingsStore() = default;

std::optional<std::string> QtSettingsStore::Read(const std::string& key, const std::string& name) {
  const QString path = PathOf(key, name);
  if (!settings_->contains(path)) return std::nullopt;
  return ToLatin1(settings_->value(path).toString());
}

bool QtSettingsStore::Write(const std::string& key, const std::string& name,
                            const std::string& value) {
  settings_->setValue(PathOf(key, name), FromLatin1(value));
  settings_->sync();
  return settings_->status() == QSettings::NoError;
}

}  // namespace sudoku
