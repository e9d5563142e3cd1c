#include "ui/graph/yearchartview.h"

#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QScatterSeries>
#include <QTextDocumentFragment>
#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <vector>

#include "ui/graph/titlelayout.h"

namespace dawn {
namespace {

const QColor kRiseColor(255, 0, 0);
const QColor kSetColor(0, 128, 0);
const QColor kShownRiseColor(255, 255, 0);
const QColor kShownSetColor(255, 255, 128);  // 8454143
const QColor kTitleColor(0, 0, 255);

// The width at which the chart is laid out for a page or a picture: the
// fonts then have the size they have on screen.
constexpr qreal kLayoutWidth = 1100;

QString TwoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The title's lines are fitted to the laid-out width less the chart's own
// margins around its title.
constexpr qreal kTitleWidth = kLayoutWidth - 40;

void HideFromLegend(QChart* chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart->legend()->markers(series)) marker->setVisible(false);
}

QScatterSeries* MakeMark(const QColor& color, const QString& name) {
    auto* s = new QScatterSeries;
    s->setName(name);
    s->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    s->setMarkerSize(6);
    s->setColor(color);
    // A thin darker rim keeps the pale circle visible on the white page.
    s->setBorderColor(color.darker(160));
    s->setPen(QPen(color.darker(160), 1, Qt::DotLine));
    s->setPointLabelsVisible(true);
    s->setPointLabelsClipping(false);
    return s;
}

// Night, then the spans above each band limit, darkest first.
const QColor kBandColors[kBandCount] = {
    QColor(38, 48, 88),     // night
    QColor(72, 88, 140),    // astronomical twilight
    QColor(112, 132, 184),  // nautical twilight
    QColor(168, 188, 224),  // civil twilight
    QColor(255, 250, 222),  // day
};
const QColor& AboveColor(std::size_t limit) {
    return kBandColors[limit + 1];
}

// The longest a band's name is drawn in the legend, in pixels at the laid-out
// width; a longer one ends in an ellipsis.
constexpr qreal kBandNameWidth = 160;

// The twilight bands, painted over the plot area's background and under the
// grid and the lines. Each day is a column one day wide.
class BandsItem : public QGraphicsItem {
public:
    BandsItem(QChart* chart, const std::vector<GraphBandDay>& bands)
        : QGraphicsItem(chart), chart_(chart), bands_(bands) {
        // Above the plot area, below the shades, the grid and the series.
        setZValue(0.5);
    }
    // The plot area moves with every layout; the item paints only inside it.
    QRectF boundingRect() const override { return QRectF(-1e5, -1e5, 2e5, 2e5); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        const QRectF area = chart_->plotArea();
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(Qt::NoPen);
        painter->setClipRect(area);
        painter->fillRect(area, kBandColors[0]);
        for (const GraphBandDay& day : bands_) {
            const qreal x = day.day.Value();
            for (std::size_t limit = 0; limit < kBandLimitCount; ++limit) {
                for (const ClockSpan& span : day.above[limit]) {
                    const QPointF a = chart_->mapToPosition(
                        QPointF(x - 0.5, static_cast<qreal>(span.from.count())));
                    const QPointF b = chart_->mapToPosition(
                        QPointF(x + 0.5, static_cast<qreal>(span.to.count())));
                    painter->fillRect(QRectF(a, b).normalized(), AboveColor(limit));
                }
            }
        }
        painter->restore();
    }

private:
    QChart* chart_;
    const std::vector<GraphBandDay>& bands_;
};

// The blue and golden hours: a deep blue and an amber that stand out from
// the pale day and civil twilight, from the dark night bands and from the
// white page alike.
const QColor kBlueHourColor(36, 84, 204);
const QColor kGoldenHourColor(232, 152, 24);

// The blue and golden hours, painted over the twilight bands and under the
// grid and the lines, one column a day.
class LightItem : public QGraphicsItem {
public:
    LightItem(QChart* chart, const std::vector<GraphLightDay>& light)
        : QGraphicsItem(chart), chart_(chart), light_(light) {
        setZValue(0.6);
    }
    QRectF boundingRect() const override { return QRectF(-1e5, -1e5, 2e5, 2e5); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->setPen(Qt::NoPen);
        painter->setClipRect(chart_->plotArea());
        for (const GraphLightDay& day : light_) {
            const qreal x = day.day.Value();
            for (const auto& [spans, color] :
                 {std::pair{&day.blue, kBlueHourColor}, std::pair{&day.golden, kGoldenHourColor}}) {
                for (const ClockSpan& span : *spans) {
                    const QPointF a = chart_->mapToPosition(
                        QPointF(x - 0.5, static_cast<qreal>(span.from.count())));
                    const QPointF b = chart_->mapToPosition(
                        QPointF(x + 0.5, static_cast<qreal>(span.to.count())));
                    painter->fillRect(QRectF(a, b).normalized(), color);
                }
            }
        }
        painter->restore();
    }

private:
    QChart* chart_;
    const std::vector<GraphLightDay>& light_;
};

// The user's own events' curves, one colour each, none of them the lines'
// red and green or the shades' blue and amber.
const QColor kOwnEventColors[] = {
    QColor(128, 0, 160), QColor(0, 128, 160), QColor(160, 82, 45),
    QColor(200, 0, 120), QColor(96, 96, 0),   QColor(0, 0, 128),
};

// The principal phases: a small disc, dark for new moon, light for full moon
// and half lit for the quarters on the side the place sees lit, with the
// phase's name beside it.
class PhasesItem : public QGraphicsItem {
public:
    PhasesItem(QChart* chart, const std::vector<GraphPhaseMark>& marks)
        : QGraphicsItem(chart), chart_(chart), marks_(marks) {
        setZValue(100);  // over the lines
    }
    QRectF boundingRect() const override { return QRectF(-1e5, -1e5, 2e5, 2e5); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) override {
        const QColor dark(40, 40, 60);
        const QColor light(255, 240, 160);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(8);
        painter->setFont(font);
        for (const GraphPhaseMark& m : marks_) {
            const QPointF c = chart_->mapToPosition(
                QPointF(m.point.day.Value(), static_cast<qreal>(m.point.time.count())));
            const QRectF disc(c.x() - 6, c.y() - 6, 12, 12);
            painter->setPen(QPen(dark, 1));
            painter->setBrush(m.phase == PrincipalPhase::NewMoon ? dark : light);
            painter->drawEllipse(disc);
            if (m.phase == PrincipalPhase::FirstQuarter || m.phase == PrincipalPhase::LastQuarter) {
                // The dark half: the left one of a moon lit on the right.
                painter->setBrush(dark);
                painter->drawChord(disc, m.litSide == LitSide::Right ? 90 * 16 : -90 * 16,
                                   180 * 16);
            }
            painter->setPen(dark);
            painter->drawText(QPointF(c.x() + 9, c.y() + 4), PhaseText(m.phase));
        }
        painter->restore();
    }

private:
    static QString PhaseText(PrincipalPhase p) {
        switch (p) {
            case PrincipalPhase::NewMoon:
                return QStringLiteral("New moon");
            case PrincipalPhase::FirstQuarter:
                return QStringLiteral("First quarter");
            case PrincipalPhase::FullMoon:
                return QStringLiteral("Full moon");
            case PrincipalPhase::LastQuarter:
                return QStringLiteral("Last quarter");
        }
        return {};
    }

