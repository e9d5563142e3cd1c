#include "ui/graph/yeargraph.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QAction>
#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QScatterSeries>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolBar>
#include <cmath>
#include <csignal>
#include <tuple>
#include <vector>

#include "core/dayephemeris.h"
#include "present/appstate.h"
#include "present/testsupport_state.h"
#include "present/texts.h"
#include "ui/common/qtlocale.h"
#include "ui/common/testsupport/recording_messages.h"
#include "ui/graph/titlelayout.h"
#include "ui/graph/yearchartview.h"

namespace dawn {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::SizeIs;

class GraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        state = test::EnglishState(folder.path().toStdString());
        state.Locale = MakeLocaleFormats(QLocale(QStringLiteral("en_GB")));
        Show(2024, 7, 1);
    }

    void Show(int y, unsigned m, unsigned d) { state.ShowDate(DayNumber::FromYmd(y, m, d)); }

    static QByteArray ReadAll(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir folder;
    test::RecordingMessages messages;
    AppState state;
};

// On the chart a gap of the polar days splits each line into pieces; only
// the first piece of each is in the legend. (Which days have points is
// tested with the plain graph data.)
TEST_F(GraphTest, GapsSplitTheLinesAndTheLegendNamesEachOnce) {
    for (bool summerTime : {true, false}) {
        test::PlaceAt(state.Settings, 4693, 938, 60,
                      summerTime);  // Longyearbyen, 78°13' N 15°38' E
        Show(2024, 3, 21);
        const GraphData g = BuildGraph(GraphInputsFor(state), Body::Sun);
        YearChartView chart;
        chart.Load(g);
        chart.show();
        EXPECT_EQ(YearChartView::PointCount(chart.RiseSegments()),
                  static_cast<qsizetype>(g.rise.size()));
        EXPECT_GE(chart.RiseSegments().size(), summerTime ? 3 : 2);
        QStringList legend;
        for (QLegendMarker* m : chart.Chart->legend()->markers()) {
            if (m->isVisible()) legend << m->label();
        }
        EXPECT_THAT(legend, ElementsAre("Sunrise", "Sunset"));
    }
}

// At 50°47' N 5°28' E the moon does not rise on 27 June 2024 (it sets at
// 10:50 zone standard time) and does not set on 15 July 2024 (it rises at
// 15:09). The event that did happen keeps its mark, at its real clock time.
const DayNumber kNoMoonrise = DayNumber::FromYmd(2024, 6, 24);
const DayNumber kNoMoonset = DayNumber::FromYmd(2024, 7, 10);

TEST_F(GraphTest, MoonChartMarksTheShownDateEventsThatHappenedAndTheLegendNamesTheMoon) {
    test::PlaceAt(state.Settings, 3047, 328, 60);
    YearGraph graph(state, nullptr, messages);
    graph.setPrinterCheck([] { return true; });
    int previews = 0;
    graph.setPreview([&](YearChartView&) { ++previews; });
    YearChartView& chart = *graph.Graph();

    struct Case {
        DayNumber shown;
        const char* rise;  // the mark's clock text; empty for no mark
        const char* set;
    };
    const Case cases[] = {
        {kNoMoonrise, "", "07:29"},
        {kNoMoonset, "10:20", ""},
        {DayNumber::FromYmd(2024, 7, 1), "01:55", "17:28"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shown.Value());
        state.ShowDate(c.shown);
        graph.DrawMoonGraph();
        for (const auto& [series, text] :
             {std::pair{chart.RiseMark, c.rise}, std::pair{chart.SetMark, c.set}}) {
            if (*text == '\0') {
                EXPECT_EQ(series->count(), 0);
                continue;
            }
            ASSERT_EQ(series->count(), 1);
            EXPECT_EQ(series->pointLabelsFormat().toStdString(), text);
            const int minute = std::stoi(std::string(text, 2)) * 60 + std::stoi(text + 3);
            EXPECT_EQ(series->at(0), QPointF(c.shown.Value(), minute));
        }
    }
    EXPECT_EQ(previews, 3);
    // On an ordinary date the marks show the day view's own times.
    EXPECT_EQ(chart.RiseMark->pointLabelsFormat().toStdString(),
              FormatClock(state.Day.Event(Body::Moon, EventKind::Rise).Clock, ":"));
    EXPECT_EQ(chart.SetMark->pointLabelsFormat().toStdString(),
              FormatClock(state.Day.Event(Body::Moon, EventKind::Set).Clock, ":"));

    const GraphData g = BuildGraph(GraphInputsFor(state), Body::Moon);
    EXPECT_EQ(YearChartView::PointCount(chart.RiseSegments()),
              static_cast<qsizetype>(g.rise.size()));
    EXPECT_EQ(YearChartView::PointCount(chart.SetSegments()), static_cast<qsizetype>(g.set.size()));
    EXPECT_GE(chart.RiseSegments().size(), 2);
    // No piece of a line jumps across midnight from one day to the next.
    for (const QList<QLineSeries*>& line : {chart.RiseSegments(), chart.SetSegments()}) {
        for (const QLineSeries* piece : line) {
            for (int i = 1; i < piece->count(); ++i) {
                EXPECT_EQ(piece->at(i).x() - piece->at(i - 1).x(), 1);
                EXPECT_LT(std::abs(piece->at(i).y() - piece->at(i - 1).y()), 12 * 60);
            }
        }
    }
    chart.show();
    QStringList legend;
    for (QLegendMarker* m : chart.Chart->legend()->markers()) {
        if (m->isVisible()) legend << m->label();
    }
    EXPECT_THAT(legend, ElementsAre("Moonrise", "Moonset"));
}

