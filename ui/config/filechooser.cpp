#include "ui/config/filechooser.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>

namespace dawn {
namespace {

constexpr int kPreviewSide = 200;

// Shows the picture under the cursor of the file dialog, scaled to fit.
void ShowPreview(QLabel* preview, const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!QFileInfo(path).isFile() || !size.isValid()) {
        preview->setPixmap({});
        preview->setText(QObject::tr("No preview"));
        return;
    }
    reader.setScaledSize(size.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull()) {
        preview->setPixmap({});
        preview->setText(QObject::tr("No preview"));
        return;
    }
    preview->setPixmap(QPixmap::fromImage(image));
}

class RealFileChoosers final : public FileChoosers {
public:
    std::optional<QString> openFile(QWidget* parent, const FileRequest& request) override {
        const std::unique_ptr<QFileDialog> dialog = MakeFileDialog(parent, request);
        if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
            return std::nullopt;
        return dialog->selectedFiles().constFirst();
    }
};

}  // namespace

std::unique_ptr<QFileDialog> MakeFileDialog(QWidget* parent, const FileRequest& request) {
    auto dialog = std::make_unique<QFileDialog>(parent, request.title, request.startFolder);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setAcceptMode(QFileDialog::AcceptOpen);
    // Qt's own dialog, so that the picture chooser can carry its preview.
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setOption(QFileDialog::HideNameFilterDetails);
    dialog->setNameFilter(NameFilterOf(request.filter));
    if (!request.presetPath.isEmpty()) dialog->selectFile(QFileInfo(request.presetPath).fileName());
    if (request.picturePreview) {
        auto* preview = new QLabel(dialog.get());
        preview->setObjectName(QStringLiteral("picturePreview"));
        preview->setFixedSize(kPreviewSide, kPreviewSide);
        preview->setAlignment(Qt::AlignCenter);
        preview->setFrameShape(QFrame::StyledPanel);
        if (auto* grid = qobject_cast<QGridLayout*>(dialog->layout()))
            grid->addWidget(preview, 1, grid->columnCount(), grid->rowCount() - 1, 1);
        // The dialog took its size before the preview was added; it grows by
        // the preview so the file list keeps its room for names and sizes.
        dialog->resize(dialog->width() + kPreviewSide + dialog->layout()->spacing(),
                       dialog->height());
        QObject::connect(dialog.get(), &QFileDialog::currentChanged, preview,
                         [preview](const QString& path) { ShowPreview(preview, path); });
        ShowPreview(preview, request.presetPath);
    }
    return dialog;
}

FileChoosers& RealFileChooser() {
    static RealFileChoosers choosers;
    return choosers;
}

QStringList PatternsOf(const QString& filter) {
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    const QString patterns = bar < 0 ? QString() : filter.mid(bar + 1);
    QStringList out;
    auto add = [&out](const QString& p) {
        for (const QString& c : {p.toLower(), p.toUpper()})
            if (!out.contains(c)) out << c;
    };
    for (const QString& p : patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QString t = p.trimmed();
        if (t.isEmpty()) continue;
        add(t);
        if (t.compare(QLatin1String("*.jpg"), Qt::CaseInsensitive) == 0)
            add(QStringLiteral("*.jpeg"));
    }
    return out;
}

QString NameFilterOf(const QString& filter) {
    const qsizetype bar = filter.indexOf(QLatin1Char('|'));
    const QString description = (bar < 0 ? filter : filter.left(bar)).trimmed();
    const QStringList patterns = PatternsOf(filter);
    if (patterns.isEmpty()) return description;
    return description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

}  // namespace dawn
