// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/CombineScreenModel.h"
#include "preferences/SettingsTextJoinPreferenceStore.h"
#include "tests/unit/views/ViewsFixture.h"
#include "views/ViewLanguage.h"

#include <QPointer>

#include <gtest/gtest.h>

namespace sorvu {
namespace {

constexpr int indexOfCommaSpace = 3;
constexpr int indexOfCustom = 5;

class CombineScreenModelTest : public test::ViewsFixture {
protected:
    struct Request {
        QString separator;
        QList<QUuid> expectedIDs;
        CombineScreenModel::PasteCompletion completion;
    };

    void SetUp() override {
        ViewsFixture::SetUp();
        store = std::make_shared<SettingsTextJoinPreferenceStore>(settings);
    }

    CombineScreenModel& makeCombine() {
        combine.reset();
        viewLanguage = std::make_unique<ViewLanguage>(*language);
        CombineScreenModel::Actions actions;
        actions.back = [this] { calls.append("back"); };
        actions.cancelPending = [this] { calls.append("cancelPending"); };
        actions.paste = [this](const QString& separator, const QList<QUuid>& expectedIDs,
                               CombineScreenModel::PasteCompletion completion) {
            calls.append("paste");
            requests.append({separator, expectedIDs, std::move(completion)});
        };
        combine = std::make_unique<CombineScreenModel>(*queue, *viewLanguage, store, std::move(actions));
        return *combine;
    }

    std::shared_ptr<SettingsTextJoinPreferenceStore> store =
        std::make_shared<SettingsTextJoinPreferenceStore>(settings);
    QStringList calls;
    QList<Request> requests;
    std::unique_ptr<ViewLanguage> viewLanguage;
    std::unique_ptr<CombineScreenModel> combine;
};

TEST_F(CombineScreenModelTest, PasteAllNeedsAtLeastTwoQueuedTextsOnlyTextsAndASeparator) {
    auto& model = makeCombine();
    EXPECT_TRUE(model.isAllText()) << "an empty queue warns of nothing";
    EXPECT_EQ(model.previewText(), "");
    EXPECT_FALSE(model.canPaste());

    addTexts({"only"});
    EXPECT_EQ(model.previewText(), "only");
    EXPECT_FALSE(model.canPaste()) << "one text has nothing to be joined with";

    addImage();
    addTexts({"last"});
    EXPECT_FALSE(model.isAllText());
    EXPECT_EQ(model.nonTextWarning(), "All queued items must be text. Paste files and images separately.");
    EXPECT_FALSE(model.canPaste());
    model.pasteAll();
    EXPECT_TRUE(requests.isEmpty());

    queue->remove(idAt(1));
    EXPECT_TRUE(model.canPaste());
    model.chooseSeparator(indexOfCustom);
    EXPECT_TRUE(model.showsCustomField());
    EXPECT_FALSE(model.canPaste()) << "an empty custom separator";
    model.setCustomSeparator(";");
    EXPECT_TRUE(model.canPaste());
    EXPECT_EQ(model.previewText(), "only;last");
}

TEST_F(CombineScreenModelTest, ThePreviewJoinsTheFirstThreeTextsCutTo80And200CharactersWithAnEllipsis) {
    auto& model = makeCombine();
    EXPECT_EQ(model.separatorNames(),
              (QStringList{"New line", "Blank line", "Space", "Comma and space", "None", "Custom…"}));
    EXPECT_EQ(model.choiceIndex(), 0) << "new line unless saved otherwise";

    addTexts({"aaaaaaaaaa", "bbbbbbbbbb", "cccccccccc"});
    EXPECT_EQ(model.previewText(), "aaaaaaaaaa\nbbbbbbbbbb\ncccccccccc");
    addTexts({"dddddddddd"});
    EXPECT_EQ(model.previewText(), "aaaaaaaaaa\nbbbbbbbbbb\ncccccccccc…") << "a fourth entry is only hinted at";

    // Non-text entries among the first three are skipped, not replaced by later ones.
    queue->clear();
    addTexts({"a"});
    addImage();
    addTexts({"b", "c"});
    EXPECT_EQ(model.previewText(), "a\nb…");

    // One text over 80 characters, counted as a reader counts them.
    queue->clear();
    const QString accented = QString("e\u0301").repeated(80);
    addTexts({QString(81, 'x'), accented});
    EXPECT_EQ(model.previewText(), QString(80, 'x') + "…\n" + accented) << "the cut entry ends with an ellipsis";
    queue->clear();
    addTexts({accented, "z"});
    EXPECT_EQ(model.previewText(), accented + "\nz") << "80 accented letters are 160 code units, not a cut";

    // The joined text is cut to 200 characters.
    queue->clear();
    addTexts({QString(80, 'a'), QString(80, 'b'), QString(80, 'c')});
    model.chooseSeparator(indexOfCommaSpace);
    const QString joined = QString(80, 'a') + ", " + QString(80, 'b') + ", " + QString(80, 'c');
    EXPECT_EQ(model.previewText(), joined.left(200) + "…");
}

TEST_F(CombineScreenModelTest, APasteAsksForTheShownEntriesAndSavesTheSeparatorThatWasSentOnlyWhenPosted) {
    addTexts({"a", "b", "c"});
    auto& model = makeCombine();
    model.chooseSeparator(indexOfCommaSpace);
    model.pasteAll();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].separator, ", ");
    EXPECT_EQ(requests[0].expectedIDs, ids());
    EXPECT_TRUE(model.isSubmitting());
    EXPECT_FALSE(model.canPaste()) << "one request at a time";

