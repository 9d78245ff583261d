// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/PlatformFactory.h"
#include "app/Application.h"
#include "engine/ClipboardQueue.h"
#include "engine/QueuePaster.h"
#include "tests/support/TemporarySettings.h"
#include "tests/support/TestSupport.h"
#include "tests/unit/app/FakePlatform.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sorvu {
namespace {

using test::waitUntil;

// A kind of session named by one variable of the environment, which may lack what Sorvu needs; its platform
// is the tests' own.
class FakeSessionKind : public SessionKind {
public:
    FakeSessionKind(QString name, QString SessionEnvironment::*variable)
        : m_name(std::move(name)), m_variable(variable) {}

    // Set: the session is there but lacks what Sorvu needs.
    std::optional<QString> lacks;
    mutable int probes = 0;

    QString name() const override { return m_name; }
    bool isNamedBy(const SessionEnvironment& environment) const override {
        return !(environment.*m_variable).isEmpty();
    }
    std::optional<SessionProblem> problem(const SessionEnvironment& environment) const override {
        ++probes;
        if (!isNamedBy(environment)) {
            return SessionProblem{SessionProblem::Kind::noSession, m_name + QStringLiteral(" is not set")};
        }
        if (lacks) {
            return SessionProblem{SessionProblem::Kind::unsupported, *lacks};
        }
        return std::nullopt;
    }
    QString sessionKey(const SessionEnvironment& environment) const override {
        return m_name + QLatin1Char(':') + environment.*m_variable;
    }
    void prepareQt() const override {}
    std::unique_ptr<Platform> createPlatform(const SessionEnvironment&) const override {
        return std::make_unique<test::FakePlatform>();
    }

private:
    QString m_name;
    QString SessionEnvironment::*m_variable;
};

class PlatformFactoryTest : public ::testing::Test {
protected:
    FakeSessionKind wayland{QStringLiteral("wayland"), &SessionEnvironment::waylandDisplay};
    FakeSessionKind x11{QStringLiteral("x11"), &SessionEnvironment::display};
    PlatformFactory factory{{&wayland, &x11}};

