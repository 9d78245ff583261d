// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Application.h"
#include "engine/ClipboardCollector.h"
#include "engine/ClipboardQueue.h"
#include "engine/QueuePaster.h"
#include "preferences/LanguagePreferenceStore.h"
#include "preferences/Localization.h"
#include "shortcuts/ShortcutManager.h"
#include "tests/support/TemporarySettings.h"
#include "tests/support/TestSupport.h"
#include "tests/unit/app/FakePlatform.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace sorvu {
namespace {

using test::waitUntil;

// The whole shell over a session the test controls: shortcut activations in, pastes out.
class ApplicationTest : public test::TemporarySettings {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_storage.isValid());
        application = std::make_unique<Application>(platform, openSettings(), m_storage.path());
        application->launch();
        ASSERT_TRUE(platform.shortcuts);
    }
    void TearDown() override {
        application.reset();
        // The application's translations outlive it; the next test starts from the English keys.
        installApplicationTranslations(TranslationCatalog());
    }

    // The texts Sorvu put on the clipboard, in order.
    QStringList pastedTexts() const {
        QStringList texts;
        for (const ClipboardItem& item : platform.fakeClipboard->written) {
            texts.append(item.text());
        }
        return texts;
    }

    void collect(const QStringList& texts) {
        platform.shortcuts->press(ShortcutAction::startStopCollecting);
        ASSERT_TRUE(application->queue().isCollecting());
        for (const QString& text : texts) {
            const qsizetype before = application->queue().queue().count();
            platform.fakeClipboard->copyText(text);
            ASSERT_TRUE(waitUntil([&] { return application->queue().queue().count() == before + 1; }));
        }
    }

    test::FakePlatform platform;
    std::unique_ptr<Application> application;
    QTemporaryDir m_storage;
};

TEST_F(ApplicationTest, ShortcutsStartOnceAndTheToggleSwitchesCollecting) {
    EXPECT_EQ(platform.shortcuts->starts, 1);
    EXPECT_FALSE(application->queue().isCollecting());
    platform.shortcuts->press(ShortcutAction::startStopCollecting);
    EXPECT_TRUE(application->queue().isCollecting());
    platform.shortcuts->press(ShortcutAction::startStopCollecting);
    EXPECT_FALSE(application->queue().isCollecting());
}

