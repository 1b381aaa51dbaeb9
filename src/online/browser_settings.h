// The three per-user browser settings the program changes while it runs: saved at start,
// replaced, and written back at close.
#pragma once

#include <string>

#include "play/ports.h"

namespace sudoku {

inline constexpr const char* kBrowserMainKey = "Software\\Microsoft\\Internet Explorer\\Main";
inline constexpr const char* kDebuggerValue = "Disable Script Debugger";
inline constexpr const char* kDebuggerIEValue = "DisableScriptDebuggerIE";
inline constexpr const char* kNavigationSoundKey =
    "AppEvents\\Schemes\\Apps\\Explorer\\Navigating\\.current";
inline constexpr const char* kDefaultValue = "";  // a key's default (unnamed) value
// What all three saved values read when the sound key cannot be read.
inline constexpr const char* kUnknownSetting = "sconosciuto";

struct BrowserSettings {
  std::string DebuggerSalvato;
  std::string DebuggerIESalvato;
  std::string SuonoNavigazioneSalvato;
};

// Reads the three values; a debugger value that cannot be read counts as empty, while a sound
// value that cannot be read makes all three kUnknownSetting.
BrowserSettings SaveBrowserSettings(SettingsStore& store);

// Writes "yes" to both debugger values and, unless the sound is unknown, an empty sound.
void ApplyBrowserSettings(SettingsStore& store, const BrowserSettings& saved);

// Writes the saved values back, unless they are unknown. Write failures are ignored.
void RestoreBrowserSettings(SettingsStore& store, const BrowserSettings& saved);

}  // namespace sudoku
