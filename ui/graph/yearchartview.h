#pragma once
// YearChartView: the chart of rise and set times that the year graph fills
// and the print preview lays out on a page. It lives in the picture window,
// hidden; the graph is only ever seen in the preview or in a saved file.
//
// RiseLine and SetLine are the rise and set lines (red and green, 2 pixels,
// titled "Sunrise" and "Sunset", or "Moonrise" and "Moonset"); RiseMark and SetMark the
// shown date's rise and set (yellow and light yellow circles with their clock
// times, not in the legend). A line is broken where days have no point, so a
// polar night or a run of late sunsets shows as a gap rather than as a
// straight line across it: the pieces after a gap are further series of the
// same look, kept out of the legend. A line that jumps across midnight from
// one day to the next (the moon rising at 23:50, then at 00:20) is broken too.
//
// A sun graph loaded with twilight bands can shade them behind the lines and
// the grid: night, astronomical, nautical and civil twilight, and day, from
// dark blue to pale yellow, over a time axis of the whole day, each band
// named in the legend after the two lines. A moon graph loaded with its
// principal phases can mark each at its clock time with a small disc, its
// quarters lit on the side the place sees lit, and its name. Without bands or
// phases shown the chart draws exactly what it draws without them. A sun
// graph loaded with its blue and golden hours can shade them too, over the
// twilight bands and under the grid and the lines: the blue hour in a deep
// blue and the golden hour in amber, both of which stand out from the pale
// and the dark bands and from the white page, each named in the legend.
// Its curves beside the lines (the visible rise and set, dashed in the lines'
// red and green, and the user's own events, each in a colour of its own,
// dotted) are drawn and named in the legend after the shades; the light's
// switch shows and hides them with the blue and golden hours.
#include <QChartView>
#include <QList>
#include <QStringList>

#include "present/graph.h"

class QCategoryAxis;
class QAbstractSeries;
class QChart;
class QGraphicsItem;
class QLineSeries;
class QPainter;
class QScatterSeries;

namespace dawn {

class YearChartView : public QChartView {
    Q_OBJECT
public:
    explicit YearChartView(QWidget* parent = nullptr);

    // Clears every point and title line and draws `data`.
    void Load(const GraphData& data);

    // Whether the loaded data has twilight bands, and whether they are shown
    // (they are, right after loading data that has them).
    bool HasBands() const { return !data_.bands.empty(); }
    bool BandsShown() const { return bandsShown_; }
    void ShowBands(bool shown);
    // The same for the blue and golden hours (shown right after loading).
    bool HasLight() const { return !data_.light.empty(); }
    bool LightShown() const { return lightShown_; }
    void ShowLight(bool shown);
    // The curves beside the lines (shown right after loading).
    bool HasCurves() const { return !data_.curves.empty(); }
    bool CurvesShown() const { return curvesShown_; }
    // Every piece of every curve, in the order of the data's curves.
    QList<QLineSeries*> CurveSegments() const { return curveSeries_; }
    bool HasPhases() const { return !data_.phases.empty(); }
    bool PhasesShown() const { return phasesShown_; }
    void ShowPhases(bool shown);

    QStringList TitleLines() const { return titleLines_; }
    // The names the legend shows, in its order, as the reader sees them.
    QStringList LegendNames() const;
    // Every piece of the rise (or set) line, RiseLine (SetLine) first.
    QList<QLineSeries*> RiseSegments() const { return riseSegments_; }
    QList<QLineSeries*> SetSegments() const { return setSegments_; }
    // Points over all pieces of a line.
    static qsizetype PointCount(const QList<QLineSeries*>& segments);

    // Draws the chart laid out for `target` (in the painter's coordinates),
    // as on a printed page or in a picture file. A light drawing leaves out
    // the grid lines, major and minor, and keeps the lines, marks and labels.
    void RenderTo(QPainter& painter, const QRectF& target, bool light = false);

    QChart* Chart = nullptr;
    QLineSeries* RiseLine = nullptr;
    QLineSeries* SetLine = nullptr;
    QScatterSeries* RiseMark = nullptr;
    QScatterSeries* SetMark = nullptr;
    QCategoryAxis* BottomAxis = nullptr;
    QCategoryAxis* LeftAxis = nullptr;

private:
    QLineSeries* AddSegment(QList<QLineSeries*>& segments, const QColor& color,
                            const QString& name);
    void FillLine(QList<QLineSeries*>& segments, const std::vector<GraphPoint>& points,
                  const QColor& color, const QString& name);
    void SetTimeAxis(const GraphData& data);
    void SetDateAxis(const GraphData& data);
    // The bands' legend entries, there while the bands are shown.
    void SetBandKeys();
    // Every legend key of a shade: the bands' while they are shown, then the
    // light's while it is shown; then the curves while they are shown.
    void SetShadeKeys();
    void SetCurves();

    GraphData data_;
    bool bandsShown_ = false;
    QGraphicsItem* bandsItem_ = nullptr;
    QList<QAbstractSeries*> bandKeys_;
    bool lightShown_ = false;
    QGraphicsItem* lightItem_ = nullptr;
    bool curvesShown_ = false;
    QList<QLineSeries*> curveSeries_;
    bool phasesShown_ = false;
    QGraphicsItem* phasesItem_ = nullptr;
    QStringList titleLines_;
    QList<QLineSeries*> riseSegments_;
    QList<QLineSeries*> setSegments_;
};

}  // namespace dawn