    QChart* chart_;
    const std::vector<GraphPhaseMark>& marks_;
};

}  // namespace

YearChartView::YearChartView(QWidget* parent) : QChartView(parent) {
    Chart = new QChart;
    Chart->setMargins(QMargins());
    Chart->setBackgroundRoundness(0);
    Chart->setTitle(QStringLiteral("Dawnhelm"));
    titleLines_ = QStringList{QStringLiteral("Dawnhelm")};
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPointSize(10);
    Chart->setTitleFont(titleFont);
    Chart->setTitleBrush(kTitleColor);
    Chart->legend()->setAlignment(Qt::AlignBottom);
    setChart(Chart);
    setRenderHint(QPainter::Antialiasing);
    setDragMode(QGraphicsView::NoDrag);

    BottomAxis = new QCategoryAxis;
    BottomAxis->setTitleText(QStringLiteral("date"));
    BottomAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    BottomAxis->setLabelsAngle(-90);
    LeftAxis = new QCategoryAxis;
    LeftAxis->setTitleText(QStringLiteral("time"));
    LeftAxis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const QPen grid(QColor(128, 128, 128), 1, Qt::DotLine);
    for (QCategoryAxis* axis : {BottomAxis, LeftAxis}) {
        axis->setGridLinePen(grid);
        axis->setMinorGridLineVisible(true);
        axis->setMinorGridLinePen(grid);
    }
    Chart->addAxis(BottomAxis, Qt::AlignBottom);
    Chart->addAxis(LeftAxis, Qt::AlignLeft);

    RiseLine = AddSegment(riseSegments_, kRiseColor, QStringLiteral("Sunrise"));
    SetLine = AddSegment(setSegments_, kSetColor, QStringLiteral("Sunset"));
    RiseMark = MakeMark(kShownRiseColor, QStringLiteral("todaysunrise"));
    SetMark = MakeMark(kShownSetColor, QStringLiteral("todaysunset"));
    for (QScatterSeries* s : {RiseMark, SetMark}) {
        Chart->addSeries(s);
        s->attachAxis(BottomAxis);
        s->attachAxis(LeftAxis);
        HideFromLegend(Chart, s);
    }
    bandsItem_ = new BandsItem(Chart, data_.bands);
    bandsItem_->setVisible(false);
    lightItem_ = new LightItem(Chart, data_.light);
    lightItem_->setVisible(false);
    phasesItem_ = new PhasesItem(Chart, data_.phases);
    phasesItem_->setVisible(false);
}

