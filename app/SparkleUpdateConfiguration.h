#pragma once

#include <QString>
#include <QUrl>
#include <QVariantMap>

#include <optional>

namespace sorvu {

// The update feed and its signing key, present only when both are well formed.
struct SparkleUpdateConfiguration {
    QUrl feedURL;
    // As read, not decoded.
    QString publicEDKey;

    // "SUFeedURL" must be a string URL whose scheme is exactly "https"; "SUPublicEDKey" a string of strict
    // Base64 for exactly 32 bytes (an Ed25519 public key). Anything else gives nothing.
    static std::optional<SparkleUpdateConfiguration> fromBundleInformation(const QVariantMap& bundleInformation);

    friend bool operator==(const SparkleUpdateConfiguration&, const SparkleUpdateConfiguration&) = default;
};

} // namespace sorvu
