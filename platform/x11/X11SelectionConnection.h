// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QHash>
#include <QList>

#include <optional>

struct xcb_connection_t;

namespace sorvu {

// An X connection of its own with a hidden window for selection answers to arrive on, which follows the
// CLIPBOARD selection's owner changes (XFixes). Every event passes the count first, wherever it is read:
// since the server delivers events and the answers to requests in the order it handles them, the count
// taken after an answer includes every owner change the server handled before it. Atoms are asked of the
// server once and remembered.
class X11SelectionConnection {
public:
    // The answer to a conversion our window asked for; `property` is none when the owner refused.
    struct SelectionNotice {
        quint32 selection = 0;
        quint32 target = 0;
        quint32 property = 0;
    };
    // A property of our window that changed.
    struct PropertyChange {
        quint32 atom = 0;
        quint32 time = 0;
        bool newValue = false;
    };
    struct Property {
        quint32 type = 0;
        QByteArray value;
        bool ok = false;
        bool tooLarge = false;
    };

    // Connects to the named display (empty: $DISPLAY).
    explicit X11SelectionConnection(const QByteArray& displayName);
    ~X11SelectionConnection();
    X11SelectionConnection(const X11SelectionConnection&) = delete;
    X11SelectionConnection& operator=(const X11SelectionConnection&) = delete;

    bool isConnected() const;
    // The socket, readable when events may be waiting; -1 when not connected.
    int fileDescriptor() const;
    // Null when the display could not be opened.
    xcb_connection_t* connection() const { return m_connection; }
    quint32 window() const { return m_window; }
    quint32 root() const { return m_root; }
    quint32 clipboard() const { return m_clipboard; }

    quint32 atom(const QByteArray& name);
    // Names of many atoms with one round trip for all those not seen before.
    QList<QByteArray> atomNames(const QList<quint32>& values);

    // How many times the clipboard changed owner since the connection opened, as far as the events read so
    // far tell.
    quint64 ownerChanges() const { return m_ownerChanges; }
    // Reads the events that have arrived, without waiting; any other than owner changes are dropped.
    void readPendingEvents();
    // Waits for the server to handle everything asked of it so far (one round trip), then reads the events.
    void synchronize();

    // The next answer to a conversion of our window's, dropping other events on the way; nothing when the
    // deadline passed or the connection broke.
    std::optional<SelectionNotice> nextSelectionNotice(const QDeadlineTimer& deadline);
    // The next change of a property of our window, dropping other events on the way; nothing as above.
    std::optional<PropertyChange> nextPropertyChange(const QDeadlineTimer& deadline);

    // Reads the property of our window, at most `maximumBytes` of it, and deletes it (which, during an
    // incremental transfer, asks for the next piece). `tooLarge` when more was there.
    Property takeProperty(quint32 property, qint64 maximumBytes);

private:
    // Reads one waiting event, if any: an owner change is counted, any other event goes to `handle`.
    template <typename Handle> bool pollEvent(const Handle& handle);
    // Waits for the first event that `match` makes a result of, dropping the others.
    template <typename Result, typename Match>
    std::optional<Result> nextMatching(const QDeadlineTimer& deadline, const Match& match);

    xcb_connection_t* m_connection = nullptr;
    quint32 m_window = 0;
    quint32 m_root = 0;
    quint32 m_clipboard = 0;
    // The first event code of XFixes; -1 without the extension.
    int m_xfixesFirstEvent = -1;
    quint64 m_ownerChanges = 0;
    QHash<QByteArray, quint32> m_atoms;
    QHash<quint32, QByteArray> m_names;
};

} // namespace sorvu
