// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The popup of the real sorvu program, driven from outside as a user and a screen reader meet it: xdotool
// clicks the tray icon in a real panel (tint2) and the popup's controls, which are found by their accessible
// names over AT-SPI, the way Orca finds them.

#include "tests/integration/support/ChildProcess.h"
#include "tests/integration/support/SorvuLaunch.h"
#include "tests/integration/support/WindowProgram.h"
#include "tests/integration/support/X11ServerState.h"
#include "tests/support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLineF>
#include <QPixmap>
#include <QRect>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>

#include <functional>

#include <gtest/gtest.h>

using namespace sorvu::test;

namespace {

ChildProcess::Result xdotool(const QStringList& arguments) {
    return ChildProcess::run(QStringList{"xdotool"} + arguments, 10000);
}

void click(QPoint point) {
    ASSERT_TRUE(
        xdotool({"mousemove", QString::number(point.x()), QString::number(point.y()), "click", "1"}).succeeded());
}

// Where a window is on the screen, as xdotool reports it.
QRect windowGeometry(const QByteArray& window) {
    const QString geometry = QString::fromUtf8(xdotool({"getwindowgeometry", "--shell", window}).standardOutput);
    const auto value = [&](const char* key) {
        return QRegularExpression(QString("^%1=(-?\\d+)$").arg(key), QRegularExpression::MultilineOption)
            .match(geometry)
            .captured(1)
            .toInt();
    };
    return QRect(value("X"), value("Y"), value("WIDTH"), value("HEIGHT"));
}

// One element of a program's window as AT-SPI presents it.
struct Accessible {
    int depth = 0;
    QString role;
    QString name;
    QRect extents;
    bool showing = false;
    bool focused = false;
    QString description;
};

QList<Accessible> accessibleTree(const QString& application) {
    const auto result = ChildProcess::run({"/usr/bin/python3", SORVU_ACCESSIBLE_TREE_SCRIPT, application}, 20000);
    QList<Accessible> tree;
    for (const QString& line : QString::fromUtf8(result.standardOutput).split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split('\t');
        if (fields.size() == 10) {
            tree.append({fields[0].toInt(), fields[1], fields[2],
                         QRect(fields[3].toInt(), fields[4].toInt(), fields[5].toInt(), fields[6].toInt()),
                         fields[7] == "1", fields[8] == "1", fields[9]});
        }
    }
    return tree;
}

class PopupEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // A session bus with the accessibility bus, as a desktop session has them.
        s_bus = ChildProcess::start({"dbus-daemon", "--session", "--nofork", "--print-address=1"});
        ASSERT_TRUE(s_bus);
        QByteArray address;
        ASSERT_TRUE(waitUntil([&] {
            address = s_bus->standardOutput().trimmed();
            return !address.isEmpty();
        }));
        qputenv("DBUS_SESSION_BUS_ADDRESS", address);
        s_accessibilityBus = ChildProcess::start({"/usr/libexec/at-spi-bus-launcher", "--launch-immediately"});
        ASSERT_TRUE(s_accessibilityBus);
        s_panel = ChildProcess::start({"tint2"});
        ASSERT_TRUE(s_panel);
    }

    static void TearDownTestSuite() {
        for (auto* process : {&s_panel, &s_accessibilityBus, &s_bus}) {
            if (*process) {
                (*process)->stop();
                process->reset();
            }
        }
    }

    void SetUp() override { ASSERT_TRUE(m_home.isValid()); }

    void TearDown() override {
        for (auto& copy : m_copies) {
            copy->stop();
        }
        if (m_field) {
            m_field->stop();
        }
        if (m_sorvu) {
            m_sorvu->stop();
        }
    }

    // With a screen reader's view (AT-SPI) unless told otherwise; a running screen reader shows every row's
    // delete button.
    void startSorvu(const QByteArray& settings = {}, bool accessibility = true,
                    const QHash<QByteArray, QByteArray>& environment = {}) {
        if (!settings.isEmpty()) {
            QDir().mkpath(m_home.filePath("config/Sorvu"));
            QFile file(m_home.filePath("config/Sorvu/Sorvu.conf"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(settings);
        }
        ChildProcess::Options options = sorvuLaunchOptions(m_home);
        if (accessibility) {
            options.environment.insert("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");
        }
        options.environment.insert(environment);
        m_sorvu = ChildProcess::start({SORVU_PROGRAM}, options);
        m_queued = 0;
        ASSERT_TRUE(m_sorvu);
        ASSERT_TRUE(waitForLog("status item image=menuBarIcon count=0")) << log().toStdString();
        ASSERT_TRUE(waitUntil([&] { return trayIcon().has_value(); }, 10000)) << "the icon never reached the panel";
    }

    QString log() const { return QString::fromUtf8(m_sorvu->standardError()); }
    bool waitForLog(const QString& line, int timeoutMilliseconds = 10000) const {
        return waitUntil([&] { return log().contains(line); }, timeoutMilliseconds);
    }
    int logCount(const QString& line) const { return int(log().count(line)); }

    // Where the panel shows Sorvu's icon: its small embedded window, in the panel at the bottom of the screen (a
    // platform theme may keep small windows of its own elsewhere).
    static std::optional<QRect> trayIcon() {
        return sorvuWindow([](const QRect& rect) {
            return rect.width() <= 64 && rect.y() > QGuiApplication::primaryScreen()->geometry().height() / 2;
        });
    }
    // The popup's window, seen from outside.
    static std::optional<QRect> popupWindow() {
        return sorvuWindow([](const QRect& rect) { return rect.width() >= 200; });
    }
    static std::optional<QRect> sorvuWindow(const std::function<bool(const QRect&)>& wanted) {
        const auto found = xdotool({"search", "--classname", "^sorvu$"});
        for (const QByteArray& window : found.standardOutput.split('\n')) {
            if (window.isEmpty()) {
                continue;
            }
            const QRect rect = windowGeometry(window);
            if (rect.width() >= 8 && rect.y() > 0 && wanted(rect)) {
                return rect;
            }
        }
        return std::nullopt;
    }

    void collect(const QList<QByteArray>& texts) {
        ASSERT_TRUE(xdotool({"key", "ctrl+super+c"}).succeeded());
        ASSERT_TRUE(waitForLog("toggleCollecting isCollecting=true")) << log().toStdString();
        for (const QByteArray& text : texts) {
            copy(text);
        }
    }
    // Writes the file, then copies it as a file manager does.
    void copyFile(const QString& path, const QByteArray& content) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        file.close();
        copy(QUrl::fromLocalFile(path).toEncoded() + "\n", "text/uri-list");
    }
    void copy(const QByteArray& data, const QString& type = {}) {
        auto process = startXclipCopy(data, type);
        ASSERT_TRUE(process);
        m_copies.push_back(std::move(process));
        ASSERT_TRUE(waitForLog(QString("status item image=menuBarIconFrameActiveRec count=%1").arg(++m_queued)))
            << log().toStdString();
    }

    // The popup as a screen reader reads it; empty while it is closed.
    QList<Accessible> popup() const {
        QList<Accessible> tree = accessibleTree("Sorvu");
        const auto frame = std::find_if(tree.begin(), tree.end(),
                                        [](const Accessible& node) { return node.role == "frame" && node.showing; });
        return frame == tree.end() ? QList<Accessible>() : tree;
    }
    std::optional<Accessible> find(const QString& role, const QString& name) const {
        for (const Accessible& node : popup()) {
            if (node.role == role && node.name == name && node.showing) {
                return node;
            }
        }
        return std::nullopt;
    }
    // The element that has the keyboard focus, as a screen reader announces it: the innermost of the focused
    // elements (a list is focused along with its focused row).
    std::optional<Accessible> focused() const {
        std::optional<Accessible> innermost;
        for (const Accessible& node : popup()) {
            if (node.focused && node.showing && node.role != "frame") {
                innermost = node;
            }
        }
        return innermost;
    }
    // Presses keys in whatever window has the keyboard, as a user without a pointer does.
    static void keys(const QStringList& names) {
        for (const QString& name : names) {
            ASSERT_TRUE(xdotool({"key", name}).succeeded()) << name.toStdString();
            runEventLoopFor(120);
        }
    }
    bool waitForFocus(const QString& role, const QString& name) const {
        return waitUntil([&] {
            const auto node = focused();
            return node && node->role == role && node->name == name;
        });
    }
    std::string focusedName() const {
        const auto node = focused();
        return node ? (node->role + ": " + node->name + " (" + node->description + ")").toStdString() : "nothing";
    }

    // The popup's window.
    Accessible frame() const {
        for (const Accessible& node : popup()) {
            if (node.role == "frame" && node.showing) {
                return node;
            }
        }
        return {};
    }
    // The rows' names from the top of the list down (the order on screen, not the order of the tree).
    QStringList rowNames() const {
        QList<Accessible> rows;
        for (const Accessible& node : popup()) {
            if (node.role == "list item") {
                rows.append(node);
            }
        }
        std::sort(rows.begin(), rows.end(),
                  [](const Accessible& a, const Accessible& b) { return a.extents.y() < b.extents.y(); });
        QStringList names;
        for (const Accessible& row : rows) {
            names.append(row.name);
        }
        return names;
    }

    void openPopup() {
        const int opened = logCount("popover will open");
        const QRect icon = *trayIcon();
        click(icon.center());
        ASSERT_TRUE(waitUntil([&] { return logCount("popover will open") == opened + 1; }))
            << "clicked the icon at " << icon.x() << "," << icon.y() << " " << icon.width() << "x" << icon.height()
            << "\n"
            << log().toStdString();
        ASSERT_TRUE(waitUntil([&] { return !popup().isEmpty(); }, 10000)) << "the popup never reached AT-SPI";
    }
    void press(const QString& role, const QString& name) {
        const auto control = find(role, name);
        ASSERT_TRUE(control) << "no " << role.toStdString() << " named " << name.toStdString();
        click(control->extents.center());
    }

    // Presses the button until the control it leads to shows: a click may land while the popup is still
    // being placed.
    void pressUntilShown(const QString& button, const QString& role, const QString& name) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            press("push button", button);
            if (waitUntil([&] { return find(role, name).has_value(); }, 3000)) {
                return;
            }
        }
        FAIL() << "no " << role.toStdString() << " named " << name.toStdString() << " after pressing "
               << button.toStdString() << "\n"
               << log().toStdString();
    }

    // Opens the picker and clicks the entry, scrolling its list down until the entry shows.
    void choose(const QString& pickerName, const QString& entry) {
        press("combo box", pickerName);
        const auto shownEntry = [&]() -> std::optional<Accessible> {
            const QRect window = frame().extents;
            for (const Accessible& node : popup()) {
                if (node.name == entry && node.role != "combo box" && node.showing &&
                    window.contains(node.extents.center())) {
                    return node;
                }
            }
            return std::nullopt;
        };
        std::optional<Accessible> found;
        for (int attempt = 0; attempt < 12 && !(found = shownEntry()); ++attempt) {
            const QPoint list = frame().extents.center();
            ASSERT_TRUE(
                xdotool({"mousemove", QString::number(list.x()), QString::number(list.y()), "click", "5"}).succeeded());
            runEventLoopFor(200);
        }
        ASSERT_TRUE(found) << "no entry " << entry.toStdString() << " in " << pickerName.toStdString();
        click(found->extents.center());
    }

    // A helper program that prints "window <id>" once shown, in front.
    void openWindowProgram(const QString& program, const QString& title, std::unique_ptr<ChildProcess>& process,
                           QRect& geometry, QString& windowId) {
        process = ChildProcess::start({program, title});
        ASSERT_TRUE(process);
        const QString window = bringWindowProgramToFront(*process);
        ASSERT_FALSE(window.isEmpty());
        geometry = windowGeometry(window.toLatin1());
        windowId = window;
    }
    // The text field comes to the front again, as after a click into it.
    void focusTextField() {
        ASSERT_TRUE(waitUntil([&] { return xdotool({"windowactivate", "--sync", m_fieldWindow}).succeeded(); }, 10000));
        ASSERT_TRUE(waitUntil(
            [&] { return xdotool({"getactivewindow"}).standardOutput.trimmed() == m_fieldWindow.toLatin1(); }));
    }

    void openTextField() {
        openWindowProgram(SORVU_TEXT_FIELD_PROGRAM, "paste target", m_field, m_fieldGeometry, m_fieldWindow);
    }
    QString fieldText() const { return lastTextOf(*m_field); }

    // Presses on the row and drags it with the pointer along the points, in small steps with short pauses as a
    // hand does (the drag protocol negotiates with each window the pointer enters), then lingers over the last
    // point. The button stays down unless told to let go there.
    void dragRow(const QString& row, const QList<QPoint>& path, bool release = true) {
        const auto found = find("list item", row);
        ASSERT_TRUE(found) << "no row " << row.toStdString() << " in " << rowNames().join(", ").toStdString();
        QPoint at = found->extents.center();
        ASSERT_TRUE(
            xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "mousedown", "1"}).succeeded());
        for (const QPoint& next : path) {
            const QPoint from = at;
            const int steps = std::max(1, int(QLineF(from, next).length() / 12));
            for (int step = 1; step <= steps; ++step) {
                at = from + (next - from) * step / steps;
                ASSERT_TRUE(xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "sleep", "0.02"})
                                .succeeded());
            }
        }
        for (int wiggle = 0; wiggle < 6; ++wiggle) {
            at += QPoint(wiggle % 2 == 0 ? 2 : -2, 0);
            ASSERT_TRUE(
                xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "sleep", "0.08"}).succeeded());
        }
        if (release) {
            ASSERT_TRUE(xdotool({"mouseup", "1"}).succeeded());
        }
    }

    static inline std::unique_ptr<ChildProcess> s_bus;
    static inline std::unique_ptr<ChildProcess> s_accessibilityBus;
    static inline std::unique_ptr<ChildProcess> s_panel;
    QTemporaryDir m_home;
    std::unique_ptr<ChildProcess> m_sorvu;
    int m_queued = 0;
    std::unique_ptr<ChildProcess> m_field;
    QRect m_fieldGeometry;
    QString m_fieldWindow;
    std::vector<std::unique_ptr<ChildProcess>> m_copies;
};

} // namespace

