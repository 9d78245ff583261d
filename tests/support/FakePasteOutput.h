// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "engine/PasteOutput.h"

#include <QList>

#include <functional>

namespace sorvu::test {

// Keys that are only counted; whether they can be posted is the test's to say.
class FakePasteOutput : public PasteOutput {
public:
    bool inputAccess = true;
    bool keysAvailable = true;
    std::optional<WindowClass> recipient;
    int preparations = 0;
    QList<PasteKeys> posted;
    // Runs at each posting, as the target program would read the clipboard then.
    std::function<void()> onPost;

    bool canPostKeys() override { return inputAccess; }
    std::optional<WindowClass> recipientClass() override { return recipient; }
    bool canPost(PasteKeys) override {
        ++preparations;
        return keysAvailable;
    }
    void post(PasteKeys keys) override {
        posted.append(keys);
        if (onPost) {
            onPost();
        }
    }
};

} // namespace sorvu::test
