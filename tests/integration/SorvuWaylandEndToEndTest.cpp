// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real program in a Wayland session: a headless sway with no X server, copies made with wl-copy, pastes
// asked for with the command line and with sway's own key binding into a GTK 3 field and into foot, what was
// pasted read back with wl-paste, and the popup found in sway's window tree.

#include "tests/integration/support/GtkTextView.h"
#include "tests/integration/support/WaylandSession.h"
#include "tests/support/EncodedImage.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace sorvu;
using sorvu::test::ChildProcess;
using sorvu::test::waitUntil;
using sorvu::test::WaylandSession;

namespace {

WaylandSession& session() {
    return *WaylandSession::current();
}

const QString sorvuAppId = QStringLiteral("org.sorvu.Sorvu");
const QString fieldAppId = QStringLiteral("sorvu-gtk-field");

// Every app_id in sway's window tree.
QStringList appIdsInTree(const QJsonObject& node) {
    QStringList ids;
    if (node.contains(QStringLiteral("app_id")) && !node.value(QStringLiteral("app_id")).isNull()) {
        ids.append(node.value(QStringLiteral("app_id")).toString());
    }
    for (const char* children : {"nodes", "floating_nodes"}) {
        for (const QJsonValue& child : node.value(QLatin1String(children)).toArray()) {
            ids += appIdsInTree(child.toObject());
        }
    }
    return ids;
}

// The app_ids of the windows sway floats rather than tiles.
QStringList floatingIn(const QJsonObject& node) {
    QStringList ids;
    for (const QJsonValue& child : node.value(QLatin1String("floating_nodes")).toArray()) {
        ids += appIdsInTree(child.toObject());
    }
    for (const QJsonValue& child : node.value(QLatin1String("nodes")).toArray()) {
        ids += floatingIn(child.toObject());
    }
    return ids;
}

QJsonObject tree() {
    return QJsonDocument::fromJson(session().swaymsg({QStringLiteral("-t"), QStringLiteral("get_tree")})).object();
}

QStringList windowsShown() {
    return appIdsInTree(
        QJsonDocument::fromJson(session().swaymsg({QStringLiteral("-t"), QStringLiteral("get_tree")})).object());
}

class SorvuWaylandEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        // Texts up to 1 MB, so that a copy over the limit is quick to make.
        ASSERT_TRUE(session()
                        .run({QStringLiteral("sh"), QStringLiteral("-c"),
                              QStringLiteral(
                                  "mkdir -p \"$XDG_CONFIG_HOME/Sorvu\" && printf "
                                  "'[General]\\nmaximumTextMegabytes=1\\n' > \"$XDG_CONFIG_HOME/Sorvu/Sorvu.conf\"")})
                        .succeeded());
        ChildProcess::Options options;
        options.environment = {{"QT_LOGGING_RULES", "sorvu.*.debug=true"}, {"SORVU_LOG_STDERR", "1"}};
        m_sorvu = session().start({SORVU_PROGRAM}, options);
        ASSERT_TRUE(m_sorvu);
        ASSERT_TRUE(waitUntil([&] { return status().contains("collecting="); }, 20000)) << log().toStdString();
    }

    void TearDown() override {
        session().run({SORVU_PROGRAM, QStringLiteral("--quit")});
        if (m_sorvu && !m_sorvu->waitForExit(5000)) {
            ADD_FAILURE() << "sorvu did not quit";
        }
        m_programs.clear();
        m_sorvu.reset();
        session().swaymsg({QStringLiteral("[app_id=\".*\"]"), QStringLiteral("kill")});
    }

    QString log() const { return QString::fromUtf8(m_sorvu ? m_sorvu->standardError() : QByteArray()); }
    QByteArray status() const { return session().run({SORVU_PROGRAM, QStringLiteral("--status")}).standardOutput; }
    bool queueHolds(int count) const {
        return waitUntil([&] { return status().contains("queueCount=" + QByteArray::number(count)); }, 10000);
    }
    ChildProcess::Result command(const QString& option) const { return session().run({SORVU_PROGRAM, option}); }

    // Another program copies: wl-copy stays in the background as the clipboard's owner until replaced.
    void copy(const QByteArray& bytes, const QString& type = QStringLiteral("text/plain;charset=utf-8")) const {
        ChildProcess::Options input;
        input.input = bytes;
        ASSERT_TRUE(
            session().run({QStringLiteral("wl-copy"), QStringLiteral("--type"), type}, 5000, input).succeeded());
    }
    QByteArray pasted(const QString& type) const {
        return session()
            .run({QStringLiteral("wl-paste"), QStringLiteral("--no-newline"), QStringLiteral("--type"), type})
            .standardOutput;
    }

    ChildProcess* startField() {
        m_programs.push_back(
            session().start({QStringLiteral("/usr/bin/python3"), SORVU_GTK_TEXT_VIEW_SCRIPT, fieldAppId}));
        ChildProcess* field = m_programs.back().get();
        // Sorvu's virtual keyboard gives the seat a keyboard: the window is focused once it is shown.
        EXPECT_TRUE(waitUntil([&] { return field->standardOutput().contains("focused"); }, 20000))
            << field->standardError().constData();
        return field;
    }

    std::unique_ptr<ChildProcess> m_sorvu;
    std::vector<std::unique_ptr<ChildProcess>> m_programs;
};

