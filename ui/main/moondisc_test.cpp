#include "ui/main/moondisc.h"

#include <gtest/gtest.h>

#include <QImage>

namespace dawn {
namespace {

bool Lit(const QImage& image, double x, double y) {
    const QColor c =
        image.pixelColor(static_cast<int>(x * image.width()), static_cast<int>(y * image.height()));
    return c.lightness() > 150;
}

// The lit part lies on the side the place sees lit (a waxing moon right in
// the north, left in the south), grows with the fraction, and a crescent
// leaves the middle dark while a gibbous moon lights it.
TEST(MoonDisc, LitPartOnTheSeenSide) {
    const struct {
        double fraction;
        LitSide side;
        bool left, middle, right;  // at a quarter, half and three quarters across
    } cases[] = {
        {0.0, LitSide::Right, false, false, false}, {0.25, LitSide::Right, false, false, true},
        {0.25, LitSide::Left, true, false, false},  {0.75, LitSide::Right, false, true, true},
        {0.75, LitSide::Left, true, true, false},   {1.0, LitSide::Left, true, true, true},
    };
    for (const auto& c : cases) {
        const QImage image = MoonDiscPicture(40, c.fraction, c.side).toImage();
        ASSERT_EQ(image.size(), QSize(40, 40));
        EXPECT_EQ(Lit(image, 0.2, 0.5), c.left) << c.fraction << " " << int(c.side);
        EXPECT_EQ(Lit(image, 0.5, 0.5), c.middle) << c.fraction << " " << int(c.side);
        EXPECT_EQ(Lit(image, 0.8, 0.5), c.right) << c.fraction << " " << int(c.side);
        EXPECT_FALSE(Lit(image, 0.02, 0.02));  // outside the disc: transparent
    }
}

}  // namespace
}  // namespace dawn
