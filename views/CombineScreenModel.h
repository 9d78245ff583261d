// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/PasteAttemptResult.h"
#include "preferences/TextJoinPreference.h"

#include <QList>
#include <QObject>
#include <QStringList>
#include <QUuid>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <memory>
#include <optional>

namespace sorvu {

class ClipboardQueue;
class TextJoinPreferenceStore;
class ViewLanguage;

// Joining every queued text into one paste: the separator, a short preview, the outcome of the last try.
// The screen never joins or pastes itself: it asks for a combined paste of the entries it showed, and the
// queue refuses when they are no longer what is queued. Made anew each time it is shown.
class CombineScreenModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the queue screen")
    Q_PROPERTY(QString title READ title NOTIFY textsChanged)
    Q_PROPERTY(QString separatorLabel READ separatorLabel NOTIFY textsChanged)
    Q_PROPERTY(QStringList separatorNames READ separatorNames NOTIFY textsChanged)
    Q_PROPERTY(int choiceIndex READ choiceIndex NOTIFY stateChanged)
    Q_PROPERTY(bool showsCustomField READ showsCustomField NOTIFY stateChanged)
    Q_PROPERTY(QString customSeparator READ customSeparator NOTIFY stateChanged)
    Q_PROPERTY(QString customPlaceholder READ customPlaceholder NOTIFY textsChanged)
    Q_PROPERTY(bool isAllText READ isAllText NOTIFY stateChanged)
    Q_PROPERTY(QString previewLabel READ previewLabel NOTIFY textsChanged)
    Q_PROPERTY(QString previewText READ previewText NOTIFY stateChanged)
    Q_PROPERTY(QString nonTextWarning READ nonTextWarning NOTIFY textsChanged)
    Q_PROPERTY(QString nonTextEntriesText READ nonTextEntriesText NOTIFY stateChanged)
    Q_PROPERTY(QString failureText READ failureText NOTIFY stateChanged)
    Q_PROPERTY(QString backText READ backText NOTIFY textsChanged)
    Q_PROPERTY(QString pasteAllText READ pasteAllText NOTIFY textsChanged)
    Q_PROPERTY(bool canPaste READ canPaste NOTIFY stateChanged)

public:
    static constexpr int previewEntries = 3;
    static constexpr int previewEntryLength = 80;
    static constexpr int previewLength = 200;

    using PasteCompletion = std::function<void(PasteAttemptResult)>;
    // Asks for the texts of the expected entries joined with the separator.
    using PasteAll =
        std::function<void(const QString& separator, const QList<QUuid>& expectedIDs, PasteCompletion completion)>;
    struct Actions {
        std::function<void()> back;
        // Withdraws a combined paste that was asked for and has not finished; its completion never comes.
        std::function<void()> cancelPending;
        PasteAll paste;
    };

    // The screen appears: the separator comes from the store, and a copy made just before counts. Without a
    // store the choice lasts as long as the screen.
    CombineScreenModel(ClipboardQueue& queue, ViewLanguage& language, std::shared_ptr<TextJoinPreferenceStore> store,
                       Actions actions, QObject* parent = nullptr);
    // Leaving the screen withdraws a request under way.
    ~CombineScreenModel() override;

    QString title() const;
    QString separatorLabel() const;
    QStringList separatorNames() const;
    int choiceIndex() const;
    bool showsCustomField() const;
    QString customSeparator() const { return m_preference.customSeparator; }
    QString customPlaceholder() const;
    // True for an empty queue too.
    bool isAllText() const;
    QString previewLabel() const;
    QString previewText() const;
    QString nonTextWarning() const;
    // Which entries keep the queue from being combined, by their places; empty when all are texts.
    QString nonTextEntriesText() const;
    // Empty when there is nothing to report.
    QString failureText() const;
    QString backText() const;
    QString pasteAllText() const;
    bool canPaste() const;

    const TextJoinPreference& preference() const { return m_preference; }
    const QList<QUuid>& displayedIDs() const { return m_displayedIDs; }
    bool isSubmitting() const { return m_isSubmitting; }
    const std::optional<PasteAttemptResult>& failure() const { return m_failure; }

    Q_INVOKABLE void chooseSeparator(int index);
    Q_INVOKABLE void setCustomSeparator(const QString& text);
    Q_INVOKABLE void back();
    Q_INVOKABLE void pasteAll();

signals:
    void textsChanged();
    void stateChanged();

private:
    QList<QUuid> queuedIDs() const;
    void followQueue();
    void finished(PasteAttemptResult result, const TextJoinPreference& sent);

    ClipboardQueue& m_queue;
    ViewLanguage& m_language;
    std::shared_ptr<TextJoinPreferenceStore> m_store;
    Actions m_actions;
    TextJoinPreference m_preference;
    QList<QUuid> m_displayedIDs;
    bool m_isSubmitting = false;
    std::optional<PasteAttemptResult> m_failure;
};

} // namespace sorvu
