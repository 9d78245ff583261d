// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/RemoteDesktopPasteOutput.h"

namespace sorvu {

RemoteDesktopPasteOutput::RemoteDesktopPasteOutput(std::vector<std::unique_ptr<RemoteDesktopKeystroke>> roads,
                                                   QObject* parent)
    : QObject(parent), m_roads(std::move(roads)) {
    for (std::size_t index = 0; index < m_roads.size(); ++index) {
        connect(m_roads[index].get(), &RemoteDesktopKeystroke::stateChanged, this,
                [this, index](RemoteDesktopKeystroke::State state) {
                    if (index != m_current) {
                        return;
                    }
                    if (state == RemoteDesktopKeystroke::State::unavailable && index + 1 < m_roads.size()) {
                        follow(index + 1);
                    }
                    emit stateChanged();
                });
    }
}

void RemoteDesktopPasteOutput::follow(std::size_t index) {
    m_current = index;
    m_roads[index]->start();
}

void RemoteDesktopPasteOutput::start() {
    if (RemoteDesktopKeystroke* current = road()) {
        current->start();
    }
}

RemoteDesktopKeystroke* RemoteDesktopPasteOutput::road() const {
    return m_current < m_roads.size() ? m_roads[m_current].get() : nullptr;
}

bool RemoteDesktopPasteOutput::canPostKeys() {
    return road() != nullptr && road()->canPostKeys();
}

std::optional<WindowClass> RemoteDesktopPasteOutput::recipientClass() {
    if (m_recipientClass) {
        return m_recipientClass();
    }
    return road() != nullptr ? road()->recipientClass() : std::nullopt;
}

bool RemoteDesktopPasteOutput::canPost(PasteKeys keys) {
    return road() != nullptr && road()->canPost(keys);
}

void RemoteDesktopPasteOutput::post(PasteKeys keys) {
    if (road() != nullptr) {
        road()->post(keys);
    }
}

} // namespace sorvu
