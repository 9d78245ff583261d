// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The real sorvu program in a private X session with a window manager and a panel, driven only from outside:
// xdotool presses the shortcuts, xclip copies and reads the clipboard, a text field of its own process
// receives the pastes, and Sorvu's log tells what its tray icon shows.

#include "tests/integration/support/ChildProcess.h"
#include "tests/integration/support/SorvuLaunch.h"
#include "tests/integration/support/SystemTray.h"
#include "tests/integration/support/WindowProgram.h"
#include "tests/support/EncodedImage.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

#include <signal.h>

// Last: its macros clash with the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

using namespace sorvu::test;

namespace {

ChildProcess::Result xdotool(const QStringList& arguments) {
    return ChildProcess::run(QStringList{"xdotool"} + arguments, 10000);
}

// Where the panel shows Sorvu's icon.
std::optional<QRect> sorvuTrayIconRect(Display* display) {
    const std::optional<Window> window = sorvuTrayIconWindow(display, DefaultRootWindow(display));
    XWindowAttributes attributes{};
    if (!window || XGetWindowAttributes(display, *window, &attributes) == 0) {
        return std::nullopt;
    }
    int x = 0;
    int y = 0;
    Window child = 0;
    XTranslateCoordinates(display, *window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    return QRect(x, y, attributes.width, attributes.height);
}

// The name of the embedded icon window (_NET_WM_NAME), as a panel or a screen reader reads it; nothing
// while there is no icon or it has no name.
std::optional<QString> trayIconName() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return std::nullopt;
    }
    std::optional<QString> name;
    if (const std::optional<Window> window = sorvuTrayIconWindow(display, DefaultRootWindow(display))) {
        Atom type = 0;
        int format = 0;
        unsigned long count = 0;
        unsigned long remaining = 0;
        unsigned char* data = nullptr;
        if (XGetWindowProperty(display, *window, XInternAtom(display, "_NET_WM_NAME", False), 0, 1024, False,
                               XInternAtom(display, "UTF8_STRING", False), &type, &format, &count, &remaining,
                               &data) == Success &&
            data != nullptr) {
            if (format == 8) {
                name = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(count));
            }
            XFree(data);
        }
    }
    XCloseDisplay(display);
    return name;
}

// The icon as the panel shows it; null while there is none.
QImage trayIconPicture() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return {};
    }
    const std::optional<QRect> rect = sorvuTrayIconRect(display);
    XCloseDisplay(display);
    if (!rect) {
        return {};
    }
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, rect->x(), rect->y(), rect->width(), rect->height())
        .toImage();
}

// Whether some pixels stand out clearly from the rest, as drawn artwork does on a plain panel.
bool showsArtwork(const QImage& picture) {
    double darkest = 1;
    double lightest = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const double lightness = picture.pixelColor(x, y).lightnessF();
            darkest = std::min(darkest, lightness);
            lightest = std::max(lightest, lightness);
        }
    }
    return !picture.isNull() && lightest - darkest > 0.5;
}

