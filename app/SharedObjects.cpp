#include "app/SharedObjects.h"

#include "engine/PasteStack.h"
#include "platform/x11/SystemLaunchAtLoginService.h"
#include "platform/x11/X11KeyMonitor.h"
#include "platform/x11/X11KeyboardLayout.h"
#include "platform/x11/X11PasteKeystroke.h"
#include "platform/x11/X11Pasteboard.h"
#include "platform/x11/X11Trust.h"
#include "preferences/LanguagePreferenceStore.h"
#include "preferences/UserDefaultsLanguagePreferenceStore.h"
#include "shortcuts/HotkeyManager.h"
#include "shortcuts/UserDefaultsShortcutStore.h"

namespace sorvu {

namespace {

// The pasteboard is shared with the paste coordinator, which follows what targets fetch from it.
std::shared_ptr<X11Pasteboard> pasteboardInstance() {
    static const auto instance = std::make_shared<X11Pasteboard>();
    return instance;
}

PasteStack::Dependencies productionDependencies() {
    PasteStack::Dependencies dependencies;
    dependencies.pasteboard = pasteboardInstance();
    dependencies.clipboardFilesDirectory = PasteStack::defaultClipboardFilesDirectory();
    dependencies.commandVEventFactory = [] { return makeX11PasteKeystroke(); };
    dependencies.scheduleCleanup = PasteStack::mainLoopScheduleCleanup();
    dependencies.accessibilityTrustProvider = [] { return isProcessTrusted(); };
    dependencies.launchAtLoginService = std::make_shared<SystemLaunchAtLoginService>();
    dependencies.automaticallyPolls = true;
    dependencies.settings = sharedSettings();
    return dependencies;
}

} // namespace

std::shared_ptr<QSettings> sharedSettings() {
    static const auto instance = std::make_shared<QSettings>(QStringLiteral("Sorvu"), QStringLiteral("Sorvu"));
    return instance;
}

X11Pasteboard& sharedPasteboard() {
    return *pasteboardInstance();
}

PasteStack& sharedPasteStack() {
    static PasteStack* const instance = new PasteStack(productionDependencies());
    return *instance;
}

HotkeyManager& sharedHotkeyManager() {
    static HotkeyManager* const instance = new HotkeyManager(
        std::make_shared<UserDefaultsShortcutStore>(sharedSettings()), [] { sharedPasteStack().toggleCollecting(); },
        [] { sharedPasteStack().pasteNext(); },
        [](quint16 keyCode) { return X11KeyboardLayout::shared().characterForKeyCode(keyCode); },
        [](const QString& text) { return X11KeyboardLayout::shared().keyCodeForCharacter(text); },
        std::make_shared<X11KeyMonitor>());
    return *instance;
}

LanguagePreferenceStore& sharedLanguagePreferenceStore() {
    static LanguagePreferenceStore* const instance =
        new LanguagePreferenceStore(std::make_shared<UserDefaultsLanguagePreferenceStore>(sharedSettings()));
    return *instance;
}

} // namespace sorvu