TEST_F(PopupEndToEnd, TheTrayIconOpensThePopupBesideItAndEachWayOfClosingItWorksOnce) {
    startSorvu();
    openPopup();
    const QRect icon = *trayIcon();
    const Accessible frame = this->frame();
    ASSERT_EQ(frame.role, "frame");
    // The panel is at the bottom of the screen: the popup opens above the icon, next to it.
    EXPECT_LE(frame.extents.bottom(), icon.top());
    EXPECT_LE(std::abs(frame.extents.center().x() - icon.center().x()), frame.extents.width() / 2);
    // A screen reader reads the status as one sentence and finds every control by its name.
    EXPECT_TRUE(find("label", "Stopped, queue empty"));
    for (const char* name : {"Settings", "Start", "Paste", "Clear", "Quit"}) {
        EXPECT_TRUE(find("push button", name)) << name;
    }
    EXPECT_FALSE(find("push button", "Combine and Paste…")) << "nothing to combine in an empty queue";

    // A click inside the popup keeps it open; a second click on the icon closes it, once.
    click(frame.extents.topLeft() + QPoint(5, 5));
    runEventLoopFor(300);
    EXPECT_EQ(logCount("popover close requested"), 0);
    click(icon.center());
    ASSERT_TRUE(waitForLog("popoverDidClose")) << log().toStdString();
    EXPECT_EQ(logCount("popover close requested reason=statusItem"), 1);
    runEventLoopFor(300);
    EXPECT_EQ(logCount("popover will open"), 1) << "the click that closed it did not open it again";

    // Two quick clicks (a double click to the panel) open it and close it again.
    ASSERT_TRUE(xdotool({"click", "--repeat", "2", "--delay", "150", "1"}).succeeded());
    ASSERT_TRUE(waitUntil([&] { return logCount("popoverDidClose") == 2; })) << log().toStdString();
    EXPECT_EQ(logCount("popover will open"), 2);

    // Escape.
    openPopup();
    ASSERT_TRUE(xdotool({"key", "Escape"}).succeeded());
    ASSERT_TRUE(waitForLog("popover close requested reason=escape")) << log().toStdString();

    // A click into another program's window.
    openTextField();
    openPopup();
    const QRect field = m_fieldGeometry;
    ASSERT_FALSE(field.isEmpty());
    click(field.center());
    ASSERT_TRUE(waitForLog("popover close requested reason=outsideClick")) << log().toStdString();
    EXPECT_EQ(logCount("popoverDidClose"), 4);
}

