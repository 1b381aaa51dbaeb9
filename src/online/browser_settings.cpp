// Saving, replacing and restoring the browser settings.
#include "online/browser_settings.h"

namespace sudoku {

BrowserSettings SaveBrowserSettings(SettingsStore& store) {
  BrowserSettings saved;
  saved.DebuggerSalvato = store.Read(kBrowserMainKey, kDebuggerValue).value_or("");
  saved.DebuggerIESalvato = store.Read(kBrowserMainKey, kDebuggerIEValue).value_or("");
  std::optional<std::string> sound = store.Read(kNavigationSoundKey, kDefaultValue);
  if (!sound) return {kUnknownSetting, kUnknownSetting, kUnknownSetting};
  saved.SuonoNavigazioneSalvato = *sound;
  return saved;
}

void ApplyBrowserSettings(SettingsStore& store, const BrowserSettings& saved) {
  store.Write(kBrowserMainKey, kDebuggerValue, "yes");
  store.Write(kBrowserMainKey, kDebuggerIEValue, "yes");
  if (saved.SuonoNavigazioneSalvato != kUnknownSetting) {
    store.Write(kNavigationSoundKey, kDefaultValue, "");
  }
}

void RestoreBrowserSettings(SettingsStore& store, const BrowserSettings& saved) {
  if (saved.DebuggerSalvato == kUnknownSetting) return;
  store.Write(kBrowserMainKey, kDebuggerValue, saved.DebuggerSalvato);
  store.Write(kBrowserMainKey, kDebuggerIEValue, saved.DebuggerIESalvato);
  if (saved.SuonoNavigazioneSalvato != kUnknownSetting) {
    store.Write(kNavigationSoundKey, kDefaultValue, saved.SuonoNavigazioneSalvato);
  }
}

}  // namespace sudoku
