// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/QueueScreenModel.h"

#include "engine/ClipboardQueue.h"
#include "engine/QueuePaster.h"
#include "views/ScreenReader.h"
#include "views/ViewLanguage.h"

#include <algorithm>

namespace sorvu {

double QueueScreenModel::estimatedListHeight(const QList<QueuedClipboardItem>& queue) {
    double sum = 0;
    for (const auto& entry : queue) {
        sum += entry.content.isText() ? textRowEstimate : pictureRowEstimate;
    }
    return std::min(sum, listHeightEstimateCap);
}

QueueScreenModel::QueueScreenModel(ClipboardQueue& queue, ViewLanguage& language, ScreenReader& screenReader,
                                   double minimumListHeight, Actions actions, QObject* parent)
    : QObject(parent), m_queue(queue), m_language(language), m_screenReader(screenReader),
      m_minimumListHeight(minimumListHeight), m_actions(std::move(actions)), m_rows(queue, language),
      m_selection(queue, m_rows, language) {
    connect(&m_queue, &ClipboardQueue::queueChanged, this, &QueueScreenModel::followQueue);
    connect(&m_queue, &ClipboardQueue::isCollectingChanged, this, &QueueScreenModel::textsChanged);
    connect(&m_queue.paster(), &QueuePaster::hasInputAccessChanged, this, &QueueScreenModel::stateChanged);
    connect(&m_language, &ViewLanguage::changed, this, &QueueScreenModel::textsChanged);
    connect(&m_screenReader, &ScreenReader::isActiveChanged, this, &QueueScreenModel::isScreenReaderActiveChanged);
}

bool QueueScreenModel::hasInputAccess() const {
    return m_queue.paster().hasInputAccess();
}

bool QueueScreenModel::showsList() const {
    return !m_queue.queue().isEmpty();
}

double QueueScreenModel::listHeight() const {
    return std::max(m_minimumListHeight, estimatedListHeight(m_queue.queue()));
}

bool QueueScreenModel::canPaste() const {
    return !m_queue.queue().isEmpty();
}

bool QueueScreenModel::showsCombineButton() const {
    return m_queue.queue().size() >= 2;
}

bool QueueScreenModel::isScreenReaderActive() const {
    return m_screenReader.isActive();
}

QString QueueScreenModel::collectText() const {
    return m_queue.isCollecting() ? m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Stop"))
                                  : m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Start"));
}

QString QueueScreenModel::pasteText() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Paste"));
}

QString QueueScreenModel::clearText() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Clear"));
}

QString QueueScreenModel::combineText() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Combine and Paste…"));
}

QString QueueScreenModel::combineHint() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Combines text items into one paste with a chosen separator."));
}

QString QueueScreenModel::quitText() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Quit"));
}

QString QueueScreenModel::accessWarningText() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "⚠️ Accessibility required"));
}

QString QueueScreenModel::accessHintText() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Shortcuts and pasting are not available in this session."));
}

QString QueueScreenModel::listName() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Queue"));
}

void QueueScreenModel::appeared() {
    m_queue.paster().refreshInputAccess();
}

void QueueScreenModel::toggleCollecting() {
    m_queue.toggleCollecting();
}

void QueueScreenModel::paste() {
    if (canPaste() && m_actions.paste) {
        m_actions.paste();
    }
}

void QueueScreenModel::clear() {
    if (canPaste()) {
        m_queue.clear();
    }
}

void QueueScreenModel::quit() {
    if (m_actions.quit) {
        m_actions.quit();
    }
}

void QueueScreenModel::openSessionHelp() {
    if (m_actions.openSessionHelp) {
        m_actions.openSessionHelp();
    }
}

void QueueScreenModel::showCombine() {
    if (showsCombineButton() && !m_showingCombine) {
        CombineScreenModel::Actions actions;
        actions.back = [this] { hideCombine(); };
        actions.cancelPending = m_actions.cancelPasteAll;
        actions.paste = m_actions.pasteAll;
        m_combineScreen =
            new CombineScreenModel(m_queue, m_language, m_actions.textJoinStore, std::move(actions), this);
        m_showingCombine = true;
        emit showingCombineChanged();
    }
}

void QueueScreenModel::hideCombine() {
    if (m_showingCombine) {
        // Back may be the caller: the screen goes once it has returned and the views let go of it.
        QPointer<CombineScreenModel> old = m_combineScreen;
        m_combineScreen = nullptr;
        m_showingCombine = false;
        emit showingCombineChanged();
        if (old) {
            old->deleteLater();
        }
    }
}

bool QueueScreenModel::isDeleteButtonShown(bool rowHovered) const {
    return rowHovered || m_screenReader.isActive();
}

void QueueScreenModel::deleteEntry(const QString& id, bool rowHovered) {
    if (isDeleteButtonShown(rowHovered)) {
        m_queue.remove(QUuid::fromString(id));
    }
}

void QueueScreenModel::followQueue() {
    // Heights of entries that left are forgotten; the map never outgrows the queue.
    QSet<QUuid> present;
    for (const auto& entry : m_queue.queue()) {
        present.insert(entry.id);
    }
    m_rowHeights.removeIf([&present](const auto& height) { return !present.contains(height.key()); });
    emit stateChanged();
}

} // namespace sorvu
