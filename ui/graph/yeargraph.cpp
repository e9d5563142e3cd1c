#include "ui/graph/yeargraph.h"

#include <QAction>
#include <QBuffer>
#include <QComboBox>
#include <QDate>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPen>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QSpinBox>
#include <QToolBar>

#include "core/textfile.h"
#include "present/appstate.h"
#include "ui/graph/pagelayout.h"
#include "ui/graph/yearchartview.h"

namespace dawn {
namespace {

// The preview's page choices; the defaults draw the page as it always was.
struct PageChoices {
    int marginPercent = 0;
    bool marginsShown = false;
    bool light = false;
    bool keepProportions = false;
};

void PaintOnPrinter(YearChartView& graph, QPrinter* printer, const PageChoices& choices) {
    QPainter painter(printer);
    if (!painter.isActive()) return;
    const QSizeF page = printer->pageRect(QPrinter::DevicePixel).size();
    const PageRect r = ChartRectOnPage(page.width(), page.height(), choices.marginPercent,
                                       choices.keepProportions);
    const QRectF target(r.x, r.y, r.width, r.height);
    graph.RenderTo(painter, target, choices.light);
    if (choices.marginsShown) {
        painter.setPen(QPen(Qt::gray, 0, Qt::DashLine));
        painter.drawRect(target);
    }
}

}  // namespace

namespace {

// The picture or page is made in memory and written like every file of the
// program: beside the target and renamed over it, every write checked, so a
// full disk leaves the old file and an error rather than half a file, and a
// device, pipe or link in the target's place is never replaced.
bool WriteGraphFile(const QByteArray& bytes, const QString& path, QString* error) {
    const TextFileResult written = WriteFileAtomic(
        QFile::encodeName(path).toStdString(), std::string_view(bytes.constData(), bytes.size()));
    if (written.ok()) return true;
    if (error) *error = QString::fromStdString(written.error);
    return false;
}

}  // namespace

QByteArray GraphPdfBytes(YearChartView& graph) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        writer.setResolution(300);
        writer.setTitle(graph.TitleLines().value(0));
        writer.setCreator(QStringLiteral("Dawnhelm"));
        QPainter painter;
        if (!painter.begin(&writer)) return {};
        graph.RenderTo(
            painter,
            QRectF(QPointF(0, 0), writer.pageLayout().paintRectPixels(writer.resolution()).size()));
        painter.end();
    }
    return bytes;
}

