#pragma once

#include <QSettings>

#include <memory>

namespace sorvu {

class HotkeyManager;
class LanguagePreferenceStore;
class PasteStack;
class X11Pasteboard;

// The objects that exist once per process, each made on first use (after the Qt application) and kept
// until the process ends.
std::shared_ptr<QSettings> sharedSettings();
X11Pasteboard& sharedPasteboard();
PasteStack& sharedPasteStack();
HotkeyManager& sharedHotkeyManager();
LanguagePreferenceStore& sharedLanguagePreferenceStore();

} // namespace sorvu
