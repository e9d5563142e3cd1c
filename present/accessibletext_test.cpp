#include "present/accessibletext.h"

#include <gtest/gtest.h>

namespace dawn {
namespace {

CurrentLabels English() {
    CurrentLabels labels;
    labels.texts[label::kChangeEarlier] = "{change} earlier than the day before";
    labels.texts[label::kChangeLater] = "{change} later than the day before";
    labels.texts[label::kChangeLonger] = "{change} longer than the day before";
    labels.texts[label::kChangeShorter] = "{change} shorter than the day before";
    return labels;
}

TEST(AccessibleRowText, NamesTheRowAndSaysItsChangeInWords) {
    const struct {
        RowView row;
        Row which;
        AccessibleText expected;
    } cases[] = {
        {{"Sunrise    :", "08:30", "", "+", "00:01"},
         Row::Rise,
         {"Sunrise 08:30", "00:01 earlier than the day before"}},
        {{"Sunrise    :", "08:31", "", "-", "00:01"},
         Row::Rise,
         {"Sunrise 08:31", "00:01 later than the day before"}},
        {{"Sunset     :", "21:40", "", "+", "00:02"},
         Row::Set,
         {"Sunset 21:40", "00:02 later than the day before"}},
        {{"Sunset     :", "21:38", "", "-", "00:02"},
         Row::Set,
         {"Sunset 21:38", "00:02 earlier than the day before"}},
        {{"Day length :", "16:10", "", "+", "00:03"},
         Row::Length,
         {"Day length 16:10", "00:03 longer than the day before"}},
        {{"Moonlight  :", "10:00", "", "-", "00:40"},
         Row::Length,
         {"Moonlight 10:00", "00:40 shorter than the day before"}},
        // No change, a missing event and a status message say no change.
        {{"Sunrise    :", "08:30", "", "+", "00:00"}, Row::Rise, {"Sunrise 08:30", ""}},
        {{"Moonrise   :", "--:--", "", "+", "--:--"}, Row::Rise, {"Moonrise", ""}},
        {{"Polar night", "00:00", "", "+", "--:--"}, Row::Length, {"Polar night 00:00", ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row.caption + " " + c.row.value);
        EXPECT_EQ(AccessibleRowText(c.row, c.which, English(), "--:--"), c.expected);
    }
}

}  // namespace
}  // namespace dawn
