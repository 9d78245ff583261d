#pragma once

#include <QString>
#include <QUrl>
#include <QVariantMap>

#include <optional>

namespace sorvu {

// The update feed and its signing key, present only when both are well formed.
struct UpdateFeedConfiguration {
    QUrl feedURL;
    // As read, not decoded.
    QString publicEDKey;

    // "SUFeedURL" must be a string URL whose scheme is exactly "https"; "SUPublicEDKey" a string of strict
    // Base64 for exactly 32 bytes (an Ed25519 public key). Anything else gives nothing.
    static std::optional<UpdateFeedConfiguration> fromBuildInfo(const QVariantMap& buildInfo);

    friend bool operator==(const UpdateFeedConfiguration&, const UpdateFeedConfiguration&) = default;
};

} // namespace sorvu
