#pragma once
// The year graph: DrawSunGraph and DrawMoonGraph fill the chart of the
// picture window with the rise and set times around the date shown in the
// main window, then open the chart's print preview. The graph computes its own day records; the
// main window's record of the shown date, which the alarms read, is left alone.
//
// The sun's graph opens with its light (the blue and golden hours, and the
// visible rise and set and the user's own events beside the lines) as the
// user last left its switch, which the settings remember.
//
// The program entry creates one YearGraph with the picture window and
// connects MainWindow::sunGraphRequested to DrawSunGraph and
// MainWindow::moonGraphRequested to DrawMoonGraph.
#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>
#include <functional>

#include "present/graph.h"
#include "ui/common/messages.h"
#include "ui/common/savefolder.h"

class QWidget;

namespace dawn {

struct AppState;
class YearChartView;

// The chart as the bytes of an A4 landscape PDF page or of a PNG picture;
// empty when it could not be made.
QByteArray GraphPdfBytes(YearChartView& graph);
QByteArray GraphPngBytes(YearChartView& graph, QSize size = QSize(1600, 1000));

// Saving the chart as a file; on failure `error` names the file and the reason.
bool SaveGraphPdf(YearChartView& graph, const QString& path, QString* error);
bool SaveGraphPng(YearChartView& graph, const QString& path, QString* error,
                  QSize size = QSize(1600, 1000));

// The modal print preview of the chart: printer choice and set-up, portrait or
// landscape, page margins, the sun graph's twilight bands or the moon graph's
// phases on or off, print, saving as PDF or PNG, and close. The save dialog opens in `saveFolder`
// (the working folder when null), which moves only when a file was written.
// Without a printer (`hasPrinter` false, or none installed) the printer list
// says "No default printer"; nothing else interrupts the user. The light's
// switch tells `lightSwitched` each time it is turned.
void ShowPrintPreview(YearChartView& graph, QWidget* parent,
                      MessageBoxes& messages = RealMessageBoxes(), SaveFolder* saveFolder = nullptr,
                      bool hasPrinter = true, const std::function<void(bool)>& lightSwitched = {});

class YearGraph : public QObject {
    Q_OBJECT
public:
    // `host` is the window the chart lives in, hidden (the program puts it
    // there: the picture window's SetGraph), and the window the preview and
    // the messages open over. Until the chart is given a parent (tests, the
    // command line) the YearGraph owns it. The caller owns the YearGraph.
    YearGraph(AppState& state, QWidget* host, MessageBoxes& messages = RealMessageBoxes());
    ~YearGraph() override;

    YearChartView* Graph() const;

    // Seams for tests: whether the system has a printer (the preview's
    // printer list says when it has none), and what opens the preview. The defaults ask Qt for the
    // installed printers and open ShowPrintPreview.
    void setPrinterCheck(std::function<bool()> hasPrinter);
    void setPreview(std::function<void(YearChartView&)> preview);

public slots:
    void DrawSunGraph();
    void DrawMoonGraph();

private:
    void Draw(Body body);
    // The window the message and the preview open over: the picture window
    // when it is shown, else the window it belongs to (the main window), so
    // they are centred on what the user sees.
    QWidget* DialogOwner() const;

    AppState& state_;
    MessageBoxes& messages_;
    QPointer<QWidget> host_;
    QPointer<YearChartView> graph_;
    std::function<bool()> hasPrinter_;
    std::function<void(YearChartView&)> preview_;
    SaveFolder saveFolder_;
};

}  // namespace dawn
