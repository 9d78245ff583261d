// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/wayland/WaylandDataControl.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace sorvu::test {

// A pipe as the protocol uses it: the reader's end non-blocking, the writer's end blocking.
inline std::pair<UniqueDescriptor, UniqueDescriptor> makePipe() {
    int ends[2] = {-1, -1};
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return {};
    }
    ::fcntl(ends[0], F_SETFL, ::fcntl(ends[0], F_GETFL) | O_NONBLOCK);
    return {UniqueDescriptor(ends[0]), UniqueDescriptor(ends[1])};
}

// Another program's copy: its types, and how it answers a request (by default with its bytes for the type, at
// once). Records every type asked for.
class FakeOffer : public WaylandDataOffer {
public:
    using Answer = std::function<void(const QByteArray& type, UniqueDescriptor pipe)>;

    FakeOffer(QList<QByteArray> types, QHash<QByteArray, QByteArray> content)
        : m_types(std::move(types)), m_content(std::move(content)) {}

    const QList<QByteArray>& mimeTypes() const override { return m_types; }
    UniqueDescriptor receive(const QByteArray& type) override {
        requested.append(type);
        auto [readEnd, writeEnd] = makePipe();
        if (answer) {
            answer(type, std::move(writeEnd));
        } else {
            const QByteArray bytes = m_content.value(type);
            if (::write(writeEnd.get(), bytes.constData(), size_t(bytes.size())) != bytes.size()) {
                ADD_FAILURE() << "the fake could not write its content";
            }
        }
        return std::move(readEnd);
    }

    Answer answer;
    QList<QByteArray> requested;

private:
    QList<QByteArray> m_types;
    QHash<QByteArray, QByteArray> m_content;
};

// What Sorvu offered: the test plays the compositor passing on requests and the cancellation.
class FakeSource : public WaylandDataSource {
public:
    explicit FakeSource(QList<QByteArray> types) : types(std::move(types)) {}

    // Asks for the content as the type, as another program would; the end to read it from.
    UniqueDescriptor request(const QByteArray& type) {
        auto [readEnd, writeEnd] = makePipe();
        requestSend(type, std::move(writeEnd));
        return std::move(readEnd);
    }
    void cancel() { announceCancelled(); }

    const QList<QByteArray> types;
};

// The compositor's side of the data control: selections queued by the test arrive when the clipboard next
// reads what was sent, as they would from the socket.
class FakeDataControl : public WaylandDataControl {
public:
    const char* protocolName() const override { return "fake"; }
    bool isConnected() const override { return connected; }
    WaylandDataOffer* currentOffer() const override { return m_current.get(); }
    void readPendingEvents() override {
        while (!m_queued.empty()) {
            // Replaced offers stay, so that a test can still ask what was requested of them.
            m_replaced.push_back(std::move(m_current));
            m_current = std::move(m_queued.front());
            m_queued.pop_front();
            announceSelection();
        }
    }
    std::unique_ptr<WaylandDataSource> setSelection(const QList<QByteArray>& types) override {
        auto source = std::make_unique<FakeSource>(types);
        lastSource = source.get();
        return source;
    }

    // A new selection, told at the next read; null for an empty clipboard. Answers the offer, if any.
    FakeOffer* queueSelection(std::unique_ptr<FakeOffer> offer) {
        FakeOffer* pointer = offer.get();
        m_queued.push_back(std::move(offer));
        return pointer;
    }
    FakeOffer* queueSelection(const QList<QByteArray>& types, const QHash<QByteArray, QByteArray>& content = {}) {
        return queueSelection(std::make_unique<FakeOffer>(types, content));
    }

    bool connected = true;
    FakeSource* lastSource = nullptr;

private:
    std::unique_ptr<FakeOffer> m_current;
    std::vector<std::unique_ptr<FakeOffer>> m_replaced;
    std::deque<std::unique_ptr<FakeOffer>> m_queued;
};

} // namespace sorvu::test
