// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/PasswordManagerHint.h"

#include <QString>

#include <gtest/gtest.h>

using sorvu::passwordManagerHintMeansSecret;

namespace {

QByteArray utf16(const QString& text, bool bigEndian, bool mark) {
    QByteArray bytes;
    if (mark) {
        bytes += bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    }
    for (const QChar character : text) {
        const char high = char(character.unicode() >> 8);
        const char low = char(character.unicode() & 0xff);
        bytes += bigEndian ? QByteArray{&high, 1} + QByteArray{&low, 1} : QByteArray{&low, 1} + QByteArray{&high, 1};
    }
    return bytes;
}

} // namespace

TEST(PasswordManagerHint, SecretInAnyCaseEncodingOrPaddingIsASecret) {
    for (const QByteArray& value :
         {QByteArray("secret"), QByteArray("Secret"), QByteArray("SECRET"), QByteArray(" secret\n"),
          QByteArray("secret\0", 7), QByteArray("\xEF\xBB\xBFsecret"), utf16("secret", false, true),
          utf16("Secret", true, true), utf16("SECRET", false, false), utf16("secret", true, false),
          utf16("secret\n", false, false) + QByteArray("\0\0", 2)}) {
        EXPECT_TRUE(passwordManagerHintMeansSecret(value)) << value.toHex().toStdString();
    }
}

TEST(PasswordManagerHint, OnlyAClearDenialIsNoSecret) {
    for (const QByteArray& value :
         {QByteArray("public"), QByteArray(" Public "), QByteArray("FALSE"), QByteArray("no"), QByteArray("none"),
          QByteArray("0"), QByteArray("not-secret"), QByteArray("Not Secret\0", 11), utf16("public", false, true),
          utf16("false", true, false)}) {
        EXPECT_FALSE(passwordManagerHintMeansSecret(value)) << value.toHex().toStdString();
    }
    // Unknown, empty, unreadable, undecodable: all secrets.
    for (const std::optional<QByteArray>& value :
         {std::optional<QByteArray>(), std::optional<QByteArray>(QByteArray()), std::optional<QByteArray>("maybe"),
          std::optional<QByteArray>("publicly"), std::optional<QByteArray>("pub\xFF"),
          std::optional<QByteArray>(QByteArray("p\0ublic", 7)),
          std::optional<QByteArray>(utf16("public", false, true).chopped(1))}) {
        EXPECT_TRUE(passwordManagerHintMeansSecret(value)) << (value ? value->toHex().toStdString() : "unreadable");
    }
}