class SorvuEndToEnd : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!trayHostRuns()) {
            s_panel = ChildProcess::start({"tint2"});
        }
        ASSERT_TRUE(waitUntil(trayHostRuns, 15000)) << "no tray host came up";
    }

    static void TearDownTestSuite() {
        if (s_panel) {
            s_panel->stop();
            s_panel.reset();
        }
    }

    void SetUp() override {
        ASSERT_TRUE(m_home.isValid());
        startSorvu();
        ASSERT_TRUE(waitForLog("status item image=menuBarIcon count=0")) << log().toStdString();
    }

    void TearDown() override {
        for (auto& copy : m_copies) {
            copy->stop();
        }
        if (m_field) {
            m_field->stop();
        }
        if (m_terminalProgram > 0) {
            // The terminal closes with its program.
            ::kill(m_terminalProgram, SIGTERM);
        }
        if (m_terminal) {
            m_terminal->stop();
        }
        if (m_sorvu) {
            m_sorvu->stop();
        }
    }

    ChildProcess::Options sorvuEnvironment() const { return sorvuLaunchOptions(m_home); }

    void startSorvu() {
        m_sorvu = ChildProcess::start({SORVU_PROGRAM}, sorvuEnvironment());
        ASSERT_TRUE(m_sorvu);
    }

    QString log() const { return QString::fromUtf8(m_sorvu->standardError()); }

    bool waitForLog(const QString& line, int timeoutMilliseconds = 10000) const {
        return waitUntil([&] { return log().contains(line); }, timeoutMilliseconds);
    }

    void copy(const QByteArray& data, const QString& type = {}) {
        auto process = startXclipCopy(data, type);
        ASSERT_TRUE(process);
        m_copies.push_back(std::move(process));
    }

    void copyAndWaitForCount(const QByteArray& data, const QString& type, int expectedCount) {
        copy(data, type);
        ASSERT_TRUE(waitForLog(QString("status item image=menuBarIconFrameActiveRec count=%1").arg(expectedCount)))
            << log().toStdString();
    }

    QByteArray clipboard(const QString& type) const {
        return ChildProcess::run({"xclip", "-o", "-selection", "clipboard", "-t", type}, 5000).standardOutput;
    }

    void openTextField() {
        m_field = ChildProcess::start({SORVU_TEXT_FIELD_PROGRAM, "paste target"});
        ASSERT_TRUE(m_field);
        ASSERT_FALSE(bringWindowProgramToFront(*m_field).isEmpty());
    }

    QString fieldText() const { return lastTextOf(*m_field); }

    // Every key press the field received, as key code and Qt modifiers, in order.
    QList<std::pair<uint, uint>> fieldKeyPresses() const {
        QList<std::pair<uint, uint>> presses;
        const QRegularExpression pattern("^key (\\d+) ([0-9a-f]+)$", QRegularExpression::MultilineOption);
        auto matches = pattern.globalMatch(QString::fromUtf8(m_field->standardOutput()));
        while (matches.hasNext()) {
            const QRegularExpressionMatch match = matches.next();
            presses.append({match.captured(1).toUInt(), match.captured(2).toUInt(nullptr, 16)});
        }
        return presses;
    }

    void pressPasteShortcut() { ASSERT_TRUE(xdotool({"key", "ctrl+super+v"}).succeeded()); }

    // What the program in the terminal was typed.
    QString typedInTerminal() const { return m_terminalFiles.filePath("typed"); }

    // Starts a terminal, given as the command up to the program it runs, that runs cat writing what is typed
    // at it to `typedInTerminal()`, and brings it to the front; `m_terminalProgram` is cat's process id. With
    // lnext off a Ctrl+V would arrive as a byte, and Ctrl+C would end cat.
    void startCatInTerminal(const QStringList& terminalCommand, const QString& title,
                            const ChildProcess::Options& options = {}) {
        ASSERT_TRUE(m_terminalFiles.isValid());
        const QString typed = typedInTerminal();
        const QString pidFile = typed + ".pid";
        const QString script = QString("stty -iexten; echo $$ > '%1'; exec cat > '%2'").arg(pidFile, typed);
        m_terminal = ChildProcess::start(terminalCommand + QStringList{"sh", "-c", script}, options);
        ASSERT_TRUE(m_terminal);
        ASSERT_TRUE(waitUntil([&] { return QFileInfo(pidFile).size() > 0; }, 15000)) << "the terminal did not start";
        QFile pidReader(pidFile);
        ASSERT_TRUE(pidReader.open(QIODevice::ReadOnly));
        m_terminalProgram = pid_t(pidReader.readAll().trimmed().toInt());
        ASSERT_GT(m_terminalProgram, 0);
        QByteArray window;
        ASSERT_TRUE(waitUntil(
            [&] {
                window = xdotool({"search", "--name", title}).standardOutput.trimmed();
                return !window.isEmpty() && xdotool({"windowactivate", "--sync", window}).succeeded();
            },
            10000));
        ASSERT_TRUE(waitUntil([&] { return xdotool({"getactivewindow"}).standardOutput.trimmed() == window; }));
    }

    // Queues the texts, pastes them one by one into the terminal in front, and expects them typed at its
    // program exactly as they are, and nothing else.
    void pasteEachIntoTerminal(const QList<QByteArray>& texts) {
        const QString typed = typedInTerminal();
        ASSERT_TRUE(xdotool({"key", "ctrl+super+c"}).succeeded());
        ASSERT_TRUE(waitForLog("toggleCollecting isCollecting=true")) << log().toStdString();
        QByteArray expected;
        for (int index = 0; index < texts.size(); ++index) {
            copyAndWaitForCount(texts[index], {}, index + 1);
            expected += texts[index];
        }
        for (int index = 0; index < texts.size(); ++index) {
            pressPasteShortcut();
        }
        EXPECT_TRUE(waitUntil([&] { return QFileInfo(typed).size() >= expected.size(); }, 10000))
            << log().toStdString();
        // Whatever would follow late (a ^V, a stray key) has had time to arrive.
        ASSERT_TRUE(waitForLog(QString("queue removeFirst queue.count=0"))) << log().toStdString();
        pressPasteShortcut();
        ASSERT_TRUE(waitForLog("paste attempt outcome=queueEmpty")) << log().toStdString();
        QFile output(typed);
        ASSERT_TRUE(output.open(QIODevice::ReadOnly));
        EXPECT_EQ(output.readAll().toStdString(), expected.toStdString());
    }

    void startCollecting() {
        ASSERT_TRUE(xdotool({"key", "ctrl+super+c"}).succeeded());
        ASSERT_TRUE(waitForLog("status item image=menuBarIconFrameActiveRec count=0")) << log().toStdString();
    }

    QString outcome(int before, int after) const {
        return QString("paste attempt outcome=commandPosted queueCountBefore=%1 queueCountAfter=%2")
            .arg(before)
            .arg(after);
    }

    static inline std::unique_ptr<ChildProcess> s_panel;
    QTemporaryDir m_home;
    std::unique_ptr<ChildProcess> m_sorvu;
    std::unique_ptr<ChildProcess> m_field;
    std::unique_ptr<ChildProcess> m_terminal;
    pid_t m_terminalProgram = 0;
    QTemporaryDir m_terminalFiles;
    std::vector<std::unique_ptr<ChildProcess>> m_copies;
};

} // namespace

