// SPDX-FileCopyrightText: 2026 The Sorvu developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "views/QueueListModel.h"
#include "tests/unit/views/ViewsFixture.h"
#include "views/ViewLanguage.h"

#include <QAbstractItemModelTester>
#include <QRandomGenerator>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace sorvu {
namespace {

class QueueListModelTest : public test::ViewsFixture {
protected:
    QueueListModel& makeModel() {
        viewLanguage = std::make_unique<ViewLanguage>(*language);
        model = std::make_unique<QueueListModel>(*queue, *viewLanguage);
        tester = std::make_unique<QAbstractItemModelTester>(model.get(),
                                                            QAbstractItemModelTester::FailureReportingMode::Fatal);
        return *model;
    }

    QVariant value(int row, int role) const { return model->data(model->index(row), role); }

    QStringList rowIDs() const {
        QStringList ids;
        for (int row = 0; row < model->rowCount(); ++row) {
            ids.append(value(row, QueueListModel::EntryIdRole).toString());
        }
        return ids;
    }
    QStringList queueIDs() const {
        QStringList ids;
        for (const auto& entry : queue->queue()) {
            ids.append(uuidString(entry.id));
        }
        return ids;
    }

    std::unique_ptr<ViewLanguage> viewLanguage;
    std::unique_ptr<QueueListModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(QueueListModelTest, EveryEditOfTheQueueArrivesAsInsertsRemovesAndMovesNeverAsAReset) {
    addTexts({"a", "b", "c"});
    auto& rows = makeModel();
    QSignalSpy resets(&rows, &QAbstractItemModel::modelReset);
    QSignalSpy inserts(&rows, &QAbstractItemModel::rowsInserted);
    QSignalSpy removes(&rows, &QAbstractItemModel::rowsRemoved);
    QSignalSpy moves(&rows, &QAbstractItemModel::rowsMoved);

    addTexts({"d"});
    EXPECT_EQ(inserts.count(), 1);
    queue->move(QSet<int>{0}, 2);
    EXPECT_EQ(moves.count(), 1);
    queue->remove(idAt(1));
    EXPECT_EQ(removes.count(), 1);
    EXPECT_EQ(rowIDs(), queueIDs());

    // A long run of random edits, the way a user and the shortcuts interleave them.
    QRandomGenerator random(7);
    for (int step = 0; step < 300; ++step) {
        const qsizetype count = queue->queue().size();
        switch (random.bounded(5)) {
        case 0:
        case 1:
            addTexts({QString::number(step)});
            break;
        case 2:
            if (count > 0) {
                queue->remove(idAt(random.bounded(int(count))));
            }
            break;
        case 3:
            if (count > 1) {
                queue->move(idAt(random.bounded(int(count))), random.bounded(int(count)));
            }
            break;
        case 4:
            if (random.bounded(20) == 0) {
                queue->clear();
            } else if (count > 0) {
                queue->paster().pasteNext();
            }
            break;
        }
        ASSERT_EQ(rowIDs(), queueIDs()) << "after step " << step;
    }
    EXPECT_EQ(resets.count(), 0);
}

TEST_F(QueueListModelTest, RowsShowTheirPlaceAPreviewAndASpokenLabel) {
    const QString longText = QString(60, QLatin1Char('x')) + QString(40, QLatin1Char('y'));
    addTexts({longText});
    // A family emoji is one character to a reader, though seven code points.
    const QString family = QStringLiteral("👨‍👩‍👧");
    addTexts({QString(38, QLatin1Char('a')) + family + family + QStringLiteral("tail")});
    addImage(1000, 200);
    addFile(QStringLiteral("Quarterly report.pdf"));
    auto& rows = makeModel();

    EXPECT_EQ(value(0, QueueListModel::PositionTextRole).toString(), "1.");
    EXPECT_EQ(value(3, QueueListModel::PositionTextRole).toString(), "4.");
    EXPECT_EQ(value(0, QueueListModel::PreviewTextRole).toString(), QString(40, QLatin1Char('x')));
    EXPECT_EQ(value(0, QueueListModel::AccessibleNameRole).toString(),
              "Item 1: text, " + QString(40, QLatin1Char('x')));
    EXPECT_EQ(value(1, QueueListModel::PreviewTextRole).toString(), QString(38, QLatin1Char('a')) + family + family);
    EXPECT_EQ(value(2, QueueListModel::AccessibleNameRole).toString(), "Item 3: image");
    EXPECT_TRUE(value(2, QueueListModel::ShowsPictureRole).toBool());
    EXPECT_FALSE(value(2, QueueListModel::ShowsNameRole).toBool());
    EXPECT_EQ(value(2, QueueListModel::ImageSourceRole).toString(), QueueListModel::thumbnailSource(idAt(2)));

    // The row names the file the user copied, not Sorvu's copy of it.
    EXPECT_FALSE(queue->queue().at(3).content.fileUrl().toLocalFile().startsWith(sourceDirectory));
    EXPECT_EQ(value(3, QueueListModel::PreviewTextRole).toString(), "Quarterly report.pdf");
    EXPECT_EQ(value(3, QueueListModel::AccessibleNameRole).toString(), "Item 4: file, Quarterly report.pdf");
    EXPECT_TRUE(value(3, QueueListModel::ImageSourceRole).toString().contains("application-pdf"));
    EXPECT_EQ(value(3, QueueListModel::DeleteNameRole).toString(), "Delete item 4");

    // Removing the head renumbers every row.
    QSignalSpy changes(&rows, &QAbstractItemModel::dataChanged);
    queue->remove(idAt(0));
    EXPECT_GE(changes.count(), 1);
    EXPECT_EQ(value(0, QueueListModel::PositionTextRole).toString(), "1.");
    EXPECT_EQ(value(2, QueueListModel::AccessibleNameRole).toString(), "Item 3: file, Quarterly report.pdf");
}

TEST_F(QueueListModelTest, AnotherLanguageRelabelsEveryRowAtOnce) {
    addTexts({"hello"});
    addImage();
    auto& rows = makeModel();
    const QString english = value(1, QueueListModel::AccessibleNameRole).toString();
    QSignalSpy changes(&rows, &QAbstractItemModel::dataChanged);
    language->choose(QStringLiteral("de"));
    ASSERT_EQ(changes.count(), 1);
    EXPECT_EQ(changes.first().at(0).toModelIndex().row(), 0);
    EXPECT_EQ(changes.first().at(1).toModelIndex().row(), 1);
    const QString german = value(1, QueueListModel::AccessibleNameRole).toString();
    EXPECT_NE(german, english);
    EXPECT_TRUE(german.contains("2"));
    EXPECT_TRUE(value(0, QueueListModel::AccessibleNameRole).toString().contains("hello"));
}

TEST_F(QueueListModelTest, DragStateReachesOnlyTheRowsItConcerns) {
    addTexts({"a", "b", "c"});
    auto& rows = makeModel();
    QSignalSpy changes(&rows, &QAbstractItemModel::dataChanged);
    rows.setDrag(idAt(1), 12.5);
    EXPECT_TRUE(value(1, QueueListModel::IsDraggedRole).toBool());
    EXPECT_DOUBLE_EQ(value(1, QueueListModel::DragOffsetRole).toDouble(), 12.5);
    EXPECT_DOUBLE_EQ(value(0, QueueListModel::DragOffsetRole).toDouble(), 0);
    rows.setDrag(std::nullopt, 0);
    EXPECT_FALSE(value(1, QueueListModel::IsDraggedRole).toBool());
    rows.setDraggedOut(idAt(2));
    EXPECT_TRUE(value(2, QueueListModel::IsDraggedOutRole).toBool());
    for (const auto& change : changes) {
        EXPECT_EQ(change.at(0).toModelIndex(), change.at(1).toModelIndex()) << "one row per change";
    }
}

TEST_F(QueueListModelTest, TooltipsTellTheStartAndLengthOfATextThePixelsOfAnImageAndAFilesWholeNameAndSize) {
    const QString longText = QString("word ").repeated(400) + QString("e\u0301");
    addTexts({longText, "short"});
    addImage(3840, 2160);
    addFile("Quarterly report 2026 of the northern region.pdf");
    QueueListModel& rows = makeModel();
    const auto role = [&](int row, int role) { return rows.data(rows.index(row), role).toString(); };

    const QString text = role(0, QueueListModel::DetailsRole);
    const QStringList lines = text.split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], longText.left(QueueListModel::detailCharacters) + "\u2026");
    EXPECT_EQ(lines[1], "2001 characters") << "counted as a reader counts them";
    EXPECT_EQ(role(1, QueueListModel::DetailsRole), "short\n5 characters");

