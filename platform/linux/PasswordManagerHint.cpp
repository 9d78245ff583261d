// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/PasswordManagerHint.h"

#include <QStringDecoder>
#include <QStringList>

namespace sorvu {

namespace {

// The values that plainly deny a secret: the opposite word, the usual ways of writing "false", and the
// hint's own word negated. Anything else, "secret" included, means secret.
const QStringList notSecretValues = {
    QStringLiteral("public"), QStringLiteral("none"),       QStringLiteral("no"),         QStringLiteral("false"),
    QStringLiteral("0"),      QStringLiteral("not-secret"), QStringLiteral("not secret"), QStringLiteral("nonsecret"),
};

QStringConverter::Encoding encodingWithoutMark(const QByteArray& bytes) {
    // UTF-16 without a mark shows as NULs beside ASCII letters; the half of each pair that holds them tells
    // the byte order.
    qsizetype nulsAtEven = 0;
    qsizetype nulsAtOdd = 0;
    for (qsizetype index = 0; index < bytes.size(); ++index) {
        if (bytes[index] == '\0') {
            ++(index % 2 == 0 ? nulsAtEven : nulsAtOdd);
        }
    }
    return nulsAtOdd >= nulsAtEven ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
}

// The value as text; nothing when it is no valid UTF-8 or UTF-16.
std::optional<QString> decoded(QByteArray bytes) {
    QStringConverter::Encoding encoding = QStringConverter::Utf8;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    } else if (bytes.startsWith("\xFF\xFE")) {
        encoding = QStringConverter::Utf16LE;
        bytes.remove(0, 2);
    } else if (bytes.startsWith("\xFE\xFF")) {
        encoding = QStringConverter::Utf16BE;
        bytes.remove(0, 2);
    } else if (bytes.contains('\0')) {
        QByteArray withoutTerminator = bytes;
        while (withoutTerminator.endsWith('\0')) {
            withoutTerminator.chop(1);
        }
        // A C string's terminating NUL is no sign of UTF-16.
        if (withoutTerminator.contains('\0')) {
            if (bytes.size() % 2 != 0) {
                return std::nullopt;
            }
            encoding = encodingWithoutMark(bytes);
        } else {
            bytes = withoutTerminator;
        }
    }
    if (encoding != QStringConverter::Utf8 && bytes.size() % 2 != 0) {
        return std::nullopt;
    }
    QStringDecoder decoder(encoding, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) {
        return std::nullopt;
    }
    while (text.endsWith(QChar::Null)) {
        text.chop(1);
    }
    return text;
}

} // namespace

bool passwordManagerHintMeansSecret(const std::optional<QByteArray>& value) {
    if (!value) {
        return true;
    }
    const std::optional<QString> text = decoded(*value);
    if (!text) {
        return true;
    }
    return !notSecretValues.contains(text->trimmed().toCaseFolded());
}

} // namespace sorvu
