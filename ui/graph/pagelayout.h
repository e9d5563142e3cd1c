#pragma once
// Where the chart goes on a printed page: the page's printable area less the
// user's margins, in percent of the area's width (left and right) and height
// (top and bottom), and then either all of what is left or the largest
// rectangle of the chart's own shape centred in it. Plain numbers, no Qt.
namespace dawn {

struct PageRect {
    double x = 0;
    double y = 0;
    double width = 0;
    double height = 0;
    bool operator==(const PageRect&) const = default;
};

// The margins a user can set, in percent on each side.
inline constexpr double kMaxMarginPercent = 40;

// The chart's shape (width over height) when it keeps its proportions: that
// of the saved PNG picture.
inline constexpr double kChartAspect = 1.6;

// The chart's rectangle on a `pageWidth` x `pageHeight` area. Margins are
// clamped to 0..kMaxMarginPercent (anything else, NaN included, counts as
// 0 or the maximum), so something always remains for the chart; an empty
// or negative area gives an empty rectangle.
PageRect ChartRectOnPage(double pageWidth, double pageHeight, double marginPercent,
                         bool keepProportions, double aspect = kChartAspect);

}  // namespace dawn
