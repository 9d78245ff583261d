// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/QueuedClipboardItem.h"
#include "views/CombineScreenModel.h"
#include "views/QueueListModel.h"
#include "views/QueueSelection.h"

#include <QHash>
#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QUuid>
#include <QtQml/qqmlregistration.h>

#include <functional>
#include <optional>

namespace sorvu {

class ClipboardQueue;
class ScreenReader;
class ViewLanguage;

// The queue screen of the popup: the list with its drag reordering, the warning while Sorvu cannot watch
// and post keys, and the control bar. A new one is made each time the screen is shown, so no drag or open
// combine screen survives a visit to the settings.
class QueueScreenModel : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("made by the popup")
    Q_PROPERTY(sorvu::QueueListModel* rows READ rows CONSTANT)
    Q_PROPERTY(bool hasInputAccess READ hasInputAccess NOTIFY stateChanged)
    Q_PROPERTY(bool showsList READ showsList NOTIFY stateChanged)
    Q_PROPERTY(double listHeight READ listHeight NOTIFY stateChanged)
    Q_PROPERTY(bool canPaste READ canPaste NOTIFY stateChanged)
    Q_PROPERTY(bool canClear READ canPaste NOTIFY stateChanged)
    Q_PROPERTY(bool showsCombineButton READ showsCombineButton NOTIFY stateChanged)
    Q_PROPERTY(bool showingCombine READ showingCombine NOTIFY showingCombineChanged)
    Q_PROPERTY(sorvu::CombineScreenModel* combineScreen READ combineScreen NOTIFY showingCombineChanged)
    Q_PROPERTY(bool isScreenReaderActive READ isScreenReaderActive NOTIFY isScreenReaderActiveChanged)
    Q_PROPERTY(QString collectText READ collectText NOTIFY textsChanged)
    Q_PROPERTY(QString pasteText READ pasteText NOTIFY textsChanged)
    Q_PROPERTY(QString clearText READ clearText NOTIFY textsChanged)
    Q_PROPERTY(QString combineText READ combineText NOTIFY textsChanged)
    Q_PROPERTY(QString combineHint READ combineHint NOTIFY textsChanged)
    Q_PROPERTY(QString quitText READ quitText NOTIFY textsChanged)
    Q_PROPERTY(QString accessWarningText READ accessWarningText NOTIFY textsChanged)
    Q_PROPERTY(QString accessHintText READ accessHintText NOTIFY textsChanged)
    Q_PROPERTY(QString listName READ listName NOTIFY textsChanged)
    Q_PROPERTY(sorvu::QueueSelection* selection READ selection CONSTANT)

public:
    // One row height assumed until a row is measured, the space between rows, and the pointer travel that
    // starts a drag.
    static constexpr double assumedRowHeight = 32;
    static constexpr double rowSpacing = 8;
    static constexpr double dragStartDistance = 10;
    static constexpr double textRowEstimate = 32;
    static constexpr double pictureRowEstimate = 38;
    static constexpr double listHeightEstimateCap = 230;

    // Called when a drag out of the popup ends: whether a program accepted the drop.
    using DragOutFinished = std::function<void(bool dropped)>;
    // What the screen asks of the popup and the program around it.
    struct Actions {
        std::function<void()> paste;
        std::function<void()> quit;
        // Opens the help on what a session needs for shortcuts and pasting.
        std::function<void()> openSessionHelp;
        std::function<bool(QPointF screenPoint)> isOverPopup;
        std::function<bool()> canBeginDrag;
        // Starts a drag of the entry out of the popup; false when none could start (the completion is then
        // never called). Without it rows only reorder.
        std::function<bool(const ClipboardItem& item, QPointF startScreenPoint, DragOutFinished finished)> beginDragOut;
        std::function<void()> queueDrainedByDrop;
        // The combine screen's requests and where its separator is kept.
        CombineScreenModel::PasteAll pasteAll;
        std::function<void()> cancelPasteAll;
        std::shared_ptr<TextJoinPreferenceStore> textJoinStore;
    };

    // The list's expected height for the queue: 32 for a text and 38 for an image or a file, at most 230.
    static double estimatedListHeight(const QList<QueuedClipboardItem>& queue);