void YearChartView::ShowPhases(bool shown) {
    phasesShown_ = shown && HasPhases();
    phasesItem_->setVisible(phasesShown_);
    SetTimeAxis(data_);
}

void YearChartView::ShowBands(bool shown) {
    bandsShown_ = shown && HasBands();
    bandsItem_->setVisible(bandsShown_);
    SetShadeKeys();
    SetTimeAxis(data_);
}

void YearChartView::ShowLight(bool shown) {
    lightShown_ = shown && HasLight();
    lightItem_->setVisible(lightShown_);
    curvesShown_ = shown && HasCurves();
    SetShadeKeys();
    SetTimeAxis(data_);
}

QStringList YearChartView::LegendNames() const {
    QStringList names;
    for (QLegendMarker* m : Chart->legend()->markers()) {
        // The legend draws its labels as rich text.
        if (m->isVisible()) names << QTextDocumentFragment::fromHtml(m->label()).toPlainText();
    }
    return names;
}

void YearChartView::SetShadeKeys() {
    SetBandKeys();
    if (lightShown_) {
        const QFont font = Chart->legend()->font();
        const QColor colors[] = {kBlueHourColor, kGoldenHourColor};
        for (std::size_t i = 0; i < data_.lightNames.size(); ++i) {
            auto* key = new QScatterSeries;
            const QString name = QString::fromStdString(data_.lightNames[i]);
            key->setName(FitTitleLine(name, font, kBandNameWidth).toHtmlEscaped());
            key->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
            key->setColor(colors[i]);
            key->setBorderColor(QColor(128, 128, 128));
            Chart->addSeries(key);
            bandKeys_ << key;
        }
    }
    SetCurves();
}

void YearChartView::SetCurves() {
    for (QLineSeries* piece : std::as_const(curveSeries_)) {
        Chart->removeSeries(piece);
        delete piece;
    }
    curveSeries_.clear();
    if (!curvesShown_) return;
    const QFont font = Chart->legend()->font();
    for (const GraphCurve& curve : data_.curves) {
        QPen pen;
        if (curve.kind == GraphCurveKind::OwnEvent) {
            pen =
                QPen(kOwnEventColors[curve.ownIndex % std::size(kOwnEventColors)], 2, Qt::DotLine);
        } else {
            pen = QPen(curve.kind == GraphCurveKind::VisibleRise ? kRiseColor : kSetColor, 2,
                       Qt::DashLine);
        }
        // The name is the user's text: drawn as plain text, cut to the
        // shades' width.
        const QString name =
            FitTitleLine(QString::fromStdString(curve.name), font, kBandNameWidth).toHtmlEscaped();
        bool named = !curve.name.empty();
        QList<QPointF> piece;
        std::optional<DayNumber> previous;
        auto flush = [&] {
            if (piece.isEmpty()) return;
            auto* s = new QLineSeries;
            s->setName(name);
            s->setPen(pen);
            s->replace(piece);
            Chart->addSeries(s);
            s->attachAxis(BottomAxis);
            s->attachAxis(LeftAxis);
            if (!named) HideFromLegend(Chart, s);
            named = false;
            curveSeries_ << s;
            piece.clear();
        };
        for (const GraphPoint& p : curve.points) {
            // Broken where days have no crossing and where one moves across
            // midnight, as the lines are.
            const bool wrapped =
                !piece.isEmpty() &&
                std::abs(piece.last().y() - static_cast<qreal>(p.time.count())) > 12 * 60;
            if (previous && (p.day - *previous > 1 || wrapped)) flush();
            piece << QPointF(p.day.Value(), static_cast<qreal>(p.time.count()));
            previous = p.day;
        }
        flush();
    }
}

