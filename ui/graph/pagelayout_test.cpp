#include "ui/graph/pagelayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace dawn {
namespace {

TEST(ChartRectOnPage, MarginsAndProportions) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double width, height, margin;
        bool keep;
        PageRect want;
    };
    const Case cases[] = {
        // No margins, filling: the whole area, as the page was always drawn.
        {1000, 500, 0, false, {0, 0, 1000, 500}},
        {1000, 500, 10, false, {100, 50, 800, 400}},
        // Keeping the shape 1.6: a wide area centres the chart across...
        {1000, 500, 0, true, {100, 0, 800, 500}},
        // ...a tall one centres it down the page, margins first.
        {1000, 1000, 10, true, {100, 250, 800, 500}},
        {1600, 1000, 0, true, {0, 0, 1600, 1000}},
        // Margins beyond the range or not a number are clamped.
        {1000, 500, -5, false, {0, 0, 1000, 500}},
        {1000, 500, 90, false, {400, 200, 200, 100}},
        {1000, 500, nan, false, {0, 0, 1000, 500}},
        // No area, no chart.
        {0, 500, 10, true, {}},
        {1000, -1, 10, false, {}},
        {nan, 500, 10, false, {}},
    };
    for (const Case& c : cases) {
        const PageRect got = ChartRectOnPage(c.width, c.height, c.margin, c.keep);
        EXPECT_EQ(got, c.want) << c.width << "x" << c.height << " margin " << c.margin << " keep "
                               << c.keep << " -> " << got.x << "," << got.y << " " << got.width
                               << "x" << got.height;
    }
}

}  // namespace
}  // namespace dawn