    static SessionEnvironment both() {
        SessionEnvironment environment;
        environment.display = QStringLiteral(":0");
        environment.waylandDisplay = QStringLiteral("wayland-1");
        return environment;
    }
};

TEST_F(PlatformFactoryTest, TheFirstKindTheSessionOffersWinsAndWhatWasPassedOverIsKept) {
    // A Wayland session with XWayland: Wayland first.
    PlatformFactory::Choice choice = factory.choose(both());
    EXPECT_EQ(choice.kind, &wayland);
    EXPECT_FALSE(choice.problem);
    EXPECT_TRUE(choice.passedOver.isEmpty());

    // A compositor without what Sorvu needs, with XWayland: X11, and the user is told why.
    wayland.lacks = QStringLiteral("no data-control");
    choice = factory.choose(both());
    EXPECT_EQ(choice.kind, &x11);
    ASSERT_EQ(choice.passedOver.size(), 1);
    EXPECT_EQ(choice.passedOver.first().first, "wayland");
    EXPECT_EQ(choice.passedOver.first().second.message, "no data-control");

    // The same compositor without XWayland: nothing, said as a session that lacks something.
    SessionEnvironment waylandOnly;
    waylandOnly.waylandDisplay = QStringLiteral("wayland-1");
    choice = factory.choose(waylandOnly);
    EXPECT_EQ(choice.kind, nullptr);
    ASSERT_TRUE(choice.problem);
    EXPECT_EQ(choice.problem->kind, SessionProblem::Kind::unsupported);
    EXPECT_EQ(choice.problem->message, "no data-control");

    // A kind the environment does not name is never probed.
    const int probes = x11.probes;
    factory.choose(waylandOnly);
    EXPECT_EQ(x11.probes, probes);
}

TEST_F(PlatformFactoryTest, NoSessionAtAllIsSaidAsSuch) {
    const PlatformFactory::Choice choice = factory.choose(SessionEnvironment());
    EXPECT_EQ(choice.kind, nullptr);
    ASSERT_TRUE(choice.problem);
    EXPECT_EQ(choice.problem->kind, SessionProblem::Kind::noSession);
    EXPECT_EQ(choice.problem->message,
              "Sorvu needs a desktop session, and neither WAYLAND_DISPLAY nor DISPLAY is set.");
}

TEST_F(PlatformFactoryTest, TheUserAndQtCanForceAKind) {
    SessionEnvironment environment = both();
    environment.qtPlatform = QStringLiteral("xcb");
    EXPECT_EQ(factory.choose(environment).kind, &x11);

    environment.qtPlatform.clear();
    environment.forcedPlatform = QStringLiteral(" X11 ");
    EXPECT_EQ(factory.choose(environment).kind, &x11);

    // Forced, the kind is taken or refused: there is no falling back to another.
    environment.forcedPlatform = QStringLiteral("wayland");
    wayland.lacks = QStringLiteral("no virtual keyboard");
    PlatformFactory::Choice choice = factory.choose(environment);
    EXPECT_EQ(choice.kind, nullptr);
    ASSERT_TRUE(choice.problem);
    EXPECT_EQ(choice.problem->message, "no virtual keyboard");

    environment.forcedPlatform = QStringLiteral("mir");
    choice = factory.choose(environment);
    EXPECT_EQ(choice.kind, nullptr);
    ASSERT_TRUE(choice.problem);
    EXPECT_EQ(choice.problem->message, "SORVU_PLATFORM=mir names no platform Sorvu has; it has wayland, x11.");
}

TEST(PlatformFactoryOfThisBuild, KnowsX11AndExplainsADisplayThatCannotBeReached) {
    const PlatformFactory factory = PlatformFactory::forThisSystem();
    EXPECT_TRUE(factory.names().contains("x11"));

    SessionEnvironment environment;
    environment.display = QStringLiteral(":9999");
    const PlatformFactory::Choice choice = factory.choose(environment);
    EXPECT_EQ(choice.kind, nullptr);
    ASSERT_TRUE(choice.problem);
    EXPECT_EQ(choice.problem->kind, SessionProblem::Kind::noSession);
    EXPECT_EQ(choice.problem->message, "Sorvu needs an X11 session, and the X display \":9999\" cannot be opened.");
}

// A platform joins through the factory alone: the whole program runs over what the chosen kind makes.
class ProgramOverAChosenPlatform : public test::TemporarySettings {};

TEST_F(ProgramOverAChosenPlatform, CollectsAndPastesOverTheTestsOwnPlatform) {
    FakeSessionKind fake{QStringLiteral("fake"), &SessionEnvironment::display};
    const PlatformFactory factory({&fake});
    SessionEnvironment environment;
    environment.display = QStringLiteral(":42");
    const PlatformFactory::Choice choice = factory.choose(environment);
    ASSERT_EQ(choice.kind, &fake);
    EXPECT_EQ(choice.kind->sessionKey(environment), "fake::42");

    const std::unique_ptr<Platform> platform = choice.kind->createPlatform(environment);
    auto& session = static_cast<test::FakePlatform&>(*platform);
    QTemporaryDir storage;
    Application application(*platform, openSettings(), storage.path());
    application.launch();
    ASSERT_TRUE(session.shortcuts);
    session.shortcuts->press(ShortcutAction::startStopCollecting);
    session.fakeClipboard->copyText(QStringLiteral("through the factory"));
    ASSERT_TRUE(waitUntil([&] { return application.queue().queue().size() == 1; }));
    session.shortcuts->press(ShortcutAction::pasteNext);
    ASSERT_TRUE(waitUntil([&] { return session.output->posted.size() == 1; }));
    EXPECT_EQ(session.fakeClipboard->written.last().text(), "through the factory");
}

} // namespace
} // namespace sorvu