void YearChartView::SetBandKeys() {
    for (QAbstractSeries* key : std::as_const(bandKeys_)) {
        Chart->removeSeries(key);
        delete key;
    }
    bandKeys_.clear();
    if (!bandsShown_) return;
    // Each key is an empty series, so it draws nothing but its legend entry:
    // a square of the band's colour, rimmed so that the pale day shows on
    // the white page, and the band's name, drawn as plain text.
    const QFont font = Chart->legend()->font();
    for (std::size_t band = 0; band < kBandCount; ++band) {
        auto* key = new QScatterSeries;
        const QString name = QString::fromStdString(data_.bandNames[band]);
        key->setName(FitTitleLine(name, font, kBandNameWidth).toHtmlEscaped());
        key->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
        key->setColor(kBandColors[band]);
        key->setBorderColor(QColor(128, 128, 128));
        Chart->addSeries(key);
        bandKeys_ << key;
    }
}

QLineSeries* YearChartView::AddSegment(QList<QLineSeries*>& segments, const QColor& color,
                                       const QString& name) {
    auto* s = new QLineSeries;
    s->setName(name);
    s->setPen(QPen(color, 2));
    Chart->addSeries(s);
    s->attachAxis(BottomAxis);
    s->attachAxis(LeftAxis);
    if (!segments.isEmpty()) HideFromLegend(Chart, s);
    segments << s;
    return s;
}

void YearChartView::FillLine(QList<QLineSeries*>& segments, const std::vector<GraphPoint>& points,
                             const QColor& color, const QString& name) {
    // Keep the first piece (RiseLine or SetLine); drop the others.
    while (segments.size() > 1) {
        QLineSeries* extra = segments.takeLast();
        Chart->removeSeries(extra);
        delete extra;
    }
    QList<QPointF> piece;
    QLineSeries* current = segments.first();
    current->setName(name);
    std::optional<DayNumber> previous;
    for (const GraphPoint& p : points) {
        // A missing day breaks the line, and so does an event that moved
        // across midnight (the moon rising at 23:50 and then at 00:20).
        const bool wrapped =
            !piece.isEmpty() &&
            std::abs(piece.last().y() - static_cast<qreal>(p.time.count())) > 12 * 60;
        if (previous && (p.day - *previous > 1 || wrapped)) {
            current->replace(piece);
            piece.clear();
            current = AddSegment(segments, color, name);
        }
        piece << QPointF(p.day.Value(), static_cast<qreal>(p.time.count()));
        previous = p.day;
    }
    current->replace(piece);
}

qsizetype YearChartView::PointCount(const QList<QLineSeries*>& segments) {
    qsizetype n = 0;
    for (const QLineSeries* s : segments) n += s->count();
    return n;
}

void YearChartView::SetDateAxis(const GraphData& data) {
    const QString sep = QString::fromStdString(data.dateSeparator);
    auto label = [&sep](DayNumber d) {
        return TwoDigits(static_cast<int>(d.Day())) + sep + TwoDigits(static_cast<int>(d.Month())) +
               sep + TwoDigits(d.Year() % 100);
    };
    for (const QString& old : BottomAxis->categoriesLabels()) BottomAxis->remove(old);
    BottomAxis->setStartValue(data.firstDay.Value());
    // The sun's year is marked at the first of every month, the moon's month
    // every other day.
    for (DayNumber d = data.firstDay; d <= data.lastDay; ++d) {
        const bool mark = data.body == Body::Sun ? d.Day() == 1 : (d - data.firstDay) % 2 == 0;
        if (mark) BottomAxis->append(label(d), d.Value());
    }
    BottomAxis->setRange(data.firstDay.Value(), data.lastDay.Value());
}

void YearChartView::SetTimeAxis(const GraphData& data) {
    int lo = 24 * 60;
    int hi = 0;
    auto widen = [&](const GraphPoint& p) {
        lo = std::min(lo, static_cast<int>(p.time.count()));
        hi = std::max(hi, static_cast<int>(p.time.count()));
    };
    std::for_each(data.rise.begin(), data.rise.end(), widen);
    std::for_each(data.set.begin(), data.set.end(), widen);
    if (data.shownRise) widen(data.shownRise->point);
    if (data.shownSet) widen(data.shownSet->point);
    if (phasesShown_) {
        for (const GraphPhaseMark& m : data.phases) widen(m.point);
    }
    if (curvesShown_) {
        for (const GraphCurve& curve : data.curves)
            std::for_each(curve.points.begin(), curve.points.end(), widen);
    }
    if (lightShown_) {
        for (const GraphLightDay& day : data.light) {
            for (const std::vector<ClockSpan>* spans : {&day.blue, &day.golden}) {
                for (const ClockSpan& span : *spans) {
                    widen(GraphPoint{day.day, span.from});
                    widen(GraphPoint{day.day, span.to});
                }
            }
        }
    }
    // The bands fill the whole day.
    if (lo > hi || bandsShown_) {
        lo = 0;
        hi = 24 * 60;
    }
    // Whole hours around the times with room for the value marks, labelled
    // every hour or every two hours.
    lo = std::max(0, lo - 30) / 60 * 60;
    hi = std::min(24 * 60, (hi + 30 + 59) / 60 * 60);
    if (hi <= lo) hi = std::min(24 * 60, lo + 60);
    if (hi <= lo) lo = hi - 60;
    const int step = hi - lo > 12 * 60 ? 120 : 60;

    const QString sep = QString::fromStdString(data.timeSeparator);
    for (const QString& old : LeftAxis->categoriesLabels()) LeftAxis->remove(old);
    LeftAxis->setStartValue(lo);
    for (int t = lo; t <= hi; t += step)
        LeftAxis->append(TwoDigits(t / 60) + sep + TwoDigits(t % 60), t);
    LeftAxis->setRange(lo, hi);
}