TEST_F(PopupEndToEnd, ThePasteButtonPastesTheHeadIntoTheProgramThatWasInFrontAndTheLastPasteClosesThePopup) {
    startSorvu();
    collect({"alpha", "beta"});
    openTextField();
    openPopup();
    press("push button", "Paste");
    ASSERT_TRUE(waitUntil([&] { return fieldText() == "alpha"; })) << log().toStdString();
    EXPECT_TRUE(waitForLog("paste attempt outcome=commandPosted queueCountBefore=2 queueCountAfter=1"));

    // The popup stayed open; its last entry empties the queue and closes it.
    ASSERT_TRUE(waitUntil([&] { return rowNames() == QStringList{"Item 1: text, beta"}; }))
        << rowNames().join(", ").toStdString();
    press("push button", "Paste");
    ASSERT_TRUE(waitUntil([&] { return fieldText() == "alphabeta"; })) << log().toStdString();
    ASSERT_TRUE(waitForLog("popover close requested reason=queueDrained")) << log().toStdString();
    EXPECT_TRUE(waitUntil([&] { return popup().isEmpty(); }));
}

TEST_F(PopupEndToEnd, RowsAreDeletedWithTheirButtonAndReorderedByDraggingAndPastesFollowTheNewOrder) {
    startSorvu();
    collect({"one", "two", "three", "four"});
    openPopup();
    ASSERT_EQ(rowNames(),
              (QStringList{"Item 1: text, one", "Item 2: text, two", "Item 3: text, three", "Item 4: text, four"}));

    // The delete button appears under the pointer and removes that entry only.
    const auto second = find("list item", "Item 2: text, two");
    ASSERT_TRUE(second);
    ASSERT_TRUE(xdotool({"mousemove", QString::number(second->extents.center().x()),
                         QString::number(second->extents.center().y())})
                    .succeeded());
    runEventLoopFor(200);
    press("push button", "Delete item 2");
    ASSERT_TRUE(waitUntil([&] {
        return rowNames() == QStringList{"Item 1: text, one", "Item 2: text, three", "Item 3: text, four"};
    })) << rowNames().join(", ").toStdString();

    // Row 1 dragged below row 3 with the pointer.
    const auto first = find("list item", "Item 1: text, one");
    const auto third = find("list item", "Item 3: text, four");
    ASSERT_TRUE(first && third);
    const QPoint start = first->extents.center();
    ASSERT_TRUE(
        xdotool({"mousemove", QString::number(start.x()), QString::number(start.y()), "mousedown", "1"}).succeeded());
    const int target = third->extents.bottom() + 6;
    for (int y = start.y() + 4; y < target; y += 6) {
        ASSERT_TRUE(xdotool({"mousemove", QString::number(start.x()), QString::number(y)}).succeeded());
    }
    ASSERT_TRUE(
        xdotool({"mousemove", QString::number(start.x()), QString::number(target), "mouseup", "1"}).succeeded());
    ASSERT_TRUE(waitUntil([&] {
        return rowNames() == QStringList{"Item 1: text, three", "Item 2: text, four", "Item 3: text, one"};
    })) << rowNames().join(", ").toStdString();

    // The shortcut pastes in the new order.
    ASSERT_TRUE(xdotool({"key", "Escape"}).succeeded());
    ASSERT_TRUE(waitForLog("popoverDidClose"));
    openTextField();
    for (int paste = 0; paste < 3; ++paste) {
        ASSERT_TRUE(xdotool({"key", "ctrl+super+v"}).succeeded());
    }
    EXPECT_TRUE(waitUntil([&] { return fieldText() == "threefourone"; }, 10000))
        << fieldText().toStdString() << log().toStdString();
}

