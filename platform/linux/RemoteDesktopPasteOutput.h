// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/linux/RemoteDesktopKeystroke.h"

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

namespace sorvu {

// The paste keystroke over the first remote-desktop road that works, in order of preference: on GNOME mutter's
// own service, then the portal. A road that turns out unavailable hands over to the next; one the user refused,
// or whose session the desktop closed, is where it stays: asking another road would ask the user again.
class RemoteDesktopPasteOutput : public QObject, public PasteOutput {
    Q_OBJECT

public:
    explicit RemoteDesktopPasteOutput(std::vector<std::unique_ptr<RemoteDesktopKeystroke>> roads,
                                      QObject* parent = nullptr);

    // Starts the first road; again, the current road after it was refused or closed.
    void start();
    // Tells which window receives the keys, where the session knows it: the remote-desktop services do not say.
    void setRecipientClass(std::function<std::optional<WindowClass>()> recipientClass) {
        m_recipientClass = std::move(recipientClass);
    }
    // The road in use: the last one tried; null without any.
    RemoteDesktopKeystroke* road() const;

    bool canPostKeys() override;
    std::optional<WindowClass> recipientClass() override;
    bool canPost(PasteKeys keys) override;
    void post(PasteKeys keys) override;

signals:
    // The road in use, or its state, changed.
    void stateChanged();

private:
    void follow(std::size_t index);

    std::vector<std::unique_ptr<RemoteDesktopKeystroke>> m_roads;
    std::size_t m_current = 0;
    std::function<std::optional<WindowClass>()> m_recipientClass;
};

} // namespace sorvu