TEST_F(ApplicationTest, APasteFromTheShortcutWaitsForItsKeysAndKeepsCopyOrder) {
    collect({QStringLiteral("first"), QStringLiteral("second")});

    // The shortcut's keys are still down: the target would see them with the paste keystroke.
    platform.heldKeys = QSet<quint16>{37, 133, 55};
    platform.shortcuts->press(ShortcutAction::pasteNext);
    platform.shortcuts->press(ShortcutAction::pasteNext);
    test::runEventLoopFor(100);
    EXPECT_EQ(int(platform.output->posted.size()), 0);
    EXPECT_TRUE(pastedTexts().isEmpty());

    platform.heldKeys = QSet<quint16>();
    ASSERT_TRUE(waitUntil([&] { return int(platform.output->posted.size()) == 1; }));
    EXPECT_EQ(pastedTexts(), QStringList{QStringLiteral("first")});

    // The target fetched the first entry: the second may replace it.
    platform.targetFetched();
    ASSERT_TRUE(waitUntil([&] { return int(platform.output->posted.size()) == 2; }));
    EXPECT_EQ(pastedTexts(), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    EXPECT_TRUE(application->queue().queue().isEmpty());
    EXPECT_FALSE(application->queue().isCollecting());
}

TEST_F(ApplicationTest, EachPasteUsesTheKeystrokeOfTheWindowInFront) {
    application.reset();
    {
        const auto settings = openSettings();
        settings->setValue(QStringLiteral("pasteKeystrokes/MyTerm"), QStringLiteral("Shift+Insert"));
    }
    application = std::make_unique<Application>(platform, openSettings(), m_storage.path());
    application->launch();
    collect({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")});

    const QList<std::pair<std::optional<WindowClass>, PasteKeys>> targets = {
        {WindowClass{"xfce4-terminal", "Xfce4-terminal"}, PasteKeys::controlShiftV},
        {WindowClass{"myterm", "MyTerm"}, PasteKeys::shiftInsert},
        {WindowClass{"kate", "kate"}, PasteKeys::controlV},
        // A window that does not say what it is.
        {std::nullopt, PasteKeys::controlV},
    };
    QList<PasteKeys> expected;
    quint64 window = 0;
    for (const auto& [windowClass, keys] : targets) {
        ++window;
        if (windowClass) {
            platform.fakeWorkspace.windowClasses.insert(window, *windowClass);
        }
        platform.fakeWorkspace.becomeActive(RunningProgram{window, qint64(window) + 100});
        platform.shortcuts->press(ShortcutAction::pasteNext);
        expected.append(keys);
        ASSERT_TRUE(waitUntil([&] { return platform.output->posted.size() == expected.size(); }));
        platform.targetFetched();
    }
    EXPECT_EQ(platform.output->posted, expected);
    EXPECT_EQ(pastedTexts(), (QStringList{"a", "b", "c", "d"}));
}

TEST_F(ApplicationTest, TheShortcutsFollowTheLayoutThePlatformReports) {
    EXPECT_EQ(application->shortcutManager().effectiveShortcut(ShortcutAction::pasteNext),
              (KeyCombination{55, KeyCombination::defaultModifiers.toInt()}));
}

TEST_F(ApplicationTest, WithoutInputAccessNothingIsPasted) {
    platform.output->inputAccess = false;
    application->queue().paster().refreshInputAccess();
    collect({QStringLiteral("kept")});
    platform.shortcuts->press(ShortcutAction::pasteNext);
    test::runEventLoopFor(100);
    EXPECT_EQ(int(platform.output->posted.size()), 0);
    EXPECT_EQ(application->queue().queue().count(), 1);
}

TEST_F(ApplicationTest, SizeLimitsComeFromTheSettingsAndASkippedCopyIsToldOnce) {
    // Defaults: 64 MB of text, 256 MB for an image.
    ASSERT_TRUE(platform.fakeClipboard->limits);
    EXPECT_EQ(platform.fakeClipboard->limits->textBytes, qint64(64) << 20);
    EXPECT_EQ(platform.fakeClipboard->limits->imageBytes, qint64(256) << 20);

    application.reset();
    auto settings = openSettings();
    settings->setValue("maximumTextMegabytes", 512);
    settings->setValue("maximumImageMegabytes", "not a number");
    settings->sync();
    application = std::make_unique<Application>(platform, openSettings(), m_storage.path());
    EXPECT_EQ(platform.fakeClipboard->limits->textBytes, qint64(512) << 20);
    EXPECT_EQ(platform.fakeClipboard->limits->imageBytes, qint64(256) << 20);

    application->queue().toggleCollecting();
    platform.fakeClipboard->copyTooLarge();
    application->queue().collector().checkClipboard();
    ASSERT_EQ(platform.notifications.size(), 1);
    EXPECT_EQ(platform.notifications.first(), "A copy was too large to queue and was skipped.");
    application->queue().collector().checkClipboard();
    EXPECT_EQ(platform.notifications.size(), 1);
}

TEST_F(ApplicationTest, TheFileSizeLimitComesFromTheSettingsAndCopiesLeftOutAreTold) {
    application.reset();
    auto settings = openSettings();
    settings->setValue("maximumFileMegabytes", 1);
    settings->sync();
    application = std::make_unique<Application>(platform, openSettings(), m_storage.path());

    QTemporaryDir sources;
    QFile large(sources.filePath("large.bin"));
    ASSERT_TRUE(large.open(QIODevice::WriteOnly));
    large.write(QByteArray(2 << 20, 'x'));
    large.close();
    application->queue().toggleCollecting();
    platform.fakeClipboard->copyFiles({QUrl::fromLocalFile(large.fileName())});
    application->queue().collector().checkClipboard();
    // Copied on a worker: the word comes once the copy is over.
    ASSERT_TRUE(waitUntil([&] { return !platform.notifications.isEmpty(); }));
    EXPECT_TRUE(application->queue().queue().isEmpty());
    EXPECT_EQ(platform.notifications,
              QStringList({"A copied file was larger than the limit for stored files and was skipped. The limit is "
                           "maximumFileMegabytes in the settings file."}));
}

TEST_F(ApplicationTest, APasteThatCannotReachTheWindowInFrontIsExplained) {
    QTemporaryDir sources;
    QFile source(sources.filePath("gone.txt"));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.close();
    application->queue().toggleCollecting();
    platform.fakeClipboard->copyFiles({QUrl::fromLocalFile(source.fileName())});
    application->queue().collector().checkClipboard();
    ASSERT_TRUE(waitUntil([&] { return application->queue().queue().size() == 1; }));
    ASSERT_TRUE(QDir(application->queue().files().instancePath()).removeRecursively());

    platform.shortcuts->press(ShortcutAction::pasteNext);
    ASSERT_TRUE(waitUntil([&] { return !platform.notifications.isEmpty(); }));
    EXPECT_EQ(platform.notifications,
              QStringList({"The next entry's copy was deleted outside Sorvu, so it was removed from the queue."}));
    EXPECT_EQ(int(platform.output->posted.size()), 0);
}

// Counts the application's LanguageChange events, as every window that shows text would see them.
class LanguageChangeCounter : public QObject {
public:
    int count = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == QCoreApplication::instance() && event->type() == QEvent::LanguageChange) {
            ++count;
        }
        return false;
    }
};

TEST_F(ApplicationTest, AChosenLanguageBecomesTheApplicationsAtOnce) {
    LanguageChangeCounter changes;
    QCoreApplication::instance()->installEventFilter(&changes);
    const auto translated = [] { return QCoreApplication::translate("Sorvu", "Quit"); };

    application->languagePreferenceStore().choose(QStringLiteral("de"));
    EXPECT_EQ(translated(), QStringLiteral("Beenden"));
    const int afterGerman = changes.count;
    EXPECT_GE(afterGerman, 1);

    application->languagePreferenceStore().choose(QStringLiteral("ja"));
    EXPECT_EQ(translated(), QStringLiteral("終了"));
    EXPECT_GT(changes.count, afterGerman);

    // The English keys: no translator at all.
    application->languagePreferenceStore().choose(QStringLiteral("en"));
    EXPECT_EQ(translated(), QStringLiteral("Quit"));

    // The next start finds the stored choice and translates from the first moment.
    application->languagePreferenceStore().choose(QStringLiteral("de"));
    application.reset();
    installApplicationTranslations(TranslationCatalog());
    ASSERT_EQ(translated(), QStringLiteral("Quit"));
    application = std::make_unique<Application>(platform, openSettings(), m_storage.path());
    EXPECT_EQ(translated(), QStringLiteral("Beenden"));
    QCoreApplication::instance()->removeEventFilter(&changes);
}

} // namespace
} // namespace sorvu
