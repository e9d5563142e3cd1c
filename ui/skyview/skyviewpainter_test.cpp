// The sky view drawn in a window of 400 pixels and on an A4 page, in German
// and in French: every text inside the drawing and whole in its place, none
// over another.
#include "ui/skyview/skyviewpainter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetricsF>
#include <QImage>
#include <sstream>
#include <string>
#include <vector>

#include "core/settings.h"
#include "i18n/labels.h"

namespace dawn {
namespace {

CurrentLabels LabelsOf(int languageIndex) {
    std::vector<std::string> lines;
    std::istringstream in{std::string(BuiltInLabelFile())};
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return ApplyLanguage(ParseLabelLines(lines).table, languageIndex, WeekdayNames{});
}

TEST(SkyViewPainter, NothingCutNorOverlappingAt400PixelsAndOnA4) {
    // Columns: 3 French, 4 German. A date of long summer paths far north, and
    // one of short winter paths in the south.
    SiteSettings north = DefaultSettings("/app", 2024);
    north.LatitudeMinutes = 3900;
    SiteSettings south = north;
    south.LatitudeMinutes = -2040;
    const QSizeF a4(2244, 3271);  // A4 at 300 dpi less 10 mm margins
    for (const int language : {3, 4}) {
        const CurrentLabels labels = LabelsOf(language);
        ASSERT_FALSE(labels[label::kSkyViewTitle].empty());
        for (const SiteSettings& s : {north, south}) {
            const SkyView view = BuildSkyView(s, labels, DayNumber::FromYmd(2024, 6, 21),
                                              "21.06.2024", std::nullopt);
            for (const QSizeF size : {QSizeF(400, 400), QSizeF(400, 560), QSizeF(640, 400), a4}) {
                const QRectF area(QPointF(0, 0), size);
                const SkyViewLayout layout = LayOutSkyView(area, view, QApplication::font());
                ASSERT_GE(layout.texts.size(), 9u);
                for (std::size_t i = 0; i < layout.texts.size(); ++i) {
                    const SkyViewText& t = layout.texts[i];
                    const QFontMetricsF metrics(t.font);
                    EXPECT_TRUE(area.contains(t.rect))
                        << t.text.toStdString() << " " << size.width();
                    EXPECT_LE(metrics.horizontalAdvance(t.text), t.rect.width() + 0.5)
                        << t.text.toStdString();
                    EXPECT_LE(metrics.height(), t.rect.height() + 0.5) << t.text.toStdString();
                    EXPECT_GE(t.font.pixelSize(), 7) << t.text.toStdString();
                    // The title, the legend and the compass keep clear of one
                    // another (the hours sit on the paths).
                    for (std::size_t j = i + 1; j < layout.texts.size() && i < 9; ++j) {
                        if (j >= 9) break;
                        EXPECT_FALSE(t.rect.intersects(layout.texts[j].rect))
                            << t.text.toStdString() << " / " << layout.texts[j].text.toStdString();
                    }
                }
                // The diagram stays between the title and the legend.
                EXPECT_GT(layout.centre.y() - layout.lowestRadius, layout.texts[0].rect.bottom());
                EXPECT_LT(layout.centre.y() + layout.lowestRadius, layout.texts[1].rect.top());
            }
        }
    }
}

TEST(SkyViewPainter, PictureAndPage) {
    const SkyView view = BuildSkyView(DefaultSettings("/app", 2024), LabelsOf(3),
                                      DayNumber::FromYmd(2024, 3, 20), "20/03/2024", std::nullopt);
    const QByteArray png = SkyViewPngBytes(view, QApplication::font(), QSize(400, 400));
    QImage image;
    ASSERT_TRUE(image.loadFromData(png, "PNG"));
    EXPECT_EQ(image.size(), QSize(400, 400));
    // The sun's path is drawn: some pixels carry its colours.
    int coloured = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.blue() < 80) ++coloured;
        }
    EXPECT_GT(coloured, 200);
    EXPECT_TRUE(SkyViewPdfBytes(view, QApplication::font()).startsWith("%PDF"));
}

// A horizon profile's land is drawn from its skyline down: a point under a
// 20° hill in the east is land, the same point over the flat horizon is sky,
// and so is a point beside the hill (both clear of the grid's lines).
TEST(SkyViewPainter, LandOfTheHorizonProfile) {
    const SiteSettings s = DefaultSettings("/app", 2024);
    const DayNumber date = DayNumber::FromYmd(2024, 12, 21);
    const std::vector<HorizonPoint> hill = {{60, 0}, {90, 20}, {120, 0}};
    const SkyView flat = BuildSkyView(s, LabelsOf(1), date, "21/12/2024", std::nullopt);
    const SkyView hilly = BuildSkyView(s, LabelsOf(1), date, "21/12/2024", std::nullopt, hill);
    const QSize size(400, 400);
    const SkyViewLayout layout =
        LayOutSkyView(QRectF(QPointF(0, 0), size), hilly, QApplication::font());
    const QPoint underHill = layout.PointOf({8, 80}).toPoint();
    const QPoint besideHill = layout.PointOf({8, 30}).toPoint();
    QImage withHill, without;
    ASSERT_TRUE(withHill.loadFromData(SkyViewPngBytes(hilly, QApplication::font(), size), "PNG"));
    ASSERT_TRUE(without.loadFromData(SkyViewPngBytes(flat, QApplication::font(), size), "PNG"));
    EXPECT_EQ(without.pixelColor(underHill), QColor(Qt::white));
    const QColor land = withHill.pixelColor(underHill);
    EXPECT_NE(land, QColor(Qt::white));
    EXPECT_GT(land.red(), land.blue());  // earth, not the bluish ring below the horizon
    EXPECT_EQ(withHill.pixelColor(besideHill), QColor(Qt::white));
}

}  // namespace
}  // namespace dawn