TEST_F(SorvuEndToEnd, APasswordManagersCopyIsSkippedAndLeavesNoTrace) {
    startCollecting();
    auto manager = ChildProcess::start({SORVU_SCRIPTED_OWNER_PROGRAM, "secret"});
    ASSERT_TRUE(manager);
    ASSERT_TRUE(waitForLog("copy skipped as a secret")) << log().toStdString();
    copyAndWaitForCount("ordinary", "", 1);
    EXPECT_FALSE(log().contains("hunter2"));
    EXPECT_FALSE(log().contains("status item image=menuBarIconFrameActiveRec count=2"));
    // The folder's tag and this instance's folder, empty: nothing of the secret was stored.
    const QDir storage(m_home.filePath("data/Sorvu/ClipboardFiles"));
    QStringList entries = storage.entryList(QDir::NoDotAndDotDot | QDir::AllEntries);
    ASSERT_EQ(entries.size(), 2) << entries.join(' ').toStdString();
    EXPECT_EQ(entries.removeAll("CACHEDIR.TAG"), 1);
    EXPECT_TRUE(QDir(storage.filePath(entries.first())).isEmpty());
    manager->stop();
}

TEST_F(SorvuEndToEnd, AClipboardEmptiedByItsOwnersExitIsNoCopy) {
    startCollecting();
    copyAndWaitForCount("kept ", "", 1);
    m_copies.back()->stop();
    ASSERT_TRUE(waitForLog("clipboard emptied changeCount=")) << log().toStdString();
    copyAndWaitForCount("next ", "", 2);
    EXPECT_FALSE(log().contains("pasteboard unreadable")) << log().toStdString();
}

TEST_F(SorvuEndToEnd, PicturesThatDoNotDecodeAreSkippedAtOnceAndAWholeOneIsQueued) {
    startCollecting();
    const QByteArray png = encodedImage(QSize(64, 48), "PNG");
    const QList<std::pair<QByteArray, QString>> unreadable = {
        {png.left(png.size() / 2), "reason=undecodable type=image/png width=64 height=48"},
        {pngDeclaringOnly(QSize(30000, 30000)), "reason=tooManyPixels type=image/png width=30000 height=30000"},
        {QByteArray(1024, '\0'), "reason=notRead type=image/png width=0 height=0"},
    };
    for (const auto& [bytes, skipped] : unreadable) {
        copy(bytes, "image/png");
        ASSERT_TRUE(waitUntil([&] {
            return QRegularExpression("image skipped as unreadable changeCount=\\d+ " +
                                      QRegularExpression::escape(skipped))
                .match(log())
                .hasMatch();
        })) << log().toStdString();
    }
    copyAndWaitForCount(png, "image/png", 1);
    EXPECT_EQ(log().count("image skipped as unreadable"), 3) << log().toStdString();
    EXPECT_FALSE(log().contains("pasteboard unreadable")) << log().toStdString();
}

