// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/PasteKeys.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <optional>

namespace sorvu {

class PasteOutput;

// The paste keystroke of an X11 program inside a Wayland session. The compositor hands each X11 copy to its
// Wayland programs on its own schedule and says nothing when it has: a keystroke sent at once may reach a Wayland
// program that still holds the copy before, and paste that. GNOME's compositor reads a new copy's content the
// moment it has taken it up (to keep it should its owner quit), once its Wayland programs were told of it; so the
// keystroke waits for that read of the claim, or at most `deadlineMilliseconds` (content the compositor does not
// keep, such as a file list, is not read then).
//
// That read is the compositor's, not the recipient's: the recipient reads after the keystroke.
class HandOverKeystroke : public QObject {
    Q_OBJECT

public:
    static constexpr int deadlineMilliseconds = 100;

    explicit HandOverKeystroke(PasteOutput& keyboard, QObject* parent = nullptr);

    // Posts the keys on `keyboard` once the content of the claim that made the change count `claimChangeCount`
    // was read, or at the deadline. A keystroke still waiting goes out first.
    void post(PasteKeys keys, qint64 claimChangeCount);
    // A program read the content of a claim. True when that was the compositor taking up the claim whose
    // keystroke waits, which goes out now: no paste was fetched.
    bool contentFetched(qint64 claimChangeCount);

private:
    struct Waiting {
        PasteKeys keys;
        qint64 claimChangeCount = 0;
    };

    void release(bool takenUp);

    PasteOutput& m_keyboard;
    std::optional<Waiting> m_waiting;
    QTimer m_deadline;
    QElapsedTimer m_sincePost;
};

} // namespace sorvu