TEST_F(SorvuWaylandEndToEnd, RunsOncePerSessionOnTheWaylandPlatformAndAnswersItsCommands) {
    EXPECT_TRUE(log().contains("platform chosen name=wayland")) << log().toStdString();
    EXPECT_TRUE(log().contains("data-control=wlr")) << log().toStdString();
    EXPECT_EQ(status(), "collecting=false\nqueueCount=0\n");
    ASSERT_TRUE(command(QStringLiteral("--toggle-collecting")).succeeded());
    EXPECT_EQ(status(), "collecting=true\nqueueCount=0\n");

    // A second start in the same session opens the popup of the Sorvu that runs, and leaves.
    const ChildProcess::Result second = session().run({SORVU_PROGRAM}, 10000);
    EXPECT_TRUE(second.succeeded()) << second.standardError.constData();
    EXPECT_TRUE(waitUntil([] { return windowsShown().contains(sorvuAppId); }, 10000)) << log().toStdString();
    EXPECT_TRUE(m_sorvu->isRunning());
}

TEST_F(SorvuWaylandEndToEnd, CopiesArePastedInOrderByteExactIntoAGtkFieldAndIntoFoot) {
    ASSERT_TRUE(command(QStringLiteral("--toggle-collecting")).succeeded());
    const QString first = QStringLiteral("Grüße ✓ eins\n\tzwei  ");
    const QString second = QStringLiteral("日本語 & <b>drei</b>");
    copy(first.toUtf8());
    ASSERT_TRUE(queueHolds(1)) << log().toStdString();
    copy(second.toUtf8());
    ASSERT_TRUE(queueHolds(2)) << log().toStdString();

    ChildProcess* field = startField();
    ASSERT_TRUE(command(QStringLiteral("--paste-next")).succeeded());
    ASSERT_TRUE(waitUntil([&] { return test::lastTextOf(*field) == first; }, 10000))
        << test::lastTextOf(*field).toStdString() << log().toStdString();
    ASSERT_TRUE(command(QStringLiteral("--paste-next")).succeeded());
    ASSERT_TRUE(waitUntil([&] { return test::lastTextOf(*field) == first + second; }, 10000))
        << test::lastTextOf(*field).toStdString();
    EXPECT_TRUE(log().contains("paste keystroke keys=Ctrl+V windowClass=" + fieldAppId)) << log().toStdString();
    // The drained queue stopped collecting.
    EXPECT_EQ(status(), "collecting=false\nqueueCount=0\n");

    // A terminal pastes with Ctrl+Shift+V: the program reading in foot gets exactly the bytes.
    ASSERT_TRUE(command(QStringLiteral("--toggle-collecting")).succeeded());
    const QByteArray typed = "printf 'x' | tr x y\nsecond line\t end\n";
    copy(typed);
    ASSERT_TRUE(queueHolds(1));
    const QString output = QString::fromLocal8Bit(session().homeDirectory()) + QStringLiteral("/foot-input");
    m_programs.push_back(session().start({QStringLiteral("foot"), QStringLiteral("sh"), QStringLiteral("-c"),
                                          QStringLiteral("head -c %1 > '%2'").arg(typed.size()).arg(output)}));
    ASSERT_TRUE(waitUntil([] { return windowsShown().contains(QStringLiteral("foot")); }, 20000));
    ASSERT_TRUE(command(QStringLiteral("--paste-next")).succeeded());
    ASSERT_TRUE(waitUntil([&] { return !m_programs.back()->isRunning(); }, 10000)) << log().toStdString();
    QFile file(output);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), typed);
    EXPECT_TRUE(log().contains("paste keystroke keys=Ctrl+Shift+V windowClass=foot")) << log().toStdString();
}