    QueueScreenModel(ClipboardQueue& queue, ViewLanguage& language, ScreenReader& screenReader,
                     double minimumListHeight, Actions actions, QObject* parent = nullptr);

    QueueListModel* rows() { return &m_rows; }
    bool hasInputAccess() const;
    bool showsList() const;
    double listHeight() const;
    bool canPaste() const;
    bool showsCombineButton() const;
    bool showingCombine() const { return m_showingCombine; }
    // The combine screen while it is shown; a new one each time.
    CombineScreenModel* combineScreen() const { return m_combineScreen; }
    bool isScreenReaderActive() const;
    QString collectText() const;
    QString pasteText() const;
    QString clearText() const;
    QString combineText() const;
    QString combineHint() const;
    QString quitText() const;
    QString accessWarningText() const;
    QString accessHintText() const;
    QString listName() const;

    // The screen came on screen: what Sorvu may do in this session is read again.
    Q_INVOKABLE void appeared();
    Q_INVOKABLE void toggleCollecting();
    Q_INVOKABLE void paste();
    Q_INVOKABLE void clear();
    Q_INVOKABLE void quit();
    Q_INVOKABLE void openSessionHelp();
    Q_INVOKABLE void showCombine();
    Q_INVOKABLE void hideCombine();

    // A row's delete button shows, and acts, only under the pointer or for a screen reader.
    Q_INVOKABLE bool isDeleteButtonShown(bool rowHovered) const;
    Q_INVOKABLE void deleteEntry(const QString& id, bool rowHovered);

    // The keyboard's way through the list; Enter pastes the head as the Paste button does.
    QueueSelection* selection() { return &m_selection; }

    // A row came on screen with this height (its padding included).
    Q_INVOKABLE void rowMeasured(const QString& id, double height);
    // The pointer moved with a row pressed: where it was pressed and where it is now, in the list's
    // coordinates, and where it is on the screen. A drag starts once it moved 10 points from the press.
    Q_INVOKABLE void pointerMoved(const QString& id, QPointF pressInList, QPointF pointerInList,
                                  QPointF pointerOnScreen);
    // The pressed row was let go.
    Q_INVOKABLE void pointerReleased(const QString& id);

    // A drag of the row reports a vertical translation since its press, downwards positive.
    void dragChanged(const QUuid& id, double translation, QPointF pointerOnScreen);
    void dragEnded();

    const std::optional<QUuid>& draggingID() const { return m_draggingID; }
    double rawTranslation() const { return m_rawTranslation; }
    double swapCompensation() const { return m_swapCompensation; }
    const std::optional<QUuid>& outgoingDragID() const { return m_outgoingDragID; }
    bool handedOffToSystem() const { return m_handedOffToSystem; }
    std::optional<int> dragStartIndex() const { return m_dragStartIndex; }
    const QHash<QUuid, double>& rowHeights() const { return m_rowHeights; }

signals:
    void stateChanged();
    void showingCombineChanged();
    void isScreenReaderActiveChanged();
    void textsChanged();

private:
    void followQueue();
    void swapWhileOffsetPasses(const QUuid& id);
    void handOffIfOutside(const QUuid& id, QPointF pointerOnScreen);
    void dragOutFinished(const QUuid& id, std::optional<int> startIndex, bool dropped);
    void resetDrag();
    void showDrag();
    std::optional<int> indexOf(const QUuid& id) const;
    double heightOr(const QUuid& id, double fallback) const;

    ClipboardQueue& m_queue;
    ViewLanguage& m_language;
    ScreenReader& m_screenReader;
    const double m_minimumListHeight;
    Actions m_actions;
    QueueListModel m_rows;
    QueueSelection m_selection;

    bool m_showingCombine = false;
    QPointer<CombineScreenModel> m_combineScreen;
    QHash<QUuid, double> m_rowHeights;

    // The press that may become a drag.
    struct Press {
        QUuid id;
        bool isDrag = false;
    };
    std::optional<Press> m_press;
    std::optional<QUuid> m_draggingID;
    double m_rawTranslation = 0;
    double m_swapCompensation = 0;
    bool m_handedOffToSystem = false;
    std::optional<QUuid> m_outgoingDragID;
    QPointF m_dragStartScreenPoint;
    std::optional<int> m_dragStartIndex;
};

} // namespace sorvu
