// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QQuickItem>
#include <QtQml/qqmlregistration.h>

#include <optional>

namespace sorvu {

// Tells a row whether the pointer really is over it. Rows move under a resting pointer (a row above is
// deleted, rows are reordered), and a moved row gets no hover event of its own; so after the row's place
// changes, and after each reported hover exit, the pointer is looked at again once the current update is
// over. Takes no input itself.
class PointerProbe : public QQuickItem {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(int index READ index WRITE setIndex NOTIFY indexChanged)
    Q_PROPERTY(int refresh READ refresh WRITE setRefresh NOTIFY refreshChanged)

public:
    explicit PointerProbe(QQuickItem* parent = nullptr);

    int index() const { return m_index; }
    void setIndex(int index);
    // Bumped by the row on every hover exit.
    int refresh() const { return m_refresh; }
    void setRefresh(int refresh);
    // Looks again once the current update is over; rows call it while they glide to a new place, since
    // their index changed before they arrived there.
    Q_INVOKABLE void recheck();

signals:
    void indexChanged();
    void refreshChanged();
    // Whether the pointer is inside the probe.
    void checked(bool inside);

protected:
    void componentComplete() override;

private:
    void scheduleCheck();
    void scheduleCheckNow();
    void check(int index, int refresh);

    int m_index = 0;
    int m_refresh = 0;
    std::optional<int> m_lastIndex;
    std::optional<int> m_lastRefresh;
    bool m_isCheckPending = false;
};

} // namespace sorvu