    // Failures are shown and leave the preference unsaved; each new press clears the last message.
    const std::vector<std::pair<PasteAttemptResult, QString>> failures{
        {PasteAttemptResult::queueEmpty, "The queue is empty."},
        {PasteAttemptResult::recipientUnavailable,
         "The target app is unavailable. Open the menu from the app you want to paste into."},
        {PasteAttemptResult::accessibilityUnavailable,
         "Pasting is not available in this session. The README lists the desktops Sorvu supports."},
        {PasteAttemptResult::requestInProgress, "Could not paste. The queue is unchanged; try again."},
        {PasteAttemptResult::eventCreationFailed, "Could not paste. The queue is unchanged; try again."},
        {PasteAttemptResult::clipboardWriteFailed, "Could not paste. The queue is unchanged; try again."},
        {PasteAttemptResult::queueChanged, "The queue changed. Review the preview and try again."},
    };
    for (const auto& [result, message] : failures) {
        requests.last().completion(result);
        EXPECT_FALSE(model.isSubmitting());
        EXPECT_EQ(model.failureText(), message);
        model.pasteAll();
        EXPECT_EQ(model.failureText(), "");
    }
    // The screen's own warning explains a non-text entry.
    requests.last().completion(PasteAttemptResult::containsNonText);
    EXPECT_EQ(model.failure(), std::nullopt);
    EXPECT_FALSE(settings->contains(SettingsTextJoinPreferenceStore::choiceKey));

    // The picker changes while the request runs: what was sent is saved.
    model.pasteAll();
    model.chooseSeparator(indexOfCustom);
    model.setCustomSeparator("|");
    requests.last().completion(PasteAttemptResult::commandPosted);
    EXPECT_EQ(model.failureText(), "");
    EXPECT_EQ(store->load(), (TextJoinPreference{TextSeparatorChoice::commaSpace, QString()}));

    // The next screen starts from the saved separator.
    EXPECT_EQ(makeCombine().choiceIndex(), indexOfCommaSpace);
}

TEST_F(CombineScreenModelTest, ACopyFoundOnlyAtThePressRefusesOnceAndTheNextPressPastesTheNewQueue) {
    addTexts({"a", "b"});
    auto& model = makeCombine();
    const QList<QUuid> shown = model.displayedIDs();

    // Seen by the regular check: the screen follows at once.
    addTexts({"c"});
    EXPECT_EQ(model.displayedIDs(), ids());
    EXPECT_NE(model.displayedIDs(), shown);

    // Copied but not yet collected: the press finds it.
    clipboard->copyText("d");
    model.pasteAll();
    EXPECT_TRUE(requests.isEmpty());
    EXPECT_EQ(model.failureText(), "The queue changed. Review the preview and try again.");
    EXPECT_EQ(queuedTexts(), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(model.displayedIDs(), ids());

    model.pasteAll();
    ASSERT_EQ(requests.size(), 1);
    EXPECT_EQ(requests[0].expectedIDs, ids());
    EXPECT_EQ(model.failureText(), "");
}

TEST_F(CombineScreenModelTest, OpeningCollectsAPendingCopyAndLeavingWithdrawsARequestUnderWay) {
    addTexts({"a"});
    clipboard->copyText("b");
    auto& model = makeCombine();
    EXPECT_EQ(queuedTexts(), (QStringList{"a", "b"})) << "the copy made just before opening is shown";
    EXPECT_EQ(model.displayedIDs(), ids());

    // Back: withdrawn first, then left.
    model.pasteAll();
    model.back();
    EXPECT_EQ(calls, (QStringList{"paste", "cancelPending", "back"}));
    calls.clear();
    model.back();
    EXPECT_EQ(calls, QStringList{"back"}) << "nothing left to withdraw";

    // Going away while a request runs withdraws it too; its completion then reaches nothing.
    model.pasteAll();
    const auto completion = requests.last().completion;
    combine.reset();
    EXPECT_EQ(calls, (QStringList{"back", "paste", "cancelPending"}));
    completion(PasteAttemptResult::commandPosted);
    EXPECT_FALSE(settings->contains(SettingsTextJoinPreferenceStore::choiceKey));
}

TEST_F(CombineScreenModelTest, TextsFollowTheChosenLanguageAtOnce) {
    auto& model = makeCombine();
    const QStringList english{model.title(),        model.separatorLabel(), model.previewLabel(),
                              model.pasteAllText(), model.backText(),       model.customPlaceholder()};
    EXPECT_EQ(english,
              (QStringList{"Combine and Paste", "Separator", "Preview", "Paste All", "Back", "Custom separator"}));
    language->choose(QStringLiteral("de"));
    const QStringList german{model.title(),        model.separatorLabel(), model.previewLabel(),
                             model.pasteAllText(), model.backText(),       model.customPlaceholder()};
    for (qsizetype index = 0; index < english.size(); ++index) {
        EXPECT_NE(german[index], english[index]) << english[index].toStdString();
    }
    EXPECT_NE(model.separatorNames().first(), "New line");
}

TEST_F(CombineScreenModelTest, TheScreenNamesTheEntriesThatAreNotTexts) {
    auto& model = makeCombine();
    addTexts({"a"});
    EXPECT_EQ(model.nonTextEntriesText(), "");
    addImage();
    addTexts({"b"});
    addFile("report.pdf");
    EXPECT_FALSE(model.canPaste());
    EXPECT_EQ(model.nonTextEntriesText(), "2 items are not text: 2, 4.");
    queue->remove(idAt(3));
    EXPECT_EQ(model.nonTextEntriesText(), "1 item is not text: 2.");
    language->choose(QStringLiteral("ru"));
    EXPECT_EQ(model.nonTextEntriesText(), "1 элемент не является текстом: 2.");
}

} // namespace
} // namespace sorvu