// The bands are named in the legend after the two lines, darkest first,
// while they are shown and only then; a name from the label file is shown as
// the plain text it is.
TEST_F(GraphTest, TwilightBandsAreNamedInTheLegendOnlyWhileShown) {
    GraphInputs in = GraphInputsFor(state);
    YearChartView chart;
    chart.show();
    // The legend lays its entries out when the chart is next drawn.
    auto legend = [&chart] {
        QApplication::processEvents();
        std::vector<std::string> names;
        for (const QString& name : chart.LegendNames()) names.push_back(name.toStdString());
        return names;
    };
    chart.Load(BuildGraph(in, Body::Sun));
    EXPECT_THAT(legend(), ElementsAre("Sunrise", "Sunset"));

    in.twilightBands = true;
    in.bandNames[static_cast<std::size_t>(BandLimit::Nautical) + 1] = "<b>Nautisch</b> & co";
    chart.Load(BuildGraph(in, Body::Sun));
    const auto withBands = ElementsAre("Sunrise", "Sunset", "Night", "Astronomical",
                                       "<b>Nautisch</b> & co", "Civil", "Day");
    EXPECT_THAT(legend(), withBands);
    chart.ShowBands(false);
    EXPECT_THAT(legend(), ElementsAre("Sunrise", "Sunset"));
    chart.ShowBands(true);
    chart.ShowBands(true);
    EXPECT_THAT(legend(), withBands);

    // The moon's month has no bands, whatever the graph showed before.
    in.principalPhases = true;
    chart.Load(BuildGraph(in, Body::Moon));
    EXPECT_THAT(legend(), ElementsAre("Moonrise", "Moonset"));
}

