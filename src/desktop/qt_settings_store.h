// The SettingsStore port over QSettings: a registry key is a settings group (backslashes
// become slashes), a value name a key in it; the unnamed default value is "Default".
#pragma once

#include <QString>
#include <memory>

#include "play/ports.h"

class QSettings;

namespace sudoku {

class QtSettingsStore : public SettingsStore {
 public:
  // file: an ini file for tests; empty uses the user's settings of the program.
  explicit QtSettingsStore(const QString& file = QString());
  ~QtSettingsStore() override;

  std::optional<std::string> Read(const std::string& key, const std::string& name) override;
  bool Write(const std::string& key, const std::string& name, const std::string& value) override;

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace sudoku
