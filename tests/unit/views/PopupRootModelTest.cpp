// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/PopupRootModel.h"
#include "shortcuts/GlobalShortcuts.h"
#include "tests/unit/views/ViewsFixture.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QSignalSpy>

#include <cmath>

#include <gtest/gtest.h>

namespace sorvu {
namespace {

class TakenShortcuts : public GlobalShortcuts {
public:
    void start() override {}
    QList<ShortcutAction> takenActions() const override { return taken; }
    QList<ShortcutAction> taken;
};

class PopupRootModelTest : public test::ViewsFixture {
protected:
    PopupRootModel& makeRoot(const QFont& font = QGuiApplication::font()) {
        root = std::make_unique<PopupRootModel>(*queue, *language, font, 0, QueueScreenModel::Actions{},
                                                settingsDependencies());
        return *root;
    }

    std::unique_ptr<PopupRootModel> root;
};

TEST_F(PopupRootModelTest, TheStatusRowSaysWhetherSorvuCollectsAndHowManyEntriesWait) {
    auto& model = makeRoot();
    EXPECT_EQ(model.statusText(), "Stopped");
    EXPECT_EQ(model.countText(), "Queue empty");
    EXPECT_EQ(model.statusAccessibleName(), "Stopped, queue empty") << "spoken in lower case";

    QSignalSpy changes(&model, &PopupRootModel::statusChanged);
    addTexts({"a", "b", "c"});
    EXPECT_GE(changes.count(), 1);
    EXPECT_EQ(model.statusText(), "Recording");
    EXPECT_EQ(model.countText(), "3 items in queue");
    EXPECT_EQ(model.statusAccessibleName(), "Recording, 3 items in queue");
}

TEST_F(PopupRootModelTest, OnlyGermanPutsTheCountOnTwoLinesAndNeverTheEmptyQueue) {
    auto& model = makeRoot();
    language->choose(QStringLiteral("de"));
    EXPECT_FALSE(model.countText().contains('\n'));
    const QString emptyGerman = model.countText();
    EXPECT_NE(emptyGerman, "Queue empty");

    addTexts({"a", "b", "c"});
    const QString german = model.countText();
    ASSERT_EQ(german.count('\n'), 1);
    EXPECT_TRUE(german.startsWith("3\n"));
    EXPECT_FALSE(model.statusAccessibleName().contains('\n')) << "the spoken label is one line";

    for (const char* code : {"es", "ru", "ja", "pt-BR", "zh-Hans", "en"}) {
        language->choose(QString::fromLatin1(code));
        EXPECT_FALSE(model.countText().contains('\n')) << code;
    }
}

TEST_F(PopupRootModelTest, TheWidthFollowsTheStatusTextsButNeverFallsBelow270) {
    auto& model = makeRoot();
    EXPECT_DOUBLE_EQ(model.width(), 270);

    // A large interface font makes the texts wider than the minimum leaves room for.
    QFont large = QGuiApplication::font();
    large.setPointSizeF(30);
    auto& wide = makeRoot(large);
    addTexts({"a", "b"});
    TextStyles styles(large);
    const double expected = std::ceil(QFontMetricsF(styles.headline()).horizontalAdvance("Recording") +
                                      QFontMetricsF(styles.subheadline()).horizontalAdvance("2 items in queue") + 90);
    ASSERT_GT(expected, 270);
    EXPECT_DOUBLE_EQ(wide.width(), expected);
    EXPECT_EQ(wide.width(), std::floor(wide.width())) << "rounded up to a whole point";

    // German measures its widest line, not both lines end to end.
    language->choose(QStringLiteral("de"));
    const QStringList lines = wide.countText().split('\n');
    ASSERT_EQ(lines.size(), 2);
    const double widest = std::max(QFontMetricsF(styles.subheadline()).horizontalAdvance(lines.at(0)),
                                   QFontMetricsF(styles.subheadline()).horizontalAdvance(lines.at(1)));
    EXPECT_DOUBLE_EQ(wide.width(),
                     std::max(270.0, std::ceil(QFontMetricsF(styles.headline()).horizontalAdvance(wide.statusText()) +
                                               widest + 90)));
}

TEST_F(PopupRootModelTest, TheSettingsButtonTogglesScreensAndTheQueueScreenComesBackFresh) {
    addTexts({"a", "b"});
    auto& model = makeRoot();
    QPointer<QueueScreenModel> first = model.queueScreen();
    ASSERT_TRUE(first);
    first->showCombine();
    EXPECT_EQ(model.settingsButtonName(), "Settings");
    EXPECT_TRUE(model.settingsButtonIcon().endsWith("gearshape"));

    model.toggleScreen();
    EXPECT_TRUE(model.showsSettings());
    EXPECT_EQ(model.queueScreen(), nullptr);
    EXPECT_EQ(model.settingsButtonName(), "Close Settings");
    EXPECT_TRUE(model.settingsButtonIcon().endsWith("xmark.circle.fill"));
    QPointer<SettingsScreenModel> settings = model.settingsScreen();
    ASSERT_TRUE(settings);
    settings->pasteRecorder()->pressButton();
    EXPECT_TRUE(model.keyPressed(33, KeyModifier::Ctrl, false)) << "keys reach the recording recorder";

    model.toggleScreen();
    EXPECT_EQ(model.settingsScreen(), nullptr);
    EXPECT_FALSE(model.keyPressed(33, KeyModifier::Ctrl, false)) << "no screen records any more";
    ASSERT_TRUE(model.queueScreen());
    EXPECT_NE(model.queueScreen(), first.data());
    EXPECT_FALSE(model.queueScreen()->showingCombine()) << "no combine screen survives a visit to the settings";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull()) << "the old screen is let go";
    EXPECT_TRUE(settings.isNull());
    EXPECT_EQ(shortcuts->recordingAction(), std::nullopt) << "a recorder that left the screen stops recording";
    EXPECT_FALSE(shortcuts->cancelRecordingHandler());
}

TEST_F(PopupRootModelTest, ChoosingALanguageChangesEveryTextOfTheOpenPopupAtOnce) {
    addTexts({"a"});
    auto& model = makeRoot();
    QueueScreenModel& screen = *model.queueScreen();
    const QStringList english = {model.statusText(),   model.countText(),  model.settingsButtonName(),
                                 screen.collectText(), screen.pasteText(), screen.quitText()};
    QSignalSpy status(&model, &PopupRootModel::statusChanged);
    QSignalSpy texts(&screen, &QueueScreenModel::textsChanged);
    language->choose(QStringLiteral("de"));
    EXPECT_EQ(status.count(), 1);
    EXPECT_EQ(texts.count(), 1);
    const QStringList german = {model.statusText(),   model.countText(),  model.settingsButtonName(),
                                screen.collectText(), screen.pasteText(), screen.quitText()};
    for (int index = 0; index < english.size(); ++index) {
        EXPECT_NE(german.at(index), english.at(index)) << english.at(index).toStdString();
    }
}

TEST_F(PopupRootModelTest, TheStatusRowSaysInWordsWhenAShortcutIsTakenAndWhenTheQueueIsFull) {
    TakenShortcuts taken;
    SettingsScreenModel::Dependencies dependencies = settingsDependencies();
    dependencies.globalShortcuts = &taken;
    PopupRootModel model(*queue, *language, QGuiApplication::font(), 0, {}, dependencies);
    EXPECT_TRUE(model.notices().isEmpty());

    QSignalSpy changes(&model, &PopupRootModel::statusChanged);
    taken.taken = {ShortcutAction::pasteNext};
    emit taken.takenActionsChanged();
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(model.notices(), QStringList{"Ctrl+Super+V is taken by another program and does nothing."});

    // A new shortcut of the action is named at once.
    shortcuts->setOverride(KeyCombination{33, quint64(KeyModifiers(KeyModifier::Ctrl | KeyModifier::Alt).toInt())},
                           ShortcutAction::pasteNext);
    EXPECT_EQ(model.notices(), QStringList{"Ctrl+Alt+P is taken by another program and does nothing."});

    QStringList texts;
    for (int index = 0; index < ClipboardQueue::capacity; ++index) {
        texts.append(QString::number(index));
    }
    addTexts(texts);
    ASSERT_EQ(queue->queue().size(), ClipboardQueue::capacity);
    EXPECT_EQ(model.notices(), (QStringList{"Ctrl+Alt+P is taken by another program and does nothing.",
                                            "The queue is full: new copies are not added."}));
    language->choose(QStringLiteral("de"));
    EXPECT_EQ(model.notices().last(), "Die Warteschlange ist voll: Neue Kopien werden nicht aufgenommen.");
    queue->remove(idAt(0));
    taken.taken.clear();
    EXPECT_TRUE(model.notices().isEmpty());
}

} // namespace
} // namespace sorvu