TEST_F(PopupEndToEnd, ATextDraggedOutOfThePopupArrivesInATextFieldAndLeavesTheQueueAndTheLastOneClosesThePopup) {
    startSorvu();
    collect({"dropped text", "second"});
    openTextField();
    openPopup();
    const QRect popupFrame = frame().extents;
    ASSERT_FALSE(popupFrame.intersects(m_fieldGeometry)) << "the field must lie beside the popup";
    const QPoint field = m_fieldGeometry.center();

    // Up and out over the popup's top edge, then across to the field.
    dragRow("Item 1: text, dropped text", {QPoint(popupFrame.center().x(), popupFrame.top() - 30), field});
    ASSERT_TRUE(waitUntil([&] { return fieldText() == "dropped text"; }))
        << fieldText().toStdString() << log().toStdString();
    ASSERT_TRUE(waitForLog("drag ended operation=1")) << log().toStdString();
    ASSERT_TRUE(waitUntil([&] { return rowNames() == QStringList{"Item 1: text, second"}; }))
        << rowNames().join(", ").toStdString();
    EXPECT_TRUE(waitForLog("consumeDropped"));
    EXPECT_EQ(logCount("popover close requested"), 0);

    // The last entry: the queue is drained and the popup closes.
    dragRow("Item 1: text, second", {QPoint(popupFrame.center().x(), popupFrame.top() - 30), field});
    ASSERT_TRUE(waitUntil([&] { return fieldText().contains("second"); })) << fieldText().toStdString();
    ASSERT_TRUE(waitForLog("popover close requested reason=queueDrained")) << log().toStdString();
    EXPECT_EQ(logCount("popover close requested"), 1);
    EXPECT_TRUE(waitUntil([&] { return popup().isEmpty(); }));
}

TEST_F(PopupEndToEnd, AFileDraggedOutOfThePopupArrivesAsItsStoredCopyAndAnImageAsAnImage) {
    startSorvu();
    QTemporaryDir files;
    collect({"stays"});
    copyFile(files.filePath("report.txt"), "quarterly figures\n");
    QImage picture(160, 90, QImage::Format_RGB32);
    picture.fill(QColor(70, 130, 180));
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
    copy(png, "image/png");
    QRect target;
    std::unique_ptr<ChildProcess> dropTarget;
    QString dropWindow;
    openWindowProgram(SORVU_DROP_TARGET_PROGRAM, "drop target", dropTarget, target, dropWindow);
    ASSERT_TRUE(dropTarget && !target.isEmpty());
    openPopup();
    const QRect popupFrame = frame().extents;
    ASSERT_FALSE(popupFrame.intersects(target));

    dragRow("Item 2: file, report.txt", {QPoint(popupFrame.center().x(), popupFrame.top() - 30), target.center()});
    QString dropped;
    ASSERT_TRUE(waitUntil([&] {
        const QRegularExpressionMatch match =
            QRegularExpression("^drop (\\d+) (\\S+)$", QRegularExpression::MultilineOption)
                .match(QString::fromUtf8(dropTarget->standardOutput()));
        dropped = QUrl::fromPercentEncoding(match.captured(2).toUtf8());
        return match.hasMatch();
    })) << dropTarget->standardOutput().toStdString()
        << log().toStdString();
    // The copy in Sorvu's storage, not the original, and as a file manager wants it too.
    const QUrl url(dropped.split(QRegularExpression("\\r?\\n"), Qt::SkipEmptyParts).value(0));
    ASSERT_TRUE(url.isLocalFile()) << dropped.toStdString();
    EXPECT_TRUE(url.toLocalFile().contains("Sorvu/ClipboardFiles/")) << url.toLocalFile().toStdString();
    EXPECT_TRUE(url.toLocalFile().endsWith("/report.txt"));
    QFile stored(url.toLocalFile());
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly)) << "the stored copy outlives the drop for a while";
    EXPECT_EQ(stored.readAll(), "quarterly figures\n");
    EXPECT_TRUE(QString::fromUtf8(dropTarget->standardOutput())
                    .contains("gnome " + QUrl::toPercentEncoding("copy\n" + url.toEncoded())));
    EXPECT_TRUE(waitForLog("file URL drag begin types=")) << log().toStdString();
    EXPECT_TRUE(log().contains(QRegularExpression("file URL drag begin types=\\S*text/uri-list")));
    EXPECT_TRUE(log().contains(QRegularExpression("file URL drag begin types=\\S*x-special/gnome-copied-files")));
    ASSERT_TRUE(waitUntil([&] {
        return rowNames() == QStringList{"Item 1: text, stays", "Item 2: image"};
    })) << rowNames().join(", ").toStdString();

    // An image arrives as an image.
    ASSERT_TRUE(waitUntil([&] { return rowNames().contains("Item 2: image"); })) << rowNames().join(", ").toStdString();
    dragRow("Item 2: image", {QPoint(popupFrame.center().x(), popupFrame.top() - 30), target.center()});
    ASSERT_TRUE(waitUntil([&] { return dropTarget->standardOutput().contains("image 160x90\n"); }))
        << dropTarget->standardOutput().toStdString() << log().toStdString();
    EXPECT_TRUE(waitUntil([&] { return rowNames() == QStringList{"Item 1: text, stays"}; }))
        << rowNames().join(", ").toStdString();
    dropTarget->stop();
}

TEST_F(PopupEndToEnd, AFileDroppedIntoARealFileManagerIsCopiedIntoItsFolder) {
    if (QStandardPaths::findExecutable("thunar").isEmpty()) {
        GTEST_SKIP() << "Thunar is not installed (scripts/install-deps.sh installs it)";
    }
    startSorvu();
    QTemporaryDir files;
    collect({});
    copyFile(files.filePath("minutes.txt"), "decisions\n");
    QTemporaryDir folder;
    ChildProcess::Options options;
    options.environment.insert("HOME", m_home.path().toUtf8());
    auto thunar = ChildProcess::start({"thunar", folder.path()}, options);
    ASSERT_TRUE(thunar);
    QByteArray window;
    ASSERT_TRUE(waitUntil(
        [&] {
            window = xdotool({"search", "--onlyvisible", "--class", "^Thunar$"}).standardOutput.split('\n').value(0);
            return !window.isEmpty();
        },
        15000));
    const QRect view = windowGeometry(window);
    openPopup();
    const QRect popupFrame = frame().extents;
    ASSERT_FALSE(popupFrame.intersects(view));

    // Into the empty folder view, right of the side pane.
    const QPoint into(view.left() + view.width() * 3 / 4, view.top() + view.height() / 2);
    dragRow("Item 1: file, minutes.txt", {QPoint(popupFrame.center().x(), popupFrame.top() - 30), into});
    const QString copied = QDir(folder.path()).filePath("minutes.txt");
    EXPECT_TRUE(waitUntil(
        [&] {
            QFile file(copied);
            return file.open(QIODevice::ReadOnly) && file.readAll() == "decisions\n";
        },
        10000))
        << log().toStdString();
    EXPECT_TRUE(waitForLog("drag ended operation=1")) << log().toStdString();
    EXPECT_TRUE(waitForLog("popover close requested reason=queueDrained")) << log().toStdString();
    thunar->stop();
}

