// The property grid of ui/: categories, text and number items, read-only
// items, the in-place editor, the value-changed notification and the
// description area.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "ui/widgets/CPropertyGrid.h"

using ::testing::ElementsAre;
using Kind = CPropertyGrid::ItemKind;

namespace {

constexpr int kName = 1;
constexpr int kModel = 2;
constexpr int kInterval = 3;
constexpr int kCount = 4;

class PropertyGridTest : public ::testing::Test {
protected:
    void SetUp() override {
        grid_ = std::make_unique<CPropertyGrid>();
        const int system = grid_->addCategory("A.System");
        const int sampling = grid_->addCategory("B.Sampling");
        grid_->addItem(system, kName, "1. Name", "", Kind::Text, false);
        grid_->addItem(system, kModel, "2. Model", "", Kind::Text, true);
        grid_->addItem(sampling, kInterval, "1. Interval", " 1-240 seconds.", Kind::Number, false);
        grid_->addItem(sampling, kCount, "2. Count", "", Kind::Number, true);
        grid_->resize(300, 400);
        grid_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(grid_.get()));
    }

    QTreeWidget* tree() const { return grid_->findChild<QTreeWidget*>("propertyItems"); }
    // Where the value of item `id` is drawn, in the tree's viewport.
    QPoint valuePoint(int id) const {
        QTreeWidget* items = tree();
        for (int c = 0; c < items->topLevelItemCount(); ++c) {
            QTreeWidgetItem* category = items->topLevelItem(c);
            for (int i = 0; i < category->childCount(); ++i) {
                QTreeWidgetItem* item = category->child(i);
                if (item->data(0, Qt::UserRole).toInt() == id) {
                    return items->visualItemRect(item).center() +
                           QPoint(items->viewport()->width() / 4, 0);
                }
            }
        }
        return {};
    }
    // Types `text` into item `id`'s editor as the user does and ends with Enter.
    void type(int id, const QString& text) {
        QLineEdit* editor = grid_->editItem(id);
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
    }

    std::unique_ptr<CPropertyGrid> grid_;
};

TEST_F(PropertyGridTest, CategoriesHoldTheirItemsInOrderAndStartExpanded) {
    ASSERT_EQ(grid_->categoryCount(), 2);
    EXPECT_EQ(grid_->categoryCaption(0), "A.System");
    EXPECT_EQ(grid_->categoryCaption(1), "B.Sampling");
    EXPECT_TRUE(grid_->categoryExpanded(0));
    EXPECT_TRUE(grid_->categoryExpanded(1));
    EXPECT_THAT(grid_->categoryItems(0), ElementsAre(kName, kModel));
    EXPECT_THAT(grid_->categoryItems(1), ElementsAre(kInterval, kCount));
    EXPECT_EQ(grid_->itemCaption(kInterval), "1. Interval");
    EXPECT_EQ(grid_->itemDescription(kInterval), " 1-240 seconds.");
    EXPECT_EQ(grid_->itemKind(kInterval), Kind::Number);
    EXPECT_EQ(grid_->itemKind(kName), Kind::Text);
    EXPECT_FALSE(grid_->itemReadOnly(kName));
    EXPECT_TRUE(grid_->itemReadOnly(kModel));
    EXPECT_FALSE(grid_->hasItem(99));
}

TEST_F(PropertyGridTest, NewTextItemsAreEmptyAndNewNumberItemsHoldZero) {
    EXPECT_EQ(grid_->itemText(kName), "");
    EXPECT_EQ(grid_->itemText(kModel), "");
    EXPECT_EQ(grid_->itemText(kInterval), "0");
    EXPECT_EQ(grid_->itemText(kCount), "0");
}

TEST_F(PropertyGridTest, AnEditTellsItsItemAndText) {
    QSignalSpy changed(grid_.get(), &CPropertyGrid::itemValueChanged);
    type(kName, "Cold room");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toInt(), kName);
    EXPECT_EQ(changed[0][1].toString(), "Cold room");
    EXPECT_EQ(grid_->itemText(kName), "Cold room");
    EXPECT_EQ(grid_->openEditor(), nullptr);

    // The same text again is no change.
    type(kName, "Cold room");
    EXPECT_EQ(changed.count(), 1);
}

