// The finder's dialog: its fields make the query, its list holds what the
// finder finds on the user's clock, and a click says which date to show.
#include "ui/alignment/alignmentdialog.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>

#include "ui/common/qtlocale.h"

namespace dawn {
namespace {

TEST(AlignmentDialog, FindsListsAndChoosesADate) {
    CurrentLabels labels;
    labels.texts[label::kAlignmentsNone] = "No date found";
    const SiteSettings s = DefaultSettings("/app", 2024);
    AlignmentDialog dialog(s, labels, LocaleFormats{}, DayNumber::FromYmd(2024, 1, 1));
    EXPECT_FALSE(dialog.LeastLitBox()->isEnabled());
    dialog.BodyBox()->setCurrentIndex(1);
    EXPECT_TRUE(dialog.LeastLitBox()->isEnabled());
    dialog.EventBox()->setCurrentIndex(1);
    dialog.AzimuthBox()->setValue(270);
    dialog.ToleranceBox()->setValue(8);
    dialog.LeastLitBox()->setValue(50);
    dialog.ToBox()->setDate(QDate(2024, 6, 30));
    const AlignmentQuery q = dialog.Query();
    EXPECT_EQ(q.body, Body::Moon);
    EXPECT_EQ(q.event, EventKind::Set);
    EXPECT_EQ(q.minLitPercent, 50.0);
    dialog.FindButton()->click();

    std::vector<Alignment> expected;
    ForEachAlignment(s, q, DayNumber::FromYmd(2024, 1, 1), DayNumber::FromYmd(2024, 6, 30),
                     AlignmentDays::Clock, [&](const Alignment& a) {
                         expected.push_back(a);
                         return true;
                     });
    ASSERT_FALSE(expected.empty());
    ASSERT_EQ(dialog.Results()->count(), static_cast<int>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(dialog.Results()->item(static_cast<int>(i))->text().toStdString(),
                  AlignmentText(expected[i], LocaleFormats{}));

    QSignalSpy chosen(&dialog, &AlignmentDialog::dateChosen);
    emit dialog.Results()->itemClicked(dialog.Results()->item(1));
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).value<DayNumber>(), expected[1].date);

    // Nothing found: one line that says so, which chooses nothing.
    dialog.ToleranceBox()->setValue(0);
    dialog.AzimuthBox()->setValue(0);
    dialog.FindButton()->click();
    ASSERT_EQ(dialog.Results()->count(), 1);
    EXPECT_EQ(dialog.Results()->item(0)->text(), QStringLiteral("No date found"));
    emit dialog.Results()->itemClicked(dialog.Results()->item(0));
    EXPECT_EQ(chosen.count(), 1);
}

}  // namespace
}  // namespace dawn
