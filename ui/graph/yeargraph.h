#pragma once
// The year graph: DrawSunGraph and DrawMoonGraph fill the chart of the
// picture window with the rise and set times around the date shown in the
// main window, then open the chart's print preview. The graph computes its own day records; the
// main window's record of the shown date, which the alarms read, is left alone.
//
// The program entry creates one YearGraph with the picture window and
// connects TForm1::sunGraphRequested to DrawSunGraph and
// TForm1::moonGraphRequested to DrawMoonGraph.
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
class DawnhelmGraph;
class TForm2;

// The chart as the bytes of an A4 landscape PDF page or of a PNG picture;
// empty when it could not be made.
QByteArray GraphPdfBytes(DawnhelmGraph& graph);
QByteArray GraphPngBytes(DawnhelmGraph& graph, QSize size = QSize(1600, 1000));

// Saving the chart as a file; on failure `error` names the file and the reason.
bool SaveGraphPdf(DawnhelmGraph& graph, const QString& path, QString* error);
bool SaveGraphPng(DawnhelmGraph& graph, const QString& path, QString* error,
                  QSize size = QSize(1600, 1000));

// The modal print preview of the chart: printer choice and set-up, portrait or
// landscape, page margins, the sun graph's twilight bands or the moon graph's
// phases on or off, print, saving as PDF or PNG, and close. The save dialog opens in `saveFolder`
// (the working folder when null), which moves only when a file was written.
// Without a printer (`hasPrinter` false, or none installed) the printer list
// says "No default printer"; nothing else interrupts the user.
void ShowPrintPreview(DawnhelmGraph& graph, QWidget* parent,
                      MessageBoxes& messages = RealMessageBoxes(), SaveFolder* saveFolder = nullptr,
                      bool hasPrinter = true);

class YearGraph : public QObject {
    Q_OBJECT
public:
    // The chart is put into the picture window `pictureWindow` (which owns
    // it), hidden; without a picture window (tests, the command line) the
    // YearGraph owns it. The caller owns the YearGraph.
    YearGraph(AppState& state, TForm2* pictureWindow, MessageBoxes& messages = RealMessageBoxes());
    ~YearGraph() override;

    DawnhelmGraph* Graph() const;

    // Seams for tests: whether the system has a printer (the preview's
    // printer list says when it has none), and what opens the preview. The defaults ask Qt for the
    // installed printers and open ShowPrintPreview.
    void setPrinterCheck(std::function<bool()> hasPrinter);
    void setPreview(std::function<void(DawnhelmGraph&)> preview);

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
    QPointer<TForm2> host_;
    QPointer<DawnhelmGraph> graph_;
    std::function<bool()> hasPrinter_;
    std::function<void(DawnhelmGraph&)> preview_;
    SaveFolder saveFolder_;
};

}  // namespace dawn
