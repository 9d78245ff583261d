// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/CombineScreenModel.h"

#include "engine/ClipboardCollector.h"
#include "engine/ClipboardQueue.h"
#include "preferences/TextJoinPreferenceStore.h"
#include "views/TextPreview.h"
#include "views/ViewLanguage.h"

#include <QPointer>

#include <algorithm>

namespace sorvu {

namespace {

bool isLongerThan(const QString& text, int characters) {
    return graphemePrefix(text, characters).size() < text.size();
}

} // namespace

CombineScreenModel::CombineScreenModel(ClipboardQueue& queue, ViewLanguage& language,
                                       std::shared_ptr<TextJoinPreferenceStore> store, Actions actions, QObject* parent)
    : QObject(parent), m_queue(queue), m_language(language), m_store(std::move(store)), m_actions(std::move(actions)),
      m_preference(m_store ? m_store->load() : TextJoinPreference{}) {
    connect(&m_queue, &ClipboardQueue::queueChanged, this, &CombineScreenModel::followQueue);
    connect(&m_language, &ViewLanguage::changed, this, &CombineScreenModel::textsChanged);
    connect(&m_language, &ViewLanguage::changed, this, &CombineScreenModel::stateChanged);
    if (m_queue.isCollecting()) {
        m_queue.collector().checkClipboard();
    }
    m_displayedIDs = queuedIDs();
}

CombineScreenModel::~CombineScreenModel() {
    if (m_isSubmitting && m_actions.cancelPending) {
        m_actions.cancelPending();
    }
}

QString CombineScreenModel::title() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Combine and Paste"));
}

QString CombineScreenModel::separatorLabel() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Separator"));
}

QStringList CombineScreenModel::separatorNames() const {
    QStringList names;
    for (const TextSeparatorChoice choice : allTextSeparatorChoices()) {
        names.append(localizedTitle(choice, m_language.catalog(), m_language.locale()));
    }
    return names;
}

int CombineScreenModel::choiceIndex() const {
    const auto& choices = allTextSeparatorChoices();
    return int(std::find(choices.begin(), choices.end(), m_preference.choice) - choices.begin());
}

bool CombineScreenModel::showsCustomField() const {
    return m_preference.choice == TextSeparatorChoice::custom;
}

QString CombineScreenModel::customPlaceholder() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Custom separator"));
}

bool CombineScreenModel::isAllText() const {
    const auto& queue = m_queue.queue();
    return std::all_of(queue.begin(), queue.end(), [](const auto& entry) { return entry.content.isText(); });
}

QString CombineScreenModel::previewLabel() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Preview"));
}

QString CombineScreenModel::previewText() const {
    const auto& queue = m_queue.queue();
    const QString ellipsis = QStringLiteral("\u2026");
    QStringList pieces;
    for (const auto& entry : queue.mid(0, previewEntries)) {
        if (!entry.content.isText()) {
            continue;
        }
        // A cut entry says so where it ends, before the separator, not only at the end of the preview.
        const QString text = entry.content.text();
        pieces.append(graphemePrefix(text, previewEntryLength) +
                      (isLongerThan(text, previewEntryLength) ? ellipsis : QString()));
    }
    const QString joined = pieces.join(m_preference.separator());
    const bool isCut = queue.size() > previewEntries || isLongerThan(joined, previewLength);
    const QString preview = graphemePrefix(joined, previewLength);
    return preview + (isCut && !preview.endsWith(ellipsis) ? ellipsis : QString());
}

QString CombineScreenModel::nonTextEntriesText() const {
    QStringList places;
    const auto& queue = m_queue.queue();
    for (qsizetype index = 0; index < queue.size(); ++index) {
        if (!queue.at(index).content.isText()) {
            places.append(m_language.locale().toString(index + 1));
        }
    }
    if (places.isEmpty()) {
        return {};
    }
    return m_language.text(QT_TRANSLATE_N_NOOP("Sorvu", "%lld items are not text: %@."),
                           {qint64(places.size()), places.join(m_language.text(QT_TRANSLATE_NOOP("Sorvu", ", ")))});
}

QString CombineScreenModel::nonTextWarning() const {
    return m_language.text(
        QT_TRANSLATE_NOOP("Sorvu", "All queued items must be text. Paste files and images separately."));
}