// The blue and golden hours are painted and named in the legend, after the
// bands, while they are shown and only then; the names follow the language.
TEST_F(GraphTest, LightIsShadedAndNamedOnlyWhileShown) {
    GraphInputs in = GraphInputsFor(state);
    in.lightBands = true;
    in.twilightBands = true;
    YearChartView chart;
    chart.resize(1200, 800);
    chart.show();
    auto legend = [&chart] {
        QApplication::processEvents();
        std::vector<std::string> names;
        for (const QString& name : chart.LegendNames()) names.push_back(name.toStdString());
        return names;
    };
    // The pixels of each shade's colour on a drawn page.
    auto shaded = [&chart] {
        QImage page(1600, 1000, QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        chart.RenderTo(painter, QRectF(0, 0, 1600, 1000));
        painter.end();
        std::pair<int, int> count{0, 0};
        for (int y = 0; y < page.height(); ++y) {
            for (int x = 0; x < page.width(); ++x) {
                const QRgb p = page.pixel(x, y);
                count.first += p == qRgb(36, 84, 204);
                count.second += p == qRgb(232, 152, 24);
            }
        }
        return count;
    };
    chart.Load(BuildGraph(in, Body::Sun));
    ASSERT_TRUE(chart.HasLight());
    EXPECT_TRUE(chart.LightShown());
    EXPECT_THAT(legend(), ElementsAre("Sunrise", "Sunset", "Night", "Astronomical", "Nautical",
                                      "Civil", "Day", "Blue hour", "Golden hour"));
    const auto [blue, golden] = shaded();
    EXPECT_GT(blue, 1000);
    EXPECT_GT(golden, 3 * blue);
    chart.ShowLight(false);
    EXPECT_THAT(legend(), ElementsAre("Sunrise", "Sunset", "Night", "Astronomical", "Nautical",
                                      "Civil", "Day"));
    EXPECT_EQ(shaded(), std::pair(0, 0));
    chart.ShowBands(false);
    chart.ShowLight(true);
    EXPECT_THAT(legend(), ElementsAre("Sunrise", "Sunset", "Blue hour", "Golden hour"));

    // Without them asked for, or on the moon's graph, there is nothing to show.
    in.lightBands = false;
    chart.Load(BuildGraph(in, Body::Sun));
    EXPECT_FALSE(chart.HasLight());
    chart.ShowLight(true);
    EXPECT_FALSE(chart.LightShown());

    state.Settings.LanguageIndex = 3;
    state.ApplyLanguage();
    EXPECT_EQ(LightNamesOf(state), (LightNames{"Blaue Stunde", "Goldene Stunde"}));
}

// The light's switch shows the curves beside the lines with the blue and
// golden hours, each named once in plain text (an event's name is the
// user's own text), and the settings remember it for the next graph.
TEST_F(GraphTest, TheLightSwitchShowsTheCurvesAndIsRemembered) {
    state.HorizonProfile = {{0, 2}, {90, 5}, {180, 1}, {270, 4}};
    state.OwnEvents = {
        {"<b>Ridge</b>", UserEventKind::Offset, 0, UserEventSide::Both, false, "visible sunrise"},
        {"Photo", UserEventKind::Elevation, 10, UserEventSide::Both, false, ""}};
    YearGraph graph(state, nullptr, messages);
    graph.setPrinterCheck([] { return false; });
    YearChartView& chart = *graph.Graph();
    auto legend = [&chart] {
        QApplication::processEvents();
        std::vector<std::string> names;
        for (const QString& name : chart.LegendNames()) names.push_back(name.toStdString());
        return names;
    };
    std::vector<std::vector<std::string>> steps;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (preview == nullptr) return;
        poll.stop();
        steps.push_back(legend());
        if (auto* light = preview->findChild<QAction*>(QStringLiteral("lightBands"))) {
            light->trigger();
            steps.push_back(legend());
        }
        preview->reject();
    });
    poll.start(10);
    graph.DrawSunGraph();
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_THAT(steps[0], ElementsAre("Sunrise", "Sunset"));
    EXPECT_THAT(steps[1],
                ElementsAre("Sunrise", "Sunset", "Blue hour", "Golden hour", "Visible sunrise",
                            "Visible sunset", "<b>Ridge</b>", "Photo"));
    EXPECT_TRUE(state.Settings.GraphLightShown);
    // Ridge's curve, Photo's two sides and the visible rise and set, each
    // a piece or more.
    EXPECT_GE(chart.CurveSegments().size(), 5);

    // The next graph opens with the light shown.
    graph.setPreview([](YearChartView&) {});
    graph.DrawSunGraph();
    EXPECT_TRUE(chart.LightShown());
    EXPECT_TRUE(chart.CurvesShown());
    chart.ShowLight(false);
    EXPECT_FALSE(chart.CurvesShown());
    EXPECT_TRUE(chart.CurveSegments().isEmpty());
}

// Without a printer the preview opens at once: nothing is said until the
// user prints.
TEST_F(GraphTest, WithoutPrinterThePreviewOpensWithoutAMessage) {
    YearGraph graph(state, nullptr, messages);
    graph.setPrinterCheck([] { return false; });
    int previews = 0;
    graph.setPreview([&](YearChartView&) { ++previews; });
    const DayEphemeris before = state.Day;
    graph.DrawSunGraph();
    EXPECT_THAT(messages.shown, IsEmpty());
    EXPECT_EQ(previews, 1);
    // The graph computed its days into its own records.
    EXPECT_EQ(state.Day, before);
    // The chart holds the graph all the same, with the shown date's marks.
    EXPECT_THAT(graph.Graph()->TitleLines(), SizeIs(2));
    ASSERT_EQ(graph.Graph()->RiseMark->count(), 1);
    EXPECT_EQ(graph.Graph()->RiseMark->pointLabelsFormat().toStdString(),
              FormatClock(state.Day.Event(Body::Sun, EventKind::Rise).Clock, ":"));
}

TEST_F(GraphTest, ChartLivesHiddenInItsHostWindow) {
    QWidget mainWindow;
    QWidget host(&mainWindow, Qt::Window);
    YearGraph graph(state, &host, messages);
    graph.Graph()->setParent(&host);  // as the picture window adopts it
    graph.setPrinterCheck([] { return true; });
    graph.setPreview([](YearChartView&) {});
    graph.DrawSunGraph();
    EXPECT_FALSE(host.isVisible());
    EXPECT_THAT(messages.shown, IsEmpty());
}