TEST_F(PopupEndToEnd, ADropOnThePopupItselfOrEscapeDuringTheDragPutsTheEntryBackWhereItStarted) {
    startSorvu();
    collect({"one", "two", "three"});
    openPopup();
    const QRect popupFrame = frame().extents;
    const auto first = find("list item", "Item 1: text, one");
    const auto second = find("list item", "Item 2: text, two");
    ASSERT_TRUE(first && second);
    const QPoint start = first->extents.center();
    // Down past the second row (a swap inside the list), out over the left edge, and back onto the popup.
    const QPoint belowSecond(start.x(), second->extents.bottom() + 4);
    const QPoint outside(popupFrame.left() - 60, belowSecond.y());
    dragRow("Item 1: text, one", {belowSecond, outside, popupFrame.center()});
    ASSERT_TRUE(waitForLog("drag ended operation=0")) << log().toStdString();
    EXPECT_TRUE(waitUntil([&] {
        return rowNames() == QStringList{"Item 1: text, one", "Item 2: text, two", "Item 3: text, three"};
    })) << rowNames().join(", ").toStdString();
    EXPECT_EQ(logCount("consumeDropped"), 0);

    // Escape while the entry is out over the desktop: the drag is cancelled, the popup stays.
    const QPoint outOver(popupFrame.left() - 80, second->extents.center().y());
    dragRow("Item 2: text, two", {outOver}, false);
    runEventLoopFor(300);
    // Meanwhile the card hangs beside the pointer, its lower left corner 14 to the right and 6 below: a light
    // card there, even without a compositing manager (none runs here), where afterwards the desktop shows.
    const QRect beside(outOver + QPoint(14, -40), QSize(60, 46));
    const auto grab = [&] {
        return QGuiApplication::primaryScreen()
            ->grabWindow(0, beside.x(), beside.y(), beside.width(), beside.height())
            .toImage();
    };
    const QImage withCard = grab();
    // Inside the card's bottom padding, clear of its rounded corner.
    const QPoint inCard(14, 40 + 6 - 3);
    ASSERT_TRUE(xdotool({"key", "Escape"}).succeeded());
    EXPECT_TRUE(waitUntil([&] { return logCount("drag ended operation=0") == 2; })) << log().toStdString();
    ASSERT_TRUE(xdotool({"mouseup", "1"}).succeeded());
    EXPECT_TRUE(waitUntil([&] {
        return rowNames() == QStringList{"Item 1: text, one", "Item 2: text, two", "Item 3: text, three"};
    })) << rowNames().join(", ").toStdString();
    runEventLoopFor(600);
    const QImage withoutCard = grab();
    EXPECT_GT(qGray(withCard.pixel(inCard)), 150) << QColor(withCard.pixel(inCard)).name().toStdString();
    EXPECT_NE(withCard.pixel(inCard), withoutCard.pixel(inCard)) << "the card has gone after springing back";
    EXPECT_EQ(logCount("popover close requested"), 0) << log().toStdString();
    EXPECT_EQ(logCount("consumeDropped"), 0);
}

TEST_F(PopupEndToEnd, SavesScreenshotsOfThePopup) {
    // The README's pictures: an empty queue, a queue of texts, an image and a file, and the same in German.
    const QString folder = qEnvironmentVariableIsEmpty("SORVU_SCREENSHOT_DIR")
                               ? m_home.filePath("screenshots")
                               : qEnvironmentVariable("SORVU_SCREENSHOT_DIR");
    ASSERT_TRUE(QDir().mkpath(folder));
    const auto shoot = [&](const QString& name) {
        const int closed = logCount("popoverDidClose");
        click(trayIcon()->center());
        std::optional<QRect> window;
        ASSERT_TRUE(waitUntil([&] { return (window = popupWindow()).has_value(); })) << log().toStdString();
        // Thumbnails and icons load a moment after the rows.
        runEventLoopFor(500);
        const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(0, window->x(), window->y(),
                                                                             window->width(), window->height());
        ASSERT_FALSE(picture.isNull());
        ASSERT_TRUE(picture.save(folder + "/" + name));
        ASSERT_TRUE(xdotool({"key", "Escape"}).succeeded());
        ASSERT_TRUE(waitUntil([&] { return logCount("popoverDidClose") == closed + 1; }));
    };

    // As a sighted user sees it: no screen reader, so delete buttons only under the pointer.
    startSorvu({}, false);
    shoot("popup-empty.png");

    QImage picture(640, 400, QImage::Format_RGB32);
    picture.fill(QColor(70, 130, 180));
    QTemporaryDir files;
    ASSERT_TRUE(picture.save(files.filePath("photo.png")));
    QFile document(files.filePath("Quarterly report.pdf"));
    ASSERT_TRUE(document.open(QIODevice::WriteOnly));
    document.write("%PDF-1.4\n");
    document.close();
    collect({"Meeting notes for Thursday", "https://example.org/agenda"});
    QFile photo(files.filePath("photo.png"));
    ASSERT_TRUE(photo.open(QIODevice::ReadOnly));
    copy(photo.readAll(), "image/png");
    copy(QUrl::fromLocalFile(document.fileName()).toEncoded() + "\n", "text/uri-list");
    shoot("popup-queue.png");
    m_sorvu->stop();

    startSorvu("[General]\npreferredLanguageCode=de\n", false);
    collect({"Besprechungsnotizen", "Einkaufsliste"});
    shoot("popup-german.png");

    for (const char* name : {"popup-empty.png", "popup-queue.png", "popup-german.png"}) {
        const QImage saved(folder + "/" + name);
        EXPECT_GE(saved.width(), 270) << name;
        EXPECT_GT(saved.height(), 60) << name;
    }
}