QString CombineScreenModel::failureText() const {
    if (!m_failure) {
        return {};
    }
    switch (*m_failure) {
    case PasteAttemptResult::queueEmpty:
        return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "The queue is empty."));
    case PasteAttemptResult::queueChanged:
        return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "The queue changed. Review the preview and try again."));
    case PasteAttemptResult::containsNonText:
        return nonTextWarning();
    case PasteAttemptResult::recipientUnavailable:
        return m_language.text(QT_TRANSLATE_NOOP(
            "Sorvu", "The target app is unavailable. Open the menu from the app you want to paste into."));
    case PasteAttemptResult::accessibilityUnavailable:
        return m_language.text(QT_TRANSLATE_NOOP(
            "Sorvu", "Pasting is not available in this session. The README lists the desktops Sorvu supports."));
    case PasteAttemptResult::requestInProgress:
    case PasteAttemptResult::storedFileMissing:
    case PasteAttemptResult::copyInProgress:
    case PasteAttemptResult::eventCreationFailed:
    case PasteAttemptResult::clipboardWriteFailed:
        return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Could not paste. The queue is unchanged; try again."));
    case PasteAttemptResult::commandPosted:
        break;
    }
    return {};
}

QString CombineScreenModel::backText() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Back"));
}

QString CombineScreenModel::pasteAllText() const {
    return m_language.text(QT_TRANSLATE_NOOP("Sorvu", "Paste All"));
}

bool CombineScreenModel::canPaste() const {
    // One text alone has nothing to be joined with.
    return m_queue.queue().size() >= 2 && isAllText() && !m_isSubmitting &&
           (m_preference.choice != TextSeparatorChoice::custom || !m_preference.customSeparator.isEmpty());
}

void CombineScreenModel::chooseSeparator(int index) {
    const auto& choices = allTextSeparatorChoices();
    if (index < 0 || index >= int(choices.size()) || choices.at(size_t(index)) == m_preference.choice) {
        return;
    }
    m_preference.choice = choices.at(size_t(index));
    emit stateChanged();
}

void CombineScreenModel::setCustomSeparator(const QString& text) {
    if (text != m_preference.customSeparator) {
        m_preference.customSeparator = text;
        emit stateChanged();
    }
}

void CombineScreenModel::back() {
    if (m_isSubmitting) {
        m_isSubmitting = false;
        if (m_actions.cancelPending) {
            m_actions.cancelPending();
        }
    }
    if (m_actions.back) {
        m_actions.back();
    }
}

void CombineScreenModel::pasteAll() {
    if (!canPaste() || !m_actions.paste) {
        return;
    }
    // What the user saw before a copy that only this check finds.
    const QList<QUuid> shown = m_displayedIDs;
    if (m_queue.isCollecting()) {
        m_queue.collector().checkClipboard();
    }
    const QList<QUuid> current = queuedIDs();
    if (current != shown) {
        m_displayedIDs = current;
        m_failure = PasteAttemptResult::queueChanged;
        emit stateChanged();
        return;
    }
    const TextJoinPreference sent = m_preference;
    m_isSubmitting = true;
    m_failure.reset();
    emit stateChanged();
    m_actions.paste(sent.separator(), m_displayedIDs,
                    [self = QPointer<CombineScreenModel>(this), sent](PasteAttemptResult result) {
                        if (self) {
                            self->finished(result, sent);
                        }
                    });
}

QList<QUuid> CombineScreenModel::queuedIDs() const {
    QList<QUuid> ids;
    for (const auto& entry : m_queue.queue()) {
        ids.append(entry.id);
    }
    return ids;
}

void CombineScreenModel::followQueue() {
    m_displayedIDs = queuedIDs();
    emit stateChanged();
}

void CombineScreenModel::finished(PasteAttemptResult result, const TextJoinPreference& sent) {
    m_isSubmitting = false;
    if (result == PasteAttemptResult::commandPosted) {
        // The separator that was sent, whatever the picker shows by now.
        if (m_store) {
            m_store->save(sent);
        }
    } else if (result == PasteAttemptResult::containsNonText) {
        // The screen's own check already says why.
        m_failure.reset();
    } else {
        m_failure = result;
    }
    emit stateChanged();
}

} // namespace sorvu