TEST_F(SorvuWaylandEndToEnd, SwaysOwnKeyBindingPastesWithoutItsKeysInThePaste) {
    session().swaymsg({QStringLiteral("bindsym"), QStringLiteral("Ctrl+Mod4+v"), QStringLiteral("exec"),
                       QStringLiteral(SORVU_PROGRAM) + QStringLiteral(" --paste-next")});
    ASSERT_TRUE(command(QStringLiteral("--toggle-collecting")).succeeded());
    copy("bound");
    copy("and again");
    ASSERT_TRUE(queueHolds(2));
    ChildProcess* field = startField();

    // The user presses the binding and holds it a moment, as people do.
    for (const char* expected : {"bound", "boundand again"}) {
        const ChildProcess::Result chord =
            session().run({SORVU_WAYLAND_SCRIPTED_CLIENT_PROGRAM, QStringLiteral("chord"), QStringLiteral("150"),
                           QStringLiteral("Control_L"), QStringLiteral("Super_L"), QStringLiteral("v")},
                          10000);
        ASSERT_TRUE(chord.succeeded()) << chord.standardError.constData();
        ASSERT_TRUE(waitUntil([&] { return test::lastTextOf(*field) == QLatin1String(expected); }, 10000))
            << test::lastTextOf(*field).toStdString() << log().toStdString();
    }
    // No stray letter came after the pastes.
    QCoreApplication::processEvents();
    EXPECT_EQ(test::lastTextOf(*field), "boundand again");
}

TEST_F(SorvuWaylandEndToEnd, ImagesAndFilesComeBackByteExactAndTooLargeCopiesAreSkipped) {
    ASSERT_TRUE(command(QStringLiteral("--toggle-collecting")).succeeded());
    const QByteArray png = test::encodedImage(QSize(160, 90), "PNG");
    copy(png, QStringLiteral("image/png"));
    ASSERT_TRUE(queueHolds(1));
    const QString original = QString::fromLocal8Bit(session().homeDirectory()) + QStringLiteral("/report 2026.txt");
    {
        QFile file(original);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("quarterly figures\n");
    }
    QFile::setPermissions(original, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther | QFile::WriteOwner);
    copy(QUrl::fromLocalFile(original).toEncoded() + "\r\n", QStringLiteral("text/uri-list"));
    ASSERT_TRUE(queueHolds(2)) << log().toStdString();

    // Nothing in front takes the keys; what Sorvu put on the clipboard is what counts.
    ASSERT_TRUE(command(QStringLiteral("--paste-next")).succeeded());
    EXPECT_TRUE(waitUntil([&] { return pasted(QStringLiteral("image/png")) == png; }, 10000));
    ASSERT_TRUE(command(QStringLiteral("--paste-next")).succeeded());
    QUrl stored;
    ASSERT_TRUE(waitUntil(
        [&] {
            stored = QUrl::fromEncoded(pasted(QStringLiteral("text/uri-list")).trimmed());
            return stored.isLocalFile() && stored.toLocalFile() != original;
        },
        10000));
    EXPECT_TRUE(stored.toLocalFile().endsWith(QStringLiteral("/report 2026.txt"))) << stored.toString().toStdString();
    QFile storedFile(stored.toLocalFile());
    ASSERT_TRUE(storedFile.open(QIODevice::ReadOnly));
    EXPECT_EQ(storedFile.readAll(), "quarterly figures\n");
    EXPECT_EQ(pasted(QStringLiteral("x-special/gnome-copied-files")), "copy\n" + stored.toEncoded());

    // A copy larger than the limit (1 MB here) is read no further than the limit and not queued.
    ASSERT_TRUE(command(QStringLiteral("--toggle-collecting")).succeeded());
    copy(QByteArray(2 << 20, 'x'));
    EXPECT_TRUE(waitUntil([&] { return log().contains("copy skipped as larger than the size limit"); }, 20000))
        << log().toStdString();
    EXPECT_EQ(status(), "collecting=true\nqueueCount=0\n");
}