TEST_F(PopupEndToEnd, OtherProgramsDriveTheRunningSorvuFromTheCommandLineAndTheSessionBus) {
    const auto sorvuCommand = [](const QStringList& arguments) {
        return ChildProcess::run(QStringList{SORVU_PROGRAM} + arguments, 10000);
    };
    // Nothing runs yet: a command says so in one line and fails.
    const auto early = sorvuCommand({"--status"});
    EXPECT_EQ(early.exitCode, 3);
    EXPECT_EQ(early.standardError.count('\n'), 1) << early.standardError.toStdString();
    EXPECT_TRUE(early.standardOutput.isEmpty());

    startSorvu();
    const auto status = sorvuCommand({"--status"});
    EXPECT_EQ(status.exitCode, 0);
    EXPECT_EQ(status.standardOutput, "collecting=false\nqueueCount=0\n");

    // Changes are announced on the bus as they happen.
    auto monitor = ChildProcess::start({"gdbus", "monitor", "--session", "--dest", "org.sorvu.Sorvu"});
    ASSERT_TRUE(monitor);
    runEventLoopFor(300);
    EXPECT_EQ(sorvuCommand({"--toggle-collecting"}).exitCode, 0);
    ASSERT_TRUE(waitForLog("toggleCollecting isCollecting=true")) << log().toStdString();
    m_queued = 0;
    for (const QByteArray& text : {QByteArray("a"), QByteArray("b"), QByteArray("c")}) {
        copy(text);
    }
    EXPECT_TRUE(waitUntil([&] { return monitor->standardOutput().contains("'QueueCount': <3>"); }))
        << monitor->standardOutput().toStdString();
    EXPECT_TRUE(monitor->standardOutput().contains("'Collecting': <true>"));
    monitor->stop();
    const auto count = ChildProcess::run({"gdbus", "call", "--session", "--dest", "org.sorvu.Sorvu", "--object-path",
                                          "/org/sorvu/Sorvu", "--method", "org.freedesktop.DBus.Properties.Get",
                                          "org.sorvu.Sorvu", "QueueCount"});
    EXPECT_EQ(count.standardOutput.trimmed(), "(<3>,)");

    // Pastes reach the program in front, one entry and then the rest joined.
    openTextField();
    EXPECT_EQ(sorvuCommand({"--paste-next"}).exitCode, 0);
    ASSERT_TRUE(waitUntil([&] { return fieldText() == "a"; })) << log().toStdString();
    EXPECT_TRUE(log().contains("paste requested source=command"));
    const auto joined = ChildProcess::run({"gdbus", "call", "--session", "--dest", "org.sorvu.Sorvu", "--object-path",
                                           "/org/sorvu/Sorvu", "--method", "org.sorvu.Sorvu.PasteAll", ", "});
    EXPECT_TRUE(joined.succeeded()) << joined.standardError.toStdString();
    ASSERT_TRUE(waitUntil([&] { return fieldText() == "ab, c"; })) << fieldText().toStdString() << log().toStdString();

    EXPECT_EQ(sorvuCommand({"--show"}).exitCode, 0);
    ASSERT_TRUE(waitForLog("popover will open queueCount=0")) << log().toStdString();
    EXPECT_EQ(sorvuCommand({"--status", "--quit"}).exitCode, 2) << "one command at a time";
    EXPECT_EQ(sorvuCommand({"--quit"}).exitCode, 0);
    EXPECT_EQ(m_sorvu->waitForExit(5000), 0);
}

TEST_F(PopupEndToEnd, AShortcutRecordedInTheSettingsPastesAtOnceAndAfterARestartTheOtherActionsIsRefusedAndResetWorks) {
    startSorvu();
    collect({"one", "two"});
    openTextField();
    openPopup();
    pressUntilShown("Settings", "push button", "Paste Next Item");

    // Recorded from the popup's own keys, while the global shortcuts are released.
    press("push button", "Paste Next Item");
    runEventLoopFor(300);
    ASSERT_TRUE(xdotool({"key", "ctrl+alt+p"}).succeeded());
    ASSERT_TRUE(waitUntil([&] { return find("push button", "Reset to default, Paste Next Item").has_value(); }));
    ASSERT_TRUE(xdotool({"key", "Escape"}).succeeded());
    ASSERT_TRUE(waitForLog("popover close requested reason=escape")) << "the recording had already ended";

    // It works at once, in the program in front.
    focusTextField();
    ASSERT_TRUE(xdotool({"key", "ctrl+alt+p"}).succeeded());
    ASSERT_TRUE(waitUntil([&] { return fieldText() == "one"; }, 10000))
        << fieldText().toStdString() << log().toStdString();

    // And after a restart.
    m_sorvu->stop();
    startSorvu();
    collect({"two", "three"});
    focusTextField();
    ASSERT_TRUE(xdotool({"key", "ctrl+alt+p"}).succeeded());
    ASSERT_TRUE(waitUntil([&] { return fieldText() == "onetwo"; }, 10000))
        << fieldText().toStdString() << log().toStdString();

    // The other action's combination is refused and named; Escape then closes.
    openPopup();
    pressUntilShown("Settings", "push button", "Paste Next Item");
    press("push button", "Paste Next Item");
    runEventLoopFor(300);
    ASSERT_TRUE(xdotool({"key", "ctrl+super+c"}).succeeded());
    ASSERT_TRUE(waitUntil([&] { return find("label", "Already used by Start/Stop Collecting.").has_value(); }))
        << log().toStdString();
    EXPECT_EQ(logCount("toggleCollecting isCollecting=false"), 0) << "recording kept the shortcut from firing";

    // Reset brings Ctrl+Super+V back.
    press("push button", "Reset to default, Paste Next Item");
    ASSERT_TRUE(waitUntil([&] { return !find("label", "Already used by Start/Stop Collecting.").has_value(); }));
    ASSERT_TRUE(xdotool({"key", "Escape"}).succeeded());
    ASSERT_TRUE(waitUntil([&] { return logCount("popoverDidClose") == 1; }));
    focusTextField();
    ASSERT_TRUE(xdotool({"key", "ctrl+alt+p"}).succeeded());
    ASSERT_TRUE(xdotool({"key", "ctrl+super+v"}).succeeded());
    EXPECT_TRUE(waitUntil([&] { return fieldText() == "onetwothree"; }, 10000)) << fieldText().toStdString();
    EXPECT_FALSE(fieldText().contains("p")) << "Ctrl+Alt+P no longer belongs to Sorvu";
}

TEST_F(PopupEndToEnd, ChoosingDeutschInTheSettingsChangesTheOpenPopupAtOnce) {
    startSorvu();
    openPopup();
    pressUntilShown("Settings", "combo box", "Language");
    choose("Language", "Deutsch");
    ASSERT_TRUE(waitUntil([&] { return find("combo box", "Sprache").has_value(); })) << log().toStdString();
    EXPECT_TRUE(find("push button", "Nächsten Eintrag einfügen"));
    EXPECT_TRUE(find("push button", "Einstellungen schließen"));
    EXPECT_FALSE(find("push button", "Paste Next Item"));
}