QByteArray GraphPngBytes(YearChartView& graph, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        graph.RenderTo(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return bytes;
}

bool SaveGraphPdf(YearChartView& graph, const QString& path, QString* error) {
    const QByteArray bytes = GraphPdfBytes(graph);
    if (bytes.isEmpty()) {
        if (error) *error = QStringLiteral("Cannot create file %1").arg(path);
        return false;
    }
    return WriteGraphFile(bytes, path, error);
}

bool SaveGraphPng(YearChartView& graph, const QString& path, QString* error, QSize size) {
    const QByteArray bytes = GraphPngBytes(graph, size);
    if (bytes.isEmpty()) {
        if (error) *error = QStringLiteral("Cannot create file %1").arg(path);
        return false;
    }
    return WriteGraphFile(bytes, path, error);
}

void ShowPrintPreview(YearChartView& graph, QWidget* parent, MessageBoxes& messages,
                      SaveFolder* saveFolder, bool hasPrinter,
                      const std::function<void(bool)>& lightSwitched) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(QStringLiteral("Dawnhelm graph"));
    PageChoices choices;
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("Dawnhelm graph"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested,
                     [&graph, &choices](QPrinter* p) { PaintOnPrinter(graph, p, choices); });

    // The standard preview lets the printer be chosen only in the print
    // dialog; a list in the tool bar shows at once which printer the page is
    // laid out for. Saving as PDF or PNG and a close button complete it.
    if (auto* bar = preview.findChild<QToolBar*>()) {
        bar->addSeparator();
        bar->addWidget(new QLabel(QStringLiteral(" Printer: "), bar));
        auto* printers = new QComboBox(bar);
        printers->setObjectName(QStringLiteral("printerList"));
        printers->addItems(QPrinterInfo::availablePrinterNames());
        printers->setCurrentText(printer.printerName());
        // Many desktops have no printer at all: the preview shows the graph
        // and saves it as PDF or PNG all the same, so the list only says so
        // where the printer would be chosen.
        if (!hasPrinter || printers->count() == 0)
            printers->setPlaceholderText(QStringLiteral("No default printer"));
        QObject::connect(printers, &QComboBox::currentTextChanged, &preview,
                         [&printer, &preview](const QString& name) {
                             printer.setPrinterName(name);
                             if (auto* pages = preview.findChild<QPrintPreviewWidget*>())
                                 pages->updatePreview();
                         });
        bar->addWidget(printers);
        // The sun's graph can shade night, twilight and day behind its
        // lines, the moon's mark its principal phases.
        if (graph.HasBands() || graph.HasPhases()) {
            bar->addSeparator();
            const bool sun = graph.HasBands();
            QAction* extra = bar->addAction(sun ? QStringLiteral("Twilight bands")
                                                : QStringLiteral("Moon phases"));
            extra->setObjectName(sun ? QStringLiteral("twilightBands")
                                     : QStringLiteral("moonPhases"));
            extra->setCheckable(true);
            extra->setChecked(sun ? graph.BandsShown() : graph.PhasesShown());
            QObject::connect(extra, &QAction::toggled, &preview, [&graph, &preview, sun](bool on) {
                if (sun) {
                    graph.ShowBands(on);
                } else {
                    graph.ShowPhases(on);
                }
                if (auto* pages = preview.findChild<QPrintPreviewWidget*>()) pages->updatePreview();
            });
        }
        // Margins in percent of the page (framed on it when shown, reset to
        // none), a light drawing without the grid, and whether the chart
        // keeps its shape or fills the page.
        auto redraw = [&preview] {
            if (auto* pages = preview.findChild<QPrintPreviewWidget*>()) pages->updatePreview();
        };
        bar->addSeparator();
        bar->addWidget(new QLabel(QStringLiteral(" Margins: "), bar));
        auto* margins = new QSpinBox(bar);
        margins->setObjectName(QStringLiteral("pageMargins"));
        margins->setRange(0, static_cast<int>(kMaxMarginPercent));
        margins->setSuffix(QStringLiteral(" %"));
        margins->setValue(choices.marginPercent);
        QObject::connect(margins, &QSpinBox::valueChanged, &preview, [&choices, redraw](int v) {
            choices.marginPercent = v;
            redraw();
        });
        bar->addWidget(margins);
        QAction* showMargins = bar->addAction(QStringLiteral("Show margins"));
        showMargins->setObjectName(QStringLiteral("showMargins"));
        showMargins->setCheckable(true);
        QObject::connect(showMargins, &QAction::toggled, &preview, [&choices, redraw](bool on) {
            choices.marginsShown = on;
            redraw();
        });
        QAction* resetMargins = bar->addAction(QStringLiteral("Reset margins"));
        QObject::connect(resetMargins, &QAction::triggered, margins,
                         [margins] { margins->setValue(0); });
        bar->addWidget(new QLabel(QStringLiteral(" Detail: "), bar));
        auto* detail = new QComboBox(bar);
        detail->setObjectName(QStringLiteral("detail"));
        detail->addItems({QStringLiteral("Full"), QStringLiteral("Light")});
        QObject::connect(detail, &QComboBox::currentIndexChanged, &preview,
                         [&choices, redraw](int i) {
                             choices.light = i == 1;
                             redraw();
                         });
        bar->addWidget(detail);
        QAction* keep = bar->addAction(QStringLiteral("Keep proportions"));
        keep->setObjectName(QStringLiteral("keepProportions"));
        keep->setCheckable(true);
        QObject::connect(keep, &QAction::toggled, &preview, [&choices, redraw](bool on) {
            choices.keepProportions = on;
            redraw();
        });
        bar->addSeparator();
        QAction* pdf = bar->addAction(QStringLiteral("Save as PDF..."));
        QAction* png = bar->addAction(QStringLiteral("Save as PNG..."));
        bar->addSeparator();
        QAction* close = bar->addAction(QStringLiteral("Close"));
        QObject::connect(close, &QAction::triggered, &preview, &QDialog::reject);
        auto save = [&graph, &preview, &messages, saveFolder](bool asPdf) {
            const QString filter = asPdf ? QStringLiteral("PDF files (*.pdf)")
                                         : QStringLiteral("PNG pictures (*.png)");
            const QString name =
                asPdf ? QStringLiteral("dawnhelm_graph.pdf") : QStringLiteral("dawnhelm_graph.png");
            QString path = QFileDialog::getSaveFileName(
                &preview, QStringLiteral("Save the graph"),
                saveFolder != nullptr ? saveFolder->PathFor(name) : name, filter);
            if (path.isEmpty()) return;
            const QString suffix = asPdf ? QStringLiteral(".pdf") : QStringLiteral(".png");
            if (QFileInfo(path).suffix().isEmpty()) path += suffix;
            QString error;
            if (!(asPdf ? SaveGraphPdf(graph, path, &error) : SaveGraphPng(graph, path, &error))) {
                messages.showMessage(&preview, error);
            } else if (saveFolder != nullptr) {
                saveFolder->Written(path);
            }
        };
        QObject::connect(pdf, &QAction::triggered, &preview, [save] { save(true); });
        QObject::connect(png, &QAction::triggered, &preview, [save] { save(false); });
        // The sun's graph can shade its blue and golden hours too; the
        // switch comes after the tool bar's other controls.
        if (graph.HasLight()) {
            bar->addSeparator();
            QAction* light = bar->addAction(QStringLiteral("Golden and blue hours"));
            light->setObjectName(QStringLiteral("lightBands"));
            light->setCheckable(true);
            light->setChecked(graph.LightShown());
            QObject::connect(light, &QAction::toggled, &preview,
                             [&graph, redraw, lightSwitched](bool on) {
                                 graph.ShowLight(on);
                                 redraw();
                                 if (lightSwitched) lightSwitched(on);
                             });
        }
    }
    // Large enough for the page and the whole tool bar.
    if (const QScreen* screen = preview.screen()) {
        preview.resize(screen->availableSize() * 0.85);
    }
    preview.exec();
}