TEST_F(PropertyGridTest, SettingATextTellsNothing) {
    QSignalSpy changed(grid_.get(), &CPropertyGrid::itemValueChanged);
    grid_->setItemText(kName, "From the logger");
    grid_->setItemText(kInterval, "60");
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(grid_->itemText(kName), "From the logger");
    EXPECT_EQ(grid_->itemText(kInterval), "60");
}

TEST_F(PropertyGridTest, EscapeDropsTheEdit) {
    QSignalSpy changed(grid_.get(), &CPropertyGrid::itemValueChanged);
    QLineEdit* editor = grid_->editItem(kName);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "typed");
    QTest::keyClick(editor, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(grid_->itemText(kName), "");
}

TEST_F(PropertyGridTest, ANumberItemTakesOnlyASignAndDigits) {
    QSignalSpy changed(grid_.get(), &CPropertyGrid::itemValueChanged);
    type(kInterval, "-1a2.3");
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][1].toString(), "-123");
}

TEST_F(PropertyGridTest, AReadOnlyItemOpensNoEditor) {
    EXPECT_EQ(grid_->editItem(kModel), nullptr);
    EXPECT_EQ(grid_->editItem(kCount), nullptr);
    QTest::mouseDClick(tree()->viewport(), Qt::LeftButton, {}, valuePoint(kModel));
    EXPECT_EQ(grid_->openEditor(), nullptr);
}

TEST_F(PropertyGridTest, AClickOnAValueOpensItsEditor) {
    QSignalSpy changed(grid_.get(), &CPropertyGrid::itemValueChanged);
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, valuePoint(kInterval));
    QLineEdit* editor = grid_->openEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(grid_->selectedItem(), kInterval);
    editor->selectAll();
    QTest::keyClicks(editor, "45");
    // Clicking another item takes what was typed.
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, valuePoint(kModel));
    QApplication::processEvents();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][1].toString(), "45");
    EXPECT_EQ(grid_->selectedItem(), kModel);
}

TEST_F(PropertyGridTest, TheDescriptionAreaShowsTheSelectedItem) {
    grid_->selectItem(kInterval);
    EXPECT_EQ(grid_->selectedItem(), kInterval);
    EXPECT_EQ(grid_->descriptionCaption(), "1. Interval");
    EXPECT_EQ(grid_->descriptionText(), " 1-240 seconds.");
    grid_->selectItem(kName);
    EXPECT_EQ(grid_->descriptionCaption(), "1. Name");
    EXPECT_EQ(grid_->descriptionText(), "");
}

TEST_F(PropertyGridTest, ANoteShowsUntilTheUserActsInTheItemsAgain) {
    grid_->selectItem(kInterval);
    grid_->setDescriptionNote(kInterval, "Not stored.");
    EXPECT_EQ(grid_->descriptionNote(), "Not stored.");
    EXPECT_EQ(grid_->descriptionText(), " 1-240 seconds.");
    // Seen from another item, the note names its own.
    grid_->setDescriptionNote(kName, "Cut.");
    EXPECT_EQ(grid_->descriptionNote(), "1. Name: Cut.");
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, valuePoint(kModel));
    EXPECT_EQ(grid_->descriptionNote(), "");
    grid_->setDescriptionNote(kModel, "Gone with an empty note.");
    grid_->setDescriptionNote(kModel, "");
    EXPECT_EQ(grid_->descriptionNote(), "");
}

TEST_F(PropertyGridTest, TheDescriptionAreaTakesTheHeightGiven) {
    auto* area = grid_->findChild<QWidget*>("propertyDescription");
    ASSERT_NE(area, nullptr);
    grid_->setDescriptionHeight(80);
    EXPECT_EQ(grid_->descriptionHeight(), 80);
    EXPECT_EQ(area->geometry(), QRect(0, 400 - 80, 300, 80));
    EXPECT_LE(tree()->geometry().bottom(), 400 - 80);
    grid_->resize(250, 300);
    EXPECT_EQ(area->geometry(), QRect(0, 300 - 80, 250, 80));
}

TEST_F(PropertyGridTest, TheFocusGoesToTheItems) {
    grid_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(grid_.get()));
    grid_->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), tree());
}

}  // namespace