TEST_F(PopupEndToEnd, CombineAndPasteJoinsTheQueuedTextsIntoTheProgramInFrontEmptiesTheQueueAndCloses) {
    startSorvu();
    collect({"a", "b", "c"});
    openTextField();
    openPopup();
    pressUntilShown("Combine and Paste…", "combo box", "Separator");
    choose("Separator", "Comma and space");
    ASSERT_TRUE(waitUntil([&] { return find("label", "Preview: a, b, c").has_value(); }));
    press("push button", "Paste All");
    ASSERT_TRUE(waitUntil([&] { return fieldText() == "a, b, c"; }, 10000))
        << fieldText().toStdString() << log().toStdString();
    EXPECT_TRUE(waitForLog("paste attempt outcome=commandPosted queueCountBefore=3 queueCountAfter=0"))
        << log().toStdString();
    EXPECT_TRUE(waitForLog("popover close requested reason=queueDrained")) << log().toStdString();
    EXPECT_TRUE(waitUntil([&] { return popup().isEmpty(); }));
}

TEST_F(PopupEndToEnd, ACopyMadeJustBeforePasteAllIsShownBeforeItIsPasted) {
    startSorvu();
    collect({"a", "b"});
    openTextField();
    openPopup();
    pressUntilShown("Combine and Paste…", "combo box", "Separator");
    choose("Separator", "Comma and space");
    const auto pasteAll = find("push button", "Paste All");
    ASSERT_TRUE(pasteAll);

    // The regular check may see the copy first and show it at once; else the press finds it, says so and
    // the next press pastes. Either way nothing is pasted that was not shown. The press waits until the server
    // names the new owner: a copy that reaches it only after the press is no copy made before it.
    const unsigned long ownerBefore = clipboardOwnerWindow();
    auto lateCopy = startXclipCopy("c", {});
    ASSERT_TRUE(lateCopy);
    m_copies.push_back(std::move(lateCopy));
    ASSERT_TRUE(waitUntil([&] {
        const unsigned long owner = clipboardOwnerWindow();
        return owner != 0 && owner != ownerBefore;
    }));
    click(pasteAll->extents.center());
    if (waitUntil([&] { return find("label", "The queue changed. Review the preview and try again.").has_value(); },
                  2000)) {
        EXPECT_EQ(fieldText(), "");
        EXPECT_TRUE(find("label", "Preview: a, b, c"));
        press("push button", "Paste All");
    }
    ASSERT_TRUE(waitUntil([&] { return fieldText() == "a, b, c"; }, 10000))
        << fieldText().toStdString() << log().toStdString();
    EXPECT_TRUE(waitForLog("paste attempt outcome=commandPosted queueCountBefore=3 queueCountAfter=0"))
        << log().toStdString();
}

TEST_F(PopupEndToEnd, SavesScreenshotsOfTheCombineAndSettingsScreens) {
    const QString folder = qEnvironmentVariableIsEmpty("SORVU_SCREENSHOT_DIR")
                               ? m_home.filePath("screenshots")
                               : qEnvironmentVariable("SORVU_SCREENSHOT_DIR");
    ASSERT_TRUE(QDir().mkpath(folder));
    // Opens the popup, goes to the screen behind the button and saves the window.
    const auto shoot = [&](const QString& button, const QString& shownControl, const QString& name) {
        openPopup();
        pressUntilShown(button, "combo box", shownControl);
        runEventLoopFor(500);
        const std::optional<QRect> window = popupWindow();
        ASSERT_TRUE(window);
        const QPixmap picture = QGuiApplication::primaryScreen()->grabWindow(0, window->x(), window->y(),
                                                                             window->width(), window->height());
        ASSERT_TRUE(picture.save(folder + "/" + name));
        const int closed = logCount("popoverDidClose");
        ASSERT_TRUE(xdotool({"key", "Escape"}).succeeded());
        ASSERT_TRUE(waitUntil([&] { return logCount("popoverDidClose") == closed + 1; }));
    };

    startSorvu();
    collect({"Meeting notes for Thursday", "https://example.org/agenda", "Call the printer service"});
    shoot("Settings", "Language", "settings-english.png");
    shoot("Combine and Paste…", "Separator", "combine-english.png");
    m_sorvu->stop();

    startSorvu("[General]\npreferredLanguageCode=de\n");
    collect({"Besprechungsnotizen", "Einkaufsliste", "Drucker anrufen"});
    shoot("Einstellungen", "Sprache", "settings-german.png");
    shoot("Zusammenfügen und einfügen…", "Trennzeichen", "combine-german.png");

    for (const char* name :
         {"settings-english.png", "combine-english.png", "settings-german.png", "combine-german.png"}) {
        const QImage saved(folder + "/" + name);
        EXPECT_GE(saved.width(), 270) << name;
        EXPECT_GT(saved.height(), 120) << name;
    }
}

TEST_F(PopupEndToEnd, SavesScreenshotsInLightAndDarkThemesAtTwiceTheScaleAndUnderKeyboardFocus) {
    const QString folder = qEnvironmentVariableIsEmpty("SORVU_SCREENSHOT_DIR")
                               ? m_home.filePath("screenshots")
                               : qEnvironmentVariable("SORVU_SCREENSHOT_DIR");
    ASSERT_TRUE(QDir().mkpath(folder));
    QTemporaryDir files;
    QImage picture(640, 400, QImage::Format_RGB32);
    picture.fill(QColor(70, 130, 180));
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "PNG"));
    const auto fill = [&] {
        collect({"Meeting notes for Thursday", "https://example.org/agenda"});
        copy(png, "image/png");
        copyFile(files.filePath("Quarterly report 2026 final version.pdf"), "%PDF-1.4\n");
    };
    const auto shoot = [&](const QString& name, const std::function<void()>& before = {}) {
        openPopup();
        if (before) {
            before();
        }
        runEventLoopFor(600);
        const std::optional<QRect> window = popupWindow();
        ASSERT_TRUE(window);
        const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, window->x(), window->y(), window->width(),
                                                                          window->height());
        ASSERT_TRUE(shot.save(folder + "/" + name));
        const int closed = logCount("popoverDidClose");
        ASSERT_TRUE(xdotool({"key", "Escape"}).succeeded());
        ASSERT_TRUE(waitUntil([&] { return logCount("popoverDidClose") == closed + 1; }));
    };

    // A light theme, then the keyboard's focus and selection. The screen reader's view finds the controls, so
    // every row shows its delete button.
    startSorvu();
    fill();
    shoot("popup-light.png");
    shoot("popup-keyboard.png", [&] {
        ASSERT_TRUE(xdotool({"key", "Down"}).succeeded());
        runEventLoopFor(200);
    });
    shoot("settings-keyboard.png", [&] {
        pressUntilShown("Settings", "combo box", "Language");
        ASSERT_TRUE(xdotool({"key", "Tab"}).succeeded());
    });
    m_sorvu->stop();

    // Adwaita's dark variant through the GTK platform theme, as a dark-theme user runs Sorvu.
    startSorvu({}, true, {{"QT_QPA_PLATFORMTHEME", "gtk3"}, {"GTK_THEME", "Adwaita:dark"}});
    fill();
    shoot("popup-dark.png");
    shoot("settings-dark.png", [&] { pressUntilShown("Settings", "combo box", "Language"); });
    m_sorvu->stop();

    startSorvu({}, true, {{"QT_SCALE_FACTOR", "2"}});
    fill();
    shoot("popup-2x.png");
    m_sorvu->stop();

    for (const char* name :
         {"popup-light.png", "popup-keyboard.png", "settings-keyboard.png", "popup-dark.png", "settings-dark.png"}) {
        EXPECT_GE(QImage(folder + "/" + name).width(), 270) << name;
    }
    EXPECT_GE(QImage(folder + "/popup-2x.png").width(), 540);
}