TEST_F(SorvuWaylandEndToEnd, ThePopupFloatsItsEnterPastesIntoTheRecipientAndLosingTheKeyboardClosesIt) {
    ASSERT_TRUE(command(QStringLiteral("--toggle-collecting")).succeeded());
    copy("first of two");
    copy("second");
    ASSERT_TRUE(queueHolds(2));
    ChildProcess* field = startField();
    const auto pressKeys = [](const QStringList& keys) {
        const ChildProcess::Result pressed = session().run(
            QStringList{SORVU_WAYLAND_SCRIPTED_CLIENT_PROGRAM, QStringLiteral("chord"), QStringLiteral("50")} + keys,
            10000);
        ASSERT_TRUE(pressed.succeeded()) << pressed.standardError.constData();
    };

    // Enter pastes the head into the program that was in front when the popup opened: the window list brings
    // it back, and the popup, which lost the keyboard to it, steps aside.
    ASSERT_TRUE(command(QStringLiteral("--show")).succeeded());
    ASSERT_TRUE(waitUntil([] { return floatingIn(tree()).contains(sorvuAppId); }, 10000)) << log().toStdString();
    pressKeys({QStringLiteral("Return")});
    ASSERT_TRUE(waitUntil([&] { return test::lastTextOf(*field) == "first of two"; }, 10000))
        << test::lastTextOf(*field).toStdString() << log().toStdString();
    EXPECT_TRUE(waitUntil([] { return !windowsShown().contains(sorvuAppId); }, 10000));
    EXPECT_TRUE(log().contains("recipient restore confirmed")) << log().toStdString();

    // Another window taking the keyboard is the click elsewhere.
    ASSERT_TRUE(command(QStringLiteral("--show")).succeeded());
    ASSERT_TRUE(waitUntil([] { return windowsShown().contains(sorvuAppId); }, 10000));
    session().swaymsg({QStringLiteral("[app_id=\"%1\"] focus").arg(fieldAppId)});
    EXPECT_TRUE(waitUntil([] { return !windowsShown().contains(sorvuAppId); }, 10000)) << log().toStdString();
    EXPECT_TRUE(log().contains("popover close requested reason=outsideClick")) << log().toStdString();
    EXPECT_EQ(status(), "collecting=true\nqueueCount=1\n");
}

TEST_F(SorvuWaylandEndToEnd, ThePopupOpensFromTheCommandLineAndEscapeClosesIt) {
    ASSERT_TRUE(command(QStringLiteral("--show")).succeeded());
    ASSERT_TRUE(waitUntil([] { return windowsShown().contains(sorvuAppId); }, 10000)) << log().toStdString();
    const ChildProcess::Result escape = session().run({SORVU_WAYLAND_SCRIPTED_CLIENT_PROGRAM, QStringLiteral("chord"),
                                                       QStringLiteral("50"), QStringLiteral("Escape")},
                                                      10000);
    ASSERT_TRUE(escape.succeeded()) << escape.standardError.constData();
    EXPECT_TRUE(waitUntil([] { return !windowsShown().contains(sorvuAppId); }, 10000)) << log().toStdString();
    EXPECT_TRUE(log().contains("popover close requested reason=escape")) << log().toStdString();
}

TEST_F(SorvuWaylandEndToEnd, TheTrayIconSitsInSwaybarAndAClickOnItOpensThePopup) {
    const auto busCall = [](const QStringList& arguments) {
        return session().run(QStringList{QStringLiteral("gdbus"), QStringLiteral("call"), QStringLiteral("--session")} +
                             arguments);
    };
    QString item;
    ASSERT_TRUE(waitUntil(
        [&] {
            const QByteArray registered =
                busCall({QStringLiteral("--dest"), QStringLiteral("org.kde.StatusNotifierWatcher"),
                         QStringLiteral("--object-path"), QStringLiteral("/StatusNotifierWatcher"),
                         QStringLiteral("--method"), QStringLiteral("org.freedesktop.DBus.Properties.Get"),
                         QStringLiteral("org.kde.StatusNotifierWatcher"),
                         QStringLiteral("RegisteredStatusNotifierItems")})
                    .standardOutput;
            // One item: Sorvu's, named by its bus name (and path).
            const qsizetype start = registered.indexOf('\'');
            item = start < 0
                       ? QString()
                       : QString::fromUtf8(registered.mid(start + 1, registered.indexOf('\'', start + 1) - start - 1));
            return !item.isEmpty();
        },
        10000))
        << log().toStdString();
    const QString service = item.section(QLatin1Char('/'), 0, 0);
    const ChildProcess::Result activated =
        busCall({QStringLiteral("--dest"), service, QStringLiteral("--object-path"),
                 QStringLiteral("/StatusNotifierItem"), QStringLiteral("--method"),
                 QStringLiteral("org.kde.StatusNotifierItem.Activate"), QStringLiteral("0"), QStringLiteral("0")});
    ASSERT_TRUE(activated.succeeded()) << activated.standardError.constData();
    EXPECT_TRUE(waitUntil([] { return windowsShown().contains(sorvuAppId); }, 10000)) << log().toStdString();
}

} // namespace