TEST_F(SorvuEndToEnd, QuittingRemovesTheQueuedCopiesButNotOneAPasteMayStillBeReading) {
    // Quit is asked for over a session bus of the test's own.
    auto bus = ChildProcess::start({"dbus-daemon", "--session", "--nofork", "--print-address=1"});
    ASSERT_TRUE(bus);
    QByteArray address;
    ASSERT_TRUE(waitUntil([&] {
        address = bus->standardOutput().trimmed();
        return !address.isEmpty();
    }));
    m_sorvu->stop();
    ChildProcess::Options options = sorvuEnvironment();
    options.environment.insert("DBUS_SESSION_BUS_ADDRESS", address);
    m_sorvu = ChildProcess::start({SORVU_PROGRAM}, options);
    ASSERT_TRUE(m_sorvu);
    ASSERT_TRUE(waitForLog("status item image=menuBarIcon count=0")) << log().toStdString();

    QTemporaryDir sources;
    ASSERT_TRUE(sources.isValid());
    const QByteArray pastedContents = QByteArray("read after Sorvu quit\n").repeated(50000);
    for (const auto& [name, contents] : {std::pair<QString, QByteArray>{"pasted.txt", pastedContents},
                                         std::pair<QString, QByteArray>{"queued.txt", "queued"}}) {
        QFile file(sources.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    startCollecting();
    copyAndWaitForCount(QUrl::fromLocalFile(sources.filePath("pasted.txt")).toEncoded() + "\r\n" +
                            QUrl::fromLocalFile(sources.filePath("queued.txt")).toEncoded() + "\r\n",
                        "text/uri-list", 2);
    openTextField();
    pressPasteShortcut();
    ASSERT_TRUE(waitForLog(outcome(2, 1))) << log().toStdString();
    const QString stored = QUrl(QString::fromUtf8(clipboard("text/uri-list").trimmed())).toLocalFile();
    ASSERT_TRUE(stored.endsWith("/pasted.txt")) << stored.toStdString();

    const ChildProcess::Result quit = ChildProcess::run({SORVU_PROGRAM, "--quit"}, 10000, options);
    EXPECT_EQ(quit.exitCode, 0) << quit.standardError.toStdString();
    ASSERT_EQ(m_sorvu->waitForExit(10000), 0) << log().toStdString();
    EXPECT_TRUE(log().contains("stored copies removed at quit count=1 kept=1")) << log().toStdString();
    // The program it was pasted into finds the copy whole where the clipboard said it is.
    QFile pasted(stored);
    ASSERT_TRUE(pasted.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pasted.readAll() == pastedContents);
    // Nothing else of the queue is left: the instance's folder holds only the pasted copy's folder.
    const QDir instance = QFileInfo(QFileInfo(stored).path()).dir();
    EXPECT_EQ(instance.entryList(QDir::NoDotAndDotDot | QDir::AllEntries).join(' ').toStdString(),
              QFileInfo(QFileInfo(stored).path()).fileName().toStdString());
    bus->stop();
}

TEST_F(SorvuEndToEnd, CopiesInQuickSuccessionAreAllQueuedInOrder) {
    startCollecting();
    // A new copy every 30 ms, each by a program of its own that replaces the one before.
    constexpr int copies = 15;
    QString expected;
    for (int index = 1; index <= copies; ++index) {
        const QByteArray text = QByteArray("c") + QByteArray::number(index) + ' ';
        copy(text);
        expected += QString::fromLatin1(text);
        runEventLoopFor(30);
    }
    ASSERT_TRUE(waitForLog(QString("status item image=menuBarIconFrameActiveRec count=%1").arg(copies)))
        << log().toStdString();

    openTextField();
    for (int paste = 1; paste <= copies; ++paste) {
        pressPasteShortcut();
        ASSERT_TRUE(waitForLog(outcome(copies + 1 - paste, copies - paste))) << log().toStdString();
    }
    EXPECT_TRUE(waitUntil([&] { return fieldText() == expected; })) << fieldText().toStdString();
}

TEST_F(SorvuEndToEnd, CollectsTextsImagesAndFilesThenPastesThemInCopyOrder) {
    QTemporaryDir sources;
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    ASSERT_TRUE(picture.save(sources.filePath("picture.png")));
    for (const QString name : {"one.txt", "two.txt"}) {
        QFile file(sources.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("contents of " + name.toUtf8());
    }
    QFile pictureFile(sources.filePath("picture.png"));
    ASSERT_TRUE(pictureFile.open(QIODevice::ReadOnly));

    // The idle icon is drawn where the panel can be seen to show it.
    QImage idleIcon;
    ASSERT_TRUE(waitUntil([&] {
        idleIcon = trayIconPicture();
        return showsArtwork(idleIcon);
    }));
    // The icon the panel embedded says what it shows, for screen readers as well as in its tooltip.
    EXPECT_TRUE(waitUntil([] { return trayIconName() == "Sorvu, idle"; }))
        << trayIconName().value_or("no name").toStdString();

    startCollecting();
    copyAndWaitForCount("alpha ", "", 1);
    copyAndWaitForCount("beta ", "", 2);
    copyAndWaitForCount("gamma ", "", 3);
    copyAndWaitForCount(pictureFile.readAll(), "image/png", 4);
    const QByteArray uris = QUrl::fromLocalFile(sources.filePath("one.txt")).toEncoded() + "\r\n" +
                            QUrl::fromLocalFile(sources.filePath("two.txt")).toEncoded() + "\r\n";
    copyAndWaitForCount(uris, "text/uri-list", 6);

    // Collecting, with the count painted in: the panel shows another picture.
    EXPECT_TRUE(waitUntil([&] {
        const QImage counting = trayIconPicture();
        return showsArtwork(counting) && counting != idleIcon;
    }));
    EXPECT_TRUE(waitUntil([] { return trayIconName() == "Sorvu, recording, 6 items in queue"; }))
        << trayIconName().value_or("no name").toStdString();

    openTextField();
    for (int paste = 1; paste <= 3; ++paste) {
        pressPasteShortcut();
        ASSERT_TRUE(waitForLog(outcome(7 - paste, 6 - paste))) << log().toStdString();
    }
    EXPECT_TRUE(waitUntil([&] { return fieldText() == "alpha beta gamma "; })) << fieldText().toStdString();

    pressPasteShortcut();
    ASSERT_TRUE(waitForLog(outcome(3, 2)));
    EXPECT_TRUE(clipboard("TARGETS").contains("image/png"));
    EXPECT_EQ(QImage::fromData(clipboard("image/png"), "PNG").size(), QSize(64, 48));

    for (const QString name : {"one.txt", "two.txt"}) {
        const int before = name == "one.txt" ? 2 : 1;
        pressPasteShortcut();
        ASSERT_TRUE(waitForLog(outcome(before, before - 1)));
        const QUrl stored(QString::fromUtf8(clipboard("text/uri-list").trimmed()));
        EXPECT_TRUE(stored.toLocalFile().startsWith(m_home.filePath("data/Sorvu/ClipboardFiles/")))
            << stored.toString().toStdString();
        EXPECT_TRUE(stored.toLocalFile().endsWith("/" + name));
        QFile copied(stored.toLocalFile());
        ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
        EXPECT_EQ(copied.readAll(), "contents of " + name.toUtf8());
        EXPECT_TRUE(clipboard("x-special/gnome-copied-files").startsWith("copy\n"));
    }

    EXPECT_TRUE(waitForLog("stopCollecting reason=queueDrained queue.count=0"));
    EXPECT_TRUE(waitForLog("status item image=menuBarIcon count=0"));
    pressPasteShortcut();
    EXPECT_TRUE(waitForLog("paste attempt outcome=queueEmpty queueCountBefore=0 queueCountAfter=0"));
    // The log tells what happened, never what was copied.
    EXPECT_FALSE(log().contains("alpha") || log().contains("contents of") || log().contains("one.txt"));
}

TEST_F(SorvuEndToEnd, AFileManagerPastingALargeFolderGetsAllOfIt) {
    // So many small files that the file manager is still reading the stored copy seconds after the paste.
    constexpr int fileCount = 20000;
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QString folder = work.filePath("many");
    const QString target = work.filePath("target");
    ASSERT_TRUE(QDir().mkpath(folder) && QDir().mkpath(target));
    for (int index = 0; index < fileCount; ++index) {
        QFile file(folder + QString("/%1.txt").arg(index));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::number(index));
    }

    startCollecting();
    copy(QUrl::fromLocalFile(folder).toEncoded() + "\r\n", "text/uri-list");
    // Stored in the background, which takes its time on a busy machine.
    ASSERT_TRUE(waitForLog("status item image=menuBarIconFrameActiveRec count=1", 120000)) << log().toStdString();

    // Thunar, without a session bus it would otherwise start and leave behind.
    ChildProcess::Options options = sorvuEnvironment();
    options.environment.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    auto fileManager = ChildProcess::start({"thunar", target}, options);
    ASSERT_TRUE(fileManager);
    QByteArray window;
    ASSERT_TRUE(waitUntil(
        [&] {
            window = xdotool({"search", "--name", "^target"}).standardOutput.trimmed().split('\n').value(0);
            return !window.isEmpty() && xdotool({"windowactivate", "--sync", window}).succeeded();
        },
        20000));
    ASSERT_TRUE(waitUntil([&] { return xdotool({"getactivewindow"}).standardOutput.trimmed() == window; }));

    pressPasteShortcut();
    ASSERT_TRUE(waitForLog(outcome(1, 0))) << log().toStdString();
    const auto arrived = [&] { return QDir(target + "/many").entryList(QDir::Files).size(); };
    EXPECT_TRUE(waitUntil([&] { return arrived() == fileCount; }, 120000)) << arrived() << " of " << fileCount;
    fileManager->stop();
}

TEST_F(SorvuEndToEnd, TwentyQuickPastesArriveCompleteAndInOrder) {
    startCollecting();
    QString expected;
    for (int index = 1; index <= 20; ++index) {
        const QString word = QString("w%1 ").arg(index, 2, 10, QChar('0'));
        expected += word;
        copyAndWaitForCount(word.toUtf8(), "", index);
    }
    openTextField();
    QStringList presses = {"key", "--delay", "50"};
    for (int index = 0; index < 20; ++index) {
        presses << "ctrl+super+v";
    }
    ASSERT_TRUE(xdotool(presses).succeeded());
    EXPECT_TRUE(waitUntil([&] { return fieldText() == expected; }, 20000)) << fieldText().toStdString();
    EXPECT_TRUE(waitForLog("stopCollecting reason=queueDrained"));
}

TEST_F(SorvuEndToEnd, TappingVWhileHoldingTheModifiersPastesEveryTapOnceReleased) {
    startCollecting();
    for (int index = 1; index <= 5; ++index) {
        copyAndWaitForCount(QString("t%1 ").arg(index).toUtf8(), "", index);
    }
    openTextField();
    ASSERT_TRUE(xdotool({"keydown", "ctrl+super"}).succeeded());
    ASSERT_TRUE(xdotool({"key", "--delay", "80", "v", "v", "v", "v", "v"}).succeeded());
    ASSERT_TRUE(xdotool({"keyup", "ctrl+super"}).succeeded());
    EXPECT_TRUE(waitUntil([&] { return fieldText() == "t1 t2 t3 t4 t5 "; }, 15000)) << fieldText().toStdString();
}

TEST_F(SorvuEndToEnd, ASecondStartAndAStartWithoutDisplayBothExplainThemselves) {
    // On GNOME start-up asks gsettings for the animation setting: a stand-in notes whether it was started, and
    // takes its time, as a process left running when Sorvu ends.
    QTemporaryDir tools;
    ASSERT_TRUE(tools.isValid());
    QFile gsettings(tools.filePath("gsettings"));
    ASSERT_TRUE(gsettings.open(QIODevice::WriteOnly));
    gsettings.write("#!/bin/sh\ntouch '" + tools.filePath("gsettings-started").toLocal8Bit() +
                    "'\nsleep 2\necho true\n");
    gsettings.close();
    ASSERT_TRUE(gsettings.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    ChildProcess::Options onGnome = sorvuEnvironment();
    onGnome.environment.insert("PATH", tools.path().toLocal8Bit() + ':' + qgetenv("PATH"));
    onGnome.environment.insert("XDG_CURRENT_DESKTOP", "GNOME");

    // A refused start says so, succeeds, and starts nothing of its own.
    const ChildProcess::Result second = ChildProcess::run({SORVU_PROGRAM}, 10000, onGnome);
    EXPECT_TRUE(second.succeeded());
    EXPECT_TRUE(second.standardError.contains("Sorvu is already running.")) << second.standardError.toStdString();
    EXPECT_FALSE(second.standardError.contains("Destroyed while process")) << second.standardError.toStdString();
    EXPECT_FALSE(QFile::exists(tools.filePath("gsettings-started")));
    EXPECT_TRUE(m_sorvu->isRunning());

    // The same display written another way is the same session.
    ChildProcess::Options sameDisplay = sorvuEnvironment();
    sameDisplay.environment.insert("DISPLAY", "unix" + qgetenv("DISPLAY") + ".0");
    const ChildProcess::Result spelledOtherwise = ChildProcess::run({SORVU_PROGRAM}, 10000, sameDisplay);
    EXPECT_TRUE(spelledOtherwise.succeeded());
    EXPECT_TRUE(spelledOtherwise.standardError.contains("Sorvu is already running."))
        << spelledOtherwise.standardError.toStdString();

    // Without a private runtime folder no lock can tell another instance apart: no start, and why.
    ChildProcess::Options noRuntimeFolder = sorvuEnvironment();
    noRuntimeFolder.environment.insert("XDG_RUNTIME_DIR", QByteArray());
    const ChildProcess::Result unlocked = ChildProcess::run({SORVU_PROGRAM}, 10000, noRuntimeFolder);
    EXPECT_EQ(unlocked.exitCode, 5);
    EXPECT_TRUE(unlocked.standardError.contains("XDG_RUNTIME_DIR")) << unlocked.standardError.toStdString();
    EXPECT_TRUE(m_sorvu->isRunning());

    ChildProcess::Options noDisplay = sorvuEnvironment();
    noDisplay.environment.insert("DISPLAY", QByteArray());
    const ChildProcess::Result headless = ChildProcess::run({SORVU_PROGRAM}, 10000, noDisplay);
    EXPECT_EQ(headless.exitCode, 1);
    EXPECT_EQ(headless.standardError.trimmed(),
              "Sorvu needs a desktop session, and neither WAYLAND_DISPLAY nor DISPLAY is set.");

    // A platform forced by name must be one this build has, and the session must offer it.
    noDisplay.environment.insert("SORVU_PLATFORM", "x11");
    const ChildProcess::Result forced = ChildProcess::run({SORVU_PROGRAM}, 10000, noDisplay);
    EXPECT_EQ(forced.exitCode, 1);
    EXPECT_EQ(forced.standardError.trimmed(), "Sorvu needs an X11 session, and DISPLAY is not set.");
    noDisplay.environment.insert("SORVU_PLATFORM", QByteArray());

    // What needs no display answers without one, with exit codes a script can rely on.
    const ChildProcess::Result version = ChildProcess::run({SORVU_PROGRAM, "--version"}, 10000, noDisplay);
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(QRegularExpression("^sorvu \\d+\\.\\d+\\.\\d+ \\(build [^)]+\\)\n$")
                    .match(QString::fromUtf8(version.standardOutput))
                    .hasMatch())
        << version.standardOutput.toStdString();
    const ChildProcess::Result help = ChildProcess::run({SORVU_PROGRAM, "--help"}, 10000, noDisplay);
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.standardOutput.contains("--version")) << help.standardOutput.toStdString();
    for (const QStringList& wrong : {QStringList{"--no-such-option"}, QStringList{"stray"}}) {
        const ChildProcess::Result refused = ChildProcess::run(QStringList{SORVU_PROGRAM} + wrong, 10000, noDisplay);
        EXPECT_EQ(refused.exitCode, 2);
        EXPECT_EQ(refused.standardError.trimmed().count('\n'), 0) << refused.standardError.toStdString();
        // Named as the user wrote it, less its dashes.
        const QString named = QString(wrong.first()).remove(QRegularExpression("^-+"));
        EXPECT_TRUE(refused.standardError.contains(named.toUtf8())) << refused.standardError.toStdString();
    }
}

TEST_F(SorvuEndToEnd, TheShortcutsKeysNeverReachTheFieldInFrontWhileItsPastesDo) {
    constexpr uint keyOfC = 54;
    constexpr uint keyOfV = 55;
    openTextField();
    startCollecting();
    copyAndWaitForCount("one ", "", 1);
    copyAndWaitForCount("two ", "", 2);
    pressPasteShortcut();
    ASSERT_TRUE(waitForLog(outcome(2, 1))) << log().toStdString();
    pressPasteShortcut();
    ASSERT_TRUE(waitUntil([&] { return fieldText() == "one two "; })) << fieldText().toStdString();

    // The modifiers the user held reach the field, the letters of the shortcuts never do: V arrives only
    // with Control alone, from Sorvu's own paste keystrokes.
    const QList<std::pair<uint, uint>> presses = fieldKeyPresses();
    QList<uint> modifiersOfV;
    for (const auto& [keyCode, modifiers] : presses) {
        EXPECT_NE(keyCode, keyOfC);
        if (keyCode == keyOfV) {
            modifiersOfV.append(modifiers);
        }
    }
    EXPECT_EQ(modifiersOfV, (QList<uint>{uint(Qt::ControlModifier), uint(Qt::ControlModifier)}));
}

TEST_F(SorvuEndToEnd, TheShortcutsLeaveAProgramRunningInATerminalUntouched) {
    startCatInTerminal({"xterm", "-title", "sorvu terminal", "-e"}, "sorvu terminal");
    ASSERT_FALSE(HasFatalFailure());
    const QString typed = typedInTerminal();

    ASSERT_TRUE(xdotool({"key", "ctrl+super+c"}).succeeded());
    ASSERT_TRUE(waitForLog("toggleCollecting isCollecting=true")) << log().toStdString();
    pressPasteShortcut();
    ASSERT_TRUE(waitForLog("paste attempt outcome=queueEmpty")) << log().toStdString();
    ASSERT_TRUE(xdotool({"type", "alive"}).succeeded());
    ASSERT_TRUE(xdotool({"key", "Return"}).succeeded());

    QFile output(typed);
    EXPECT_TRUE(waitUntil([&] { return QFileInfo(typed).size() >= 6; }, 10000));
    ASSERT_TRUE(output.open(QIODevice::ReadOnly));
    EXPECT_EQ(output.readAll().toStdString(), "alive\n");
    EXPECT_EQ(::kill(m_terminalProgram, 0), 0) << "the program in the terminal was ended";
}

// xterm pastes PRIMARY with Shift+Insert: the entry is offered there too, and only for the paste.
TEST_F(SorvuEndToEnd, PastesIntoAProgramRunningInXterm) {
    startCatInTerminal({"xterm", "-title", "sorvu xterm", "-e"}, "sorvu xterm");
    ASSERT_FALSE(HasFatalFailure());

    pasteEachIntoTerminal({"one line\n", "first of two\nsecond of two\n"});
    EXPECT_TRUE(waitUntil([] {
        return ChildProcess::run({"xclip", "-o", "-selection", "primary"}, 5000).standardOutput.isEmpty();
    })) << "PRIMARY is still offered after the paste";
    EXPECT_EQ(::kill(m_terminalProgram, 0), 0) << "the program in the terminal was ended";
}

// A VTE terminal pastes with Ctrl+Shift+V.
TEST_F(SorvuEndToEnd, PastesIntoAProgramRunningInXfceTerminal) {
    QTemporaryDir files;
    ASSERT_TRUE(files.isValid());
    // Left on, the terminal asks before pasting a line break, as a paste could run commands.
    const QString settings = files.filePath("config/xfce4/terminal");
    ASSERT_TRUE(QDir().mkpath(settings));
    QFile terminalrc(settings + "/terminalrc");
    ASSERT_TRUE(terminalrc.open(QIODevice::WriteOnly));
    terminalrc.write("[Configuration]\nMiscShowUnsafePasteDialog=FALSE\n");
    terminalrc.close();
    ChildProcess::Options options;
    options.environment.insert("XDG_CONFIG_HOME", files.filePath("config").toLocal8Bit());
    // No accessibility bus: it would outlive the terminal.
    options.environment.insert("NO_AT_BRIDGE", "1");
    startCatInTerminal({"xfce4-terminal", "--disable-server", "--title", "sorvu vte", "-x"}, "sorvu vte", options);
    ASSERT_FALSE(HasFatalFailure());

    pasteEachIntoTerminal({"one line\n", "first of two\nsecond of two\n"});
    EXPECT_EQ(::kill(m_terminalProgram, 0), 0) << "the program in the terminal was ended";
}

namespace {

// Started before any panel, as at login when autostart beats the desktop.
class SorvuWithoutTray : public SorvuEndToEnd {
protected:
    void SetUp() override { ASSERT_TRUE(m_home.isValid()); }
};

} // namespace

TEST_F(SorvuWithoutTray, CollectsAndPastesFromTheKeyboardAndShowsItsIconOnceATrayAppears) {
    s_panel->stop();
    s_panel.reset();
    ASSERT_TRUE(waitUntil([] { return !trayHostRuns(); }, 5000));
    startSorvu();
    ASSERT_TRUE(waitForLog("status item waiting for a system tray")) << log().toStdString();

    ASSERT_TRUE(xdotool({"key", "ctrl+super+c"}).succeeded());
    ASSERT_TRUE(waitForLog("toggleCollecting isCollecting=true"));
    copy("solo ");
    ASSERT_TRUE(waitForLog("queue append type=text queue.count=1"));
    openTextField();
    pressPasteShortcut();
    EXPECT_TRUE(waitUntil([&] { return fieldText() == "solo "; })) << fieldText().toStdString();
    EXPECT_FALSE(log().contains("status item image="));

    s_panel = ChildProcess::start({"tint2"});
    ASSERT_TRUE(waitUntil(trayHostRuns, 15000));
    EXPECT_TRUE(waitForLog("status item image=menuBarIcon count=0", 15000)) << log().toStdString();
    EXPECT_TRUE(waitUntil([] { return trayIconName() == "Sorvu, idle"; }))
        << trayIconName().value_or("no name").toStdString();
}