TEST_F(GraphTest, PreviewOffersPrinterSaveAndClose) {
    YearGraph graph(state, nullptr, messages);
    graph.setPrinterCheck([] { return false; });
    graph.setPreview([](YearChartView&) {});  // the graph's own preview would wait for the user
    graph.DrawSunGraph();
    QStringList actions;
    bool hasPrinterList = false;
    QString printerListText;
    bool marginsFound = false;
    bool marginsRedrawn = false;
    // The sun's twilight bands: off when the preview opens, then on and off,
    // with the time axis spanning the whole day while they are shown.
    YearChartView& chart = *graph.Graph();
    const qreal dayStart = chart.LeftAxis->min();
    const qreal dayEnd = chart.LeftAxis->max();
    std::vector<std::tuple<bool, qreal, qreal>> bandSteps;
    std::vector<bool> lightSteps;
    // The preview builds its pages before its own event loop runs, so the
    // check waits for it to become the modal window, then closes it.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        if (preview == nullptr) return;
        poll.stop();
        auto* bar = preview->findChild<QToolBar*>();
        if (bar == nullptr) {
            ADD_FAILURE() << "the preview has no tool bar";
            preview->reject();
            return;
        }
        for (QAction* a : bar->actions()) {
            if (!a->text().isEmpty()) actions << a->text();
        }
        if (auto* printers = preview->findChild<QComboBox*>(QStringLiteral("printerList"))) {
            hasPrinterList = true;
            printerListText =
                printers->count() == 0 ? printers->placeholderText() : printers->currentText();
        }
        // The page margins reach the page drawn in the preview.
        if (auto* margins = preview->findChild<QSpinBox*>(QStringLiteral("pageMargins"))) {
            marginsFound = true;
            const QImage before = preview->grab().toImage();
            margins->setValue(40);
            marginsRedrawn = preview->grab().toImage() != before;
            margins->setValue(0);
        }
        if (auto* bands = preview->findChild<QAction*>(QStringLiteral("twilightBands"))) {
            for (int i = 0; i < 3; ++i) {
                bandSteps.emplace_back(chart.BandsShown(), chart.LeftAxis->min(),
                                       chart.LeftAxis->max());
                if (i < 2) bands->trigger();
            }
        }
        // The blue and golden hours: off when the preview opens, then on.
        if (auto* light = preview->findChild<QAction*>(QStringLiteral("lightBands"))) {
            lightSteps.push_back(chart.LightShown());
            light->trigger();
            lightSteps.push_back(chart.LightShown());
        }
        if (qEnvironmentVariableIsSet("DAWN_GRAPH_PREVIEW_PNG")) {
            preview->grab().save(qEnvironmentVariable("DAWN_GRAPH_PREVIEW_PNG"));
        }
        for (QAction* a : bar->actions()) {
            if (a->text() == u"Close") a->trigger();
        }
        if (preview->isVisible()) preview->reject();  // a missing Close must not hang the test
    });
    poll.start(10);
    ShowPrintPreview(*graph.Graph(), nullptr, messages, nullptr, false);
    EXPECT_TRUE(hasPrinterList);
    // Without a printer the list says so, and nothing else interrupts.
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        EXPECT_EQ(printerListText, QStringLiteral("No default printer"));
    }
    EXPECT_THAT(messages.shown, IsEmpty());
    EXPECT_TRUE(marginsFound);
    EXPECT_TRUE(marginsRedrawn);
    EXPECT_TRUE(actions.contains(QStringLiteral("Save as PDF...")));
    EXPECT_TRUE(actions.contains(QStringLiteral("Save as PNG...")));
    EXPECT_TRUE(actions.contains(QStringLiteral("Close")));
    EXPECT_GT(dayStart, 0);
    EXPECT_THAT(bandSteps,
                ElementsAre(std::tuple(false, dayStart, dayEnd), std::tuple(true, 0.0, 24.0 * 60),
                            std::tuple(false, dayStart, dayEnd)));
    EXPECT_THAT(lightSteps, ElementsAre(false, true));
    // The moon's month offers its phases instead, off until asked for; shown,
    // they widen the time axis to take in every mark.
    graph.DrawMoonGraph();
    EXPECT_FALSE(chart.HasBands());
    EXPECT_TRUE(chart.HasPhases());
    EXPECT_FALSE(chart.PhasesShown());
    chart.ShowPhases(true);
    EXPECT_TRUE(chart.PhasesShown());
}