void YearChartView::Load(const GraphData& data) {
    data_ = data;
    bandsShown_ = HasBands();
    bandsItem_->setVisible(bandsShown_);
    bandsItem_->update();
    lightShown_ = HasLight();
    lightItem_->setVisible(lightShown_);
    lightItem_->update();
    curvesShown_ = HasCurves();
    SetShadeKeys();
    phasesShown_ = HasPhases();
    phasesItem_->setVisible(phasesShown_);
    phasesItem_->update();
    titleLines_.clear();
    for (const std::string& line : data.titleLines) titleLines_ << QString::fromStdString(line);
    // Drawn as rich text: blanks are kept as they are written.
    Chart->setTitle(TitleHtml(titleLines_, Chart->titleFont(), kTitleWidth));

    const bool moon = data.body == Body::Moon;
    QString riseName = moon ? QStringLiteral("Moonrise") : QStringLiteral("Sunrise");
    QString setName = moon ? QStringLiteral("Moonset") : QStringLiteral("Sunset");
    if (data.heightNames) {
        // The label file's text, drawn as plain text.
        const QFont font = Chart->legend()->font();
        riseName =
            FitTitleLine(QString::fromStdString((*data.heightNames)[0]), font, kBandNameWidth)
                .toHtmlEscaped();
        setName = FitTitleLine(QString::fromStdString((*data.heightNames)[1]), font, kBandNameWidth)
                      .toHtmlEscaped();
    }
    FillLine(riseSegments_, data.rise, kRiseColor, riseName);
    FillLine(setSegments_, data.set, kSetColor, setName);
    struct Mark {
        QScatterSeries* series;
        const std::optional<GraphMark>& mark;
    };
    for (const Mark& m : {Mark{RiseMark, data.shownRise}, Mark{SetMark, data.shownSet}}) {
        m.series->clear();
        if (!m.mark) continue;
        m.series->append(m.mark->point.day.Value(), static_cast<qreal>(m.mark->point.time.count()));
        // The label format has no field tags, so the clock text is drawn as it stands.
        m.series->setPointLabelsFormat(QString::fromStdString(m.mark->clockText));
    }
    SetDateAxis(data);
    SetTimeAxis(data);
}

void YearChartView::RenderTo(QPainter& painter, const QRectF& target, bool light) {
    if (target.width() <= 0 || target.height() <= 0) return;
    struct Grid {
        QAbstractAxis* axis;
        bool major;
        bool minor;
    };
    std::vector<Grid> grids;
    if (light) {
        for (QAbstractAxis* axis : Chart->axes()) {
            grids.push_back({axis, axis->isGridLineVisible(), axis->isMinorGridLineVisible()});
            axis->setGridLineVisible(false);
            axis->setMinorGridLineVisible(false);
        }
    }
    const QRectF oldGeometry = Chart->geometry();
    const QRectF layout(QPointF(0, 0),
                        QSizeF(kLayoutWidth, kLayoutWidth * target.height() / target.width()));
    Chart->setGeometry(layout);
    QGraphicsScene* scene = Chart->scene();
    const QRectF oldSceneRect = scene->sceneRect();
    scene->setSceneRect(layout);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(target, Qt::white);
    scene->render(&painter, target, layout, Qt::KeepAspectRatio);
    painter.restore();
    scene->setSceneRect(oldSceneRect);
    Chart->setGeometry(oldGeometry);
    for (const Grid& g : grids) {
        g.axis->setGridLineVisible(g.major);
        g.axis->setMinorGridLineVisible(g.minor);
    }
}

}  // namespace dawn