TEST_F(PopupEndToEnd, TheKeyboardAloneSelectsMovesDeletesAndPastesEntriesReachesEveryControlAndGivesTheFocusBack) {
    startSorvu();
    collect({"one", "two", "three"});
    openTextField();
    // Opened without the pointer, from the command line a desktop shortcut would run.
    ASSERT_EQ(ChildProcess::run({SORVU_PROGRAM, "--show"}, 10000).exitCode, 0);
    ASSERT_TRUE(waitUntil([&] { return !popup().isEmpty(); }, 10000)) << log().toStdString();

    // The list has the keyboard at once; the arrows, Home and End move the selection, which a screen reader
    // follows as the focus.
    EXPECT_TRUE(waitForFocus("list item", "Item 1: text, one")) << focusedName();
    keys({"Down"});
    EXPECT_TRUE(waitForFocus("list item", "Item 2: text, two")) << focusedName();
    keys({"End"});
    EXPECT_TRUE(waitForFocus("list item", "Item 3: text, three")) << focusedName();
    keys({"Home", "Down"});
    EXPECT_TRUE(waitForFocus("list item", "Item 2: text, two")) << focusedName();

    // Ctrl+Down moves the entry; its row keeps the focus and says its new place.
    keys({"ctrl+Down"});
    ASSERT_TRUE(waitForFocus("list item", "Item 3: text, two")) << focusedName();
    EXPECT_EQ(focused()->description, "Moved to position 3 of 3");
    EXPECT_EQ(rowNames(), (QStringList{"Item 1: text, one", "Item 2: text, three", "Item 3: text, two"}));
    keys({"ctrl+Up", "ctrl+Up"});
    EXPECT_TRUE(waitForFocus("list item", "Item 1: text, two")) << focusedName();
    EXPECT_EQ(focused()->description, "Moved to position 1 of 3");

    // Delete removes the selected entry; the next one takes its place and the focus.
    keys({"Delete"});
    EXPECT_TRUE(waitForFocus("list item", "Item 1: text, one")) << focusedName();
    EXPECT_EQ(rowNames(), (QStringList{"Item 1: text, one", "Item 2: text, three"}));

    // Tab goes on to the buttons and Shift+Tab comes back.
    keys({"Tab"});
    EXPECT_TRUE(waitForFocus("push button", "Stop")) << focusedName();
    keys({"Tab"});
    EXPECT_TRUE(waitForFocus("push button", "Paste")) << focusedName();
    keys({"shift+Tab", "shift+Tab"});
    EXPECT_TRUE(waitForFocus("list item", "Item 1: text, one")) << focusedName();

    // Tab reaches the settings button; Enter opens the settings, whose controls the keyboard reaches too.
    bool onSettings = false;
    for (int press = 0; press < 10 && !onSettings; ++press) {
        keys({"Tab"});
        const auto node = focused();
        onSettings = node && node->role == "push button" && node->name == "Settings";
    }
    ASSERT_TRUE(onSettings) << focusedName();
    keys({"Return"});
    ASSERT_TRUE(waitUntil([&] { return find("combo box", "Language").has_value(); })) << log().toStdString();
    EXPECT_TRUE(waitForFocus("push button", "Start/Stop Collecting")) << focusedName();
    keys({"Tab"});
    EXPECT_TRUE(waitForFocus("push button", "Paste Next Item")) << focusedName();
    keys({"Tab"});
    EXPECT_TRUE(waitForFocus("combo box", "Language")) << focusedName();
    keys({"Tab"});
    EXPECT_TRUE(waitForFocus("check box", "Launch at Login")) << focusedName();
    keys({"space"});
    EXPECT_TRUE(waitUntil([&] { return QFile::exists(m_home.filePath("config/autostart/org.sorvu.Sorvu.desktop")); }))
        << "Space ticks Launch at Login";

    // Escape closes the popup and the program that was in front has the keyboard again.
    keys({"Escape"});
    ASSERT_TRUE(waitForLog("popover close requested reason=escape")) << log().toStdString();
    EXPECT_TRUE(waitUntil([&] {
        return xdotool({"getactivewindow"}).standardOutput.trimmed() == m_fieldWindow.toLatin1();
    })) << "the text field did not get the keyboard back";
}

TEST_F(PopupEndToEnd, SymbolsKeepTheirSizeBesideTheTextAtEveryScaleOfTheScreen) {
    // The gear fills 16 of its 18 points: at each scale its drawing spans 16 points' worth of pixels, as
    // sharp as the text beside it, never the double that a second scaling made of it.
    for (const double scale : {1.0, 1.5, 2.0}) {
        startSorvu({}, true, {{"QT_SCALE_FACTOR", QByteArray::number(scale)}});
        openPopup();
        runEventLoopFor(400);
        const std::optional<QRect> window = popupWindow();
        ASSERT_TRUE(window);
        const QImage shot = QGuiApplication::primaryScreen()
                                ->grabWindow(0, window->x(), window->y(), window->width(), window->height())
                                .toImage();
        // The top right corner holds the gear alone.
        const int corner = int(45 * scale);
        QRect drawn;
        for (int y = 1; y < corner; ++y) {
            for (int x = shot.width() - corner; x < shot.width() - 1; ++x) {
                if (qGray(shot.pixel(x, y)) < 100) {
                    drawn |= QRect(x, y, 1, 1);
                }
            }
        }
        EXPECT_NEAR(drawn.width(), 16 * scale, 1.5) << "at " << scale;
        EXPECT_NEAR(drawn.height(), 16 * scale, 1.5) << "at " << scale;
        // Round: as wide as high, centred in its button.
        EXPECT_LE(std::abs(drawn.width() - drawn.height()), 1) << "at " << scale;
        m_sorvu->stop();
    }
}
