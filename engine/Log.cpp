#include "engine/Log.h"

namespace sorvu::log {

namespace {

Q_LOGGING_CATEGORY(clipboardQueueCategory, "sorvu.PasteStack", QtInfoMsg)
Q_LOGGING_CATEGORY(uiCategory, "sorvu.UI", QtInfoMsg)
Q_LOGGING_CATEGORY(dragOutCategory, "sorvu.DragOut", QtInfoMsg)
Q_LOGGING_CATEGORY(shortcutStoringCategory, "sorvu.ShortcutStoring", QtInfoMsg)

LogObserver& observer() {
    static LogObserver instance;
    return instance;
}

} // namespace

const QLoggingCategory& loggingCategory(LogCategory category) {
    switch (category) {
    case LogCategory::ClipboardQueue:
        return clipboardQueueCategory();
    case LogCategory::UI:
        return uiCategory();
    case LogCategory::DragOut:
        return dragOutCategory();
    case LogCategory::ShortcutStore:
        return shortcutStoringCategory();
    }
    return clipboardQueueCategory();
}

QString categoryName(LogCategory category) {
    switch (category) {
    case LogCategory::ClipboardQueue:
        return QStringLiteral("PasteStack");
    case LogCategory::UI:
        return QStringLiteral("UI");
    case LogCategory::DragOut:
        return QStringLiteral("DragOut");
    case LogCategory::ShortcutStore:
        return QStringLiteral("ShortcutStoring");
    }
    return {};
}

void write(LogCategory category, LogLevel level, const QString& message) {
    if (observer()) {
        observer()(LogLine{category, level, message});
    }
    const QLoggingCategory& target = loggingCategory(category);
    switch (level) {
    case LogLevel::Debug:
        qCDebug(target).noquote() << message;
        break;
    case LogLevel::Info:
        qCInfo(target).noquote() << message;
        break;
    case LogLevel::Error:
        qCCritical(target).noquote() << message;
        break;
    }
}

void setObserver(LogObserver newObserver) {
    observer() = std::move(newObserver);
}

} // namespace sorvu::log