YearGraph::YearGraph(AppState& state, QWidget* host, MessageBoxes& messages)
    : state_(state),
      messages_(messages),
      host_(host),
      graph_(new YearChartView),
      saveFolder_(QFile::decodeName(QByteArray::fromStdString(state.AppDir))) {
    graph_->hide();
    hasPrinter_ = [] { return !QPrinterInfo::availablePrinters().isEmpty(); };
    preview_ = [this](YearChartView& g) {
        ShowPrintPreview(g, DialogOwner(), messages_, &saveFolder_, hasPrinter_(),
                         [this](bool on) { state_.Settings.GraphLightShown = on; });
    };
}

YearGraph::~YearGraph() {
    // A chart that was never put into a window has no parent to delete it.
    if (graph_ && !graph_->parent()) delete graph_;
}

YearChartView* YearGraph::Graph() const {
    return graph_.data();
}

void YearGraph::setPrinterCheck(std::function<bool()> hasPrinter) {
    hasPrinter_ = std::move(hasPrinter);
}
void YearGraph::setPreview(std::function<void(YearChartView&)> preview) {
    preview_ = std::move(preview);
}

QWidget* YearGraph::DialogOwner() const {
    if (!host_) return nullptr;
    if (!host_->isVisible() && host_->parentWidget()) return host_->parentWidget()->window();
    return host_->window();
}

void YearGraph::DrawSunGraph() {
    Draw(Body::Sun);
}
void YearGraph::DrawMoonGraph() {
    Draw(Body::Moon);
}

void YearGraph::Draw(Body body) {
    if (!graph_) return;  // the picture window and its chart are gone (program end)
    // The sun's bands and light and the moon's phases are at hand for the preview,
    // which turns them on.
    GraphInputs inputs = GraphInputsFor(state_);
    inputs.twilightBands = body == Body::Sun;
    inputs.principalPhases = body == Body::Moon;
    inputs.lightBands = body == Body::Sun;
    if (body == Body::Sun) AddSeenCurves(state_, inputs);
    graph_->Load(BuildGraph(inputs, body));
    graph_->ShowBands(false);
    graph_->ShowLight(state_.Settings.GraphLightShown);
    graph_->ShowPhases(false);
    if (host_) graph_->show();
    preview_(*graph_);
    graph_->update();
}

}  // namespace dawn
