// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/BuildInfo.h"

#include <QString>
#include <QUrl>

#include <optional>

namespace sorvu {

// The update feed and its signing key, present only when both are well formed.
struct UpdateFeedConfiguration {
    QUrl feedURL;
    // As read, not decoded.
    QString publicEDKey;

    // The feed must be a URL whose scheme is exactly "https"; the key strict Base64 for exactly 32 bytes (an
    // Ed25519 public key). Anything else gives nothing.
    static std::optional<UpdateFeedConfiguration> fromBuildInfo(const BuildInfo& buildInfo);

    friend bool operator==(const UpdateFeedConfiguration&, const UpdateFeedConfiguration&) = default;
};

} // namespace sorvu