TEST_F(GraphTest, SavesAsPdfAndPng) {
    YearGraph graph(state, nullptr, messages);
    graph.setPrinterCheck([] { return false; });
    graph.setPreview([](YearChartView&) {});  // the graph's own preview would wait for the user
    graph.DrawSunGraph();
    QString error;
    const QString pdf = folder.filePath(QStringLiteral("g.pdf"));
    const QString png = folder.filePath(QStringLiteral("g.png"));
    ASSERT_TRUE(SaveGraphPdf(*graph.Graph(), pdf, &error)) << error.toStdString();
    ASSERT_TRUE(SaveGraphPng(*graph.Graph(), png, &error)) << error.toStdString();
    EXPECT_GT(QFileInfo(pdf).size(), 1000);
    EXPECT_GT(QFileInfo(png).size(), 1000);
    EXPECT_FALSE(
        SaveGraphPng(*graph.Graph(), folder.filePath(QStringLiteral("none/g.png")), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("none/g.png")));
}

// A caption can be made as long as one likes in the translation grid; the
// chart's own fitting of a wide title costs memory with the square of its
// length (a 21 KB caption took 800 MB). The title is fitted line by line
// before the chart sees it: short lines stay whole, a long one is cut to the
// width with an ellipsis, and its escaping still holds.
TEST_F(GraphTest, ALongCaptionIsFittedToTheTitleLineNotLaidOutWhole) {
    QString caption;
    while (caption.size() < 21000) caption += QStringLiteral("Summer <b>time</b> ");
    state.Labels.SetCell(5, label::kSummerTime, caption.toStdString());
    state.ApplyLanguage();
    YearGraph graph(state, nullptr, messages);
    graph.setPrinterCheck([] { return true; });
    graph.setPreview([](YearChartView&) {});
    graph.DrawSunGraph();

    const QString title = graph.Graph()->Chart->title();
    const QStringList lines = title.split(QStringLiteral("<br>"));
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Dawnhelm&nbsp;01/01/2024-30/12/2024")));
    EXPECT_FALSE(lines[0].contains(QChar(0x2026)));  // the first line fits whole
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Summer&nbsp;&lt;b&gt;time&lt;/b&gt;")));
    EXPECT_TRUE(lines[1].endsWith(QChar(0x2026)));
    EXPECT_LT(lines[1].size(), 6 * kMaxTitleLineChars);
    QString error;
    EXPECT_TRUE(SaveGraphPng(*graph.Graph(), folder.filePath(QStringLiteral("g.png")), &error))
        << error.toStdString();
}

// A graph file is written beside its target and renamed over it: a disk that
// fills up (here a file-size limit) leaves the old file whole and says why,
// and a pipe or device in the target's place is never replaced.
TEST_F(GraphTest, AFailedSaveKeepsTheOldFileAndSaysWhy) {
    YearGraph graph(state, nullptr, messages);
    graph.setPrinterCheck([] { return true; });
    graph.setPreview([](YearChartView&) {});
    graph.DrawSunGraph();
    const QString png = folder.filePath(QStringLiteral("old.png"));
    const QString pdf = folder.filePath(QStringLiteral("old.pdf"));
    QString error;
    ASSERT_TRUE(SaveGraphPng(*graph.Graph(), png, &error));
    ASSERT_TRUE(SaveGraphPdf(*graph.Graph(), pdf, &error));
    const QByteArray oldPng = ReadAll(png);
    const QByteArray oldPdf = ReadAll(pdf);

    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;  // a disk that is full after 4 KB
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool pngSaved = SaveGraphPng(*graph.Graph(), png, &error, QSize(1200, 800));
    const QString pngError = error;
    const bool pdfSaved = SaveGraphPdf(*graph.Graph(), pdf, &error);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_FALSE(pngSaved);
    EXPECT_FALSE(pdfSaved);
    EXPECT_TRUE(pngError.contains(png) && pngError.contains(QStringLiteral("File too large")))
        << pngError.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("File too large"))) << error.toStdString();
    EXPECT_EQ(ReadAll(png), oldPng);
    EXPECT_EQ(ReadAll(pdf), oldPdf);

    const QString pipe = folder.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(SaveGraphPng(*graph.Graph(), pipe, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("not a regular file"))) << error.toStdString();
    EXPECT_TRUE(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 3);
}

}  // namespace
}  // namespace dawn