    EXPECT_EQ(role(2, QueueListModel::DetailsRole), "Image: 3840 \u00d7 2160 pixels");
    EXPECT_EQ(role(2, QueueListModel::PictureSizeRole), "3840 \u00d7 2160") << "shown before the thumbnail is ready";
    EXPECT_EQ(role(0, QueueListModel::PictureSizeRole), "");

    const QStringList file = role(3, QueueListModel::DetailsRole).split('\n');
    ASSERT_EQ(file.size(), 2);
    EXPECT_EQ(file[0], "Quarterly report 2026 of the northern region.pdf");
    EXPECT_TRUE(file[1].endsWith("bytes") || file[1].endsWith("B")) << file[1].toStdString();
    EXPECT_TRUE(rows.data(rows.index(3), QueueListModel::ElidesInMiddleRole).toBool()) << "the ending stays";
    EXPECT_FALSE(rows.data(rows.index(0), QueueListModel::ElidesInMiddleRole).toBool());

    // In German, with one character.
    language->choose(QStringLiteral("de"));
    queue->remove(idAt(0));
    addTexts({"x"});
    EXPECT_EQ(role(int(queue->queue().size()) - 1, QueueListModel::DetailsRole), "x\n1 Zeichen");
    EXPECT_EQ(role(1, QueueListModel::DetailsRole), "Bild: 3840 \u00d7 2160 Pixel");
}

} // namespace
} // namespace sorvu
