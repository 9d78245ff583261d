// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/SessionBusCommand.h"
#include "platform/linux/SessionBusControl.h"

#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

using namespace sorvu;

namespace {

// A well-known bus name as the bus accepts it: dot-separated elements of letters, digits, "_" and "-", none
// starting with a digit, 255 characters at most.
bool isValidBusName(const QString& name) {
    static const QRegularExpression form(QStringLiteral("^[A-Za-z_-][A-Za-z0-9_-]*(\\.[A-Za-z_-][A-Za-z0-9_-]*)+$"));
    return name.size() <= 255 && form.match(name).hasMatch();
}

} // namespace

TEST(SessionBusNames, EachSessionKeyHasAValidNameOfItsOwn) {
    EXPECT_EQ(SessionBusControl::sessionServiceName(QStringLiteral("75")), "org.sorvu.Sorvu.Session.s75");
    const QStringList keys = {QStringLiteral("75"),
                              QStringLiteral("76"),
                              QStringLiteral("host_0"),
                              QStringLiteral("/run/user/1000/wayland-0"),
                              QStringLiteral("/run/user/1000/wayland_2D0"),
                              QStringLiteral("Grüße"),
                              QString(300, QLatin1Char('x')),
                              QString(299, QLatin1Char('x')) + QLatin1Char('y')};
    QSet<QString> names;
    for (const QString& key : keys) {
        const QString name = SessionBusControl::sessionServiceName(key);
        EXPECT_TRUE(isValidBusName(name)) << name.toStdString();
        EXPECT_TRUE(name.startsWith("org.sorvu.Sorvu.Session.")) << name.toStdString();
        EXPECT_EQ(SessionBusControl::sessionServiceName(key), name) << "the same for every process";
        names.insert(name);
    }
    EXPECT_EQ(names.size(), keys.size());
}

TEST(SessionBusNames, APasteIsTooLatePastItsLifetimeOrFromAnotherClock) {
    const quint64 now = SessionBusCommand::bootTimeMicroseconds();
    EXPECT_GT(now, 0u);
    EXPECT_LE(now, SessionBusCommand::bootTimeMicroseconds());
    const quint64 lifetime = quint64(std::chrono::microseconds(SessionBusCommand::pasteLifetime).count());
    EXPECT_LT(SessionBusCommand::pasteLifetime, SessionBusCommand::deadline) << "the answer must still make it";
    EXPECT_FALSE(SessionBusCommand::isTooLate(now, now));
    EXPECT_FALSE(SessionBusCommand::isTooLate(now - lifetime, now));
    EXPECT_TRUE(SessionBusCommand::isTooLate(now - lifetime - 1, now));
    EXPECT_TRUE(SessionBusCommand::isTooLate(now + 1, now));
}
