// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace sorvu {

// What the build put into the program. The update feed, its key and the website are empty unless configured.
struct BuildInfo {
    QString version;
    QString buildNumber;
    QString updateFeedUrl;
    QString updatePublicKey;
    QString websiteUrl;
};

const BuildInfo& buildInfo();

} // namespace sorvu
