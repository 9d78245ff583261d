// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/UpdateFeedConfiguration.h"

#include <QByteArray>

namespace sorvu {

namespace {

constexpr qsizetype publicKeyByteCount = 32;

std::optional<QUrl> httpsURL(const QString& text) {
    const QUrl url(text, QUrl::StrictMode);
    // QUrl lower-cases the scheme it reports, so the capitals test reads the text itself.
    if (!url.isValid() || url.scheme() != QStringLiteral("https") || !text.startsWith(QStringLiteral("https:"))) {
        return std::nullopt;
    }
    return url;
}

bool isBase64Character(QChar character) {
    const char16_t code = character.unicode();
    return (code >= u'A' && code <= u'Z') || (code >= u'a' && code <= u'z') || (code >= u'0' && code <= u'9') ||
           code == u'+' || code == u'/';
}

// Standard alphabet, padded to a multiple of four, no whitespace, '=' only as the final padding.
std::optional<QByteArray> strictBase64Decode(const QString& text) {
    if (text.size() % 4 != 0) {
        return std::nullopt;
    }
    qsizetype padding = 0;
    if (text.endsWith(QStringLiteral("=="))) {
        padding = 2;
    } else if (text.endsWith(QLatin1Char('='))) {
        padding = 1;
    }
    for (qsizetype index = 0; index < text.size() - padding; ++index) {
        if (!isBase64Character(text.at(index))) {
            return std::nullopt;
        }
    }
    const auto decoded = QByteArray::fromBase64Encoding(text.toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (decoded.decodingStatus != QByteArray::Base64DecodingStatus::Ok) {
        return std::nullopt;
    }
    return decoded.decoded;
}

} // namespace

std::optional<UpdateFeedConfiguration> UpdateFeedConfiguration::fromBuildInfo(const BuildInfo& buildInfo) {
    const auto feedURL = httpsURL(buildInfo.updateFeedUrl);
    if (!feedURL) {
        return std::nullopt;
    }
    const auto keyBytes = strictBase64Decode(buildInfo.updatePublicKey);
    if (!keyBytes || keyBytes->size() != publicKeyByteCount) {
        return std::nullopt;
    }
    return UpdateFeedConfiguration{*feedURL, buildInfo.updatePublicKey};
}

} // namespace sorvu
