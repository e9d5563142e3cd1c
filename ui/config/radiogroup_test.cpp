#include "ui/config/radiogroup.h"

#include <gtest/gtest.h>

#include <QRadioButton>
#include <QSignalSpy>

namespace dawn {
namespace {

TEST(RadioGroupTest, ProgramAndUserSelectionsSignalOnlyChanges) {
    RadioGroup group(QStringLiteral("Weekend"), 2);
    group.setItems({"1", "2", "3", "4", "5"});
    EXPECT_EQ(group.itemIndex(), -1);
    QSignalSpy spy(&group, &RadioGroup::itemIndexChanged);

    group.setItemIndex(2);
    group.setItemIndex(2);  // equal: nothing
    group.button(4)->click();
    group.setItemIndex(9);  // beyond the items: the last one, already selected
    group.setItemIndex(-1);
    ASSERT_EQ(spy.count(), 3);
    EXPECT_EQ(spy[0][0].toInt(), 2);
    EXPECT_EQ(spy[1][0].toInt(), 4);
    EXPECT_EQ(spy[2][0].toInt(), -1);
    for (int i = 0; i < group.count(); ++i) EXPECT_FALSE(group.button(i)->isChecked());
}

TEST(RadioGroupTest, ItemsComeAndGoWithoutChangingTheChoice) {
    RadioGroup group(QStringLiteral("Weekend"), 2);
    group.setItems({"1", "2", "3", "4", "5"});
    group.setItemIndex(4);
    QSignalSpy spy(&group, &RadioGroup::itemIndexChanged);

    // The selected last item goes: the new last one is selected, silently.
    group.removeItem(4);
    EXPECT_EQ(group.count(), 4);
    EXPECT_EQ(group.itemIndex(), 3);
    EXPECT_TRUE(group.button(3)->isChecked());
    // An item before the selection keeps the same item selected.
    group.insertItem(0, "0");
    EXPECT_EQ(group.itemIndex(), 4);
    EXPECT_EQ(group.itemText(4), "4");
    group.removeItem(0);
    group.addItem("5");
    EXPECT_EQ(group.itemIndex(), 3);
    EXPECT_EQ(group.items(), (QStringList{"1", "2", "3", "4", "5"}));
    EXPECT_TRUE(group.button(3)->isChecked());
    EXPECT_EQ(spy.count(), 0);

    // The new buttons work like the old ones.
    group.button(4)->click();
    EXPECT_EQ(group.itemIndex(), 4);
    EXPECT_EQ(spy.count(), 1);
}

}  // namespace
}  // namespace dawn
