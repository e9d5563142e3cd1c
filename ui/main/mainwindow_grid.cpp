// The translation grid: the whole label table over the main window, edited
// in place and saved by a double-click. The table in the application state
// is the one copy of the texts; the grid is only its editor, filled from it
// when it opens, and every typed text goes straight into the table.
//
// The grid shows the table's header row (language names) and header column
// (what each label is for) as its fixed headers, so grid cell (r, c) is table
// cell (c + 1, r + 1).
#include <QAbstractItemDelegate>
#include <QCalendarWidget>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <functional>

#include "i18n/accesscode.h"
#include "ui/common/messages.h"
#include "ui/main/mainwindow.h"

namespace dawn {
namespace {

// Runs an action on a left double-click on the watched widgets.
class DoubleClickFilter final : public QObject {
public:
    DoubleClickFilter(QObject* parent, std::function<void()> action)
        : QObject(parent), action_(std::move(action)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonDblClick &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            action_();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

// The grid's cell editor: a double-click inside a cell being edited also
// saves, so the editor is watched and remembered until it closes.
class GridDelegate final : public QStyledItemDelegate {
public:
    GridDelegate(QObject* parent, QObject* doubleClickFilter)
        : QStyledItemDelegate(parent), filter_(doubleClickFilter) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (editor) editor->installEventFilter(filter_);
        // A label is a caption, as long as a label file may hold.
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setMaxLength(static_cast<int>(kMaxLabelChars));
        editor_ = editor;
        return editor;
    }

    // Puts the text being typed into the cell and closes the editor.
    void finishEditing() {
        if (!editor_) return;
        QWidget* editor = editor_;
        editor_ = nullptr;
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
    }

private:
    QObject* filter_;
    mutable QPointer<QWidget> editor_;
};

}  // namespace

void MainWindow::BuildGrid() {
    LabelGrid->setFont(font());  // bold, fixed pitch
    LabelGrid->horizontalHeader()->setDefaultSectionSize(140);
    const QFontMetrics metrics(LabelGrid->font());
    LabelGrid->verticalHeader()->setDefaultSectionSize(metrics.height() + 6);
    // The row headers say what each label is for; long ones are cut short
    // in the header and shown whole in its hint.
    LabelGrid->verticalHeader()->setMaximumWidth(26 * metrics.horizontalAdvance(QLatin1Char('0')));
    LabelGrid->verticalHeader()->setTextElideMode(Qt::ElideRight);
    LabelGrid->horizontalHeader()->setSectionsClickable(false);
    LabelGrid->verticalHeader()->setSectionsClickable(false);
    LabelGrid->setCornerButtonEnabled(false);
    LabelGrid->setShowGrid(true);
    LabelGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    LabelGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    // Typing edits the selected cell; a double-click saves instead of editing.
    LabelGrid->setEditTriggers(QAbstractItemView::AnyKeyPressed |
                               QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::SelectedClicked);
    LabelGrid->setToolTip(QStringLiteral("Double clic to save"));

    auto* saveOnDoubleClick = new DoubleClickFilter(LabelGrid, [this] { LabelGridDblClick(); });
    LabelGrid->viewport()->installEventFilter(saveOnDoubleClick);
    LabelGrid->horizontalHeader()->viewport()->installEventFilter(saveOnDoubleClick);
    LabelGrid->verticalHeader()->viewport()->installEventFilter(saveOnDoubleClick);
    LabelGrid->setItemDelegate(new GridDelegate(LabelGrid, saveOnDoubleClick));

    connect(LabelGrid, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        state_.Labels.SetCell(item->column() + 1, item->row() + 1, item->text().toStdString());
    });

    // The sunset signs of both panels open the password dialog.
    auto* askPassword = new DoubleClickFilter(this, [this] { lbSunSetSymbolDblClick(); });
    for (QLabel* sign : {lbSunSetSymbol, lbMoonSetSymbol}) {
        sign->setToolTip(QStringLiteral("double clic to translator"));
        sign->installEventFilter(askPassword);
    }
}

bool MainWindow::LabelGridSelectCell(int column, int row) const {
    return GridCellSelectable(GridUnlocked, column, row);
}

void MainWindow::lbSunSetSymbolDblClick() {
    emit translationGridRequested();
}

void MainWindow::FillGrid() {
    const LabelTable& table = state_.Labels;
    const QSignalBlocker quiet(LabelGrid);
    LabelGrid->clear();
    LabelGrid->setColumnCount(std::max(0, table.Columns() - 1));
    LabelGrid->setRowCount(std::max(0, table.Rows() - 1));
    QStringList columnHeads, rowHeads;
    for (int c = 1; c < table.Columns(); ++c)
        columnHeads << QString::fromStdString(table.Cell(c, 0));
    for (int r = 1; r < table.Rows(); ++r) {
        rowHeads << QStringLiteral("%1 %2")
                        .arg(r, 2, 10, QLatin1Char('0'))
                        .arg(QString::fromStdString(table.Cell(0, r)));
    }
    LabelGrid->setHorizontalHeaderLabels(columnHeads);
    LabelGrid->setVerticalHeaderLabels(rowHeads);
    for (int r = 0; r < LabelGrid->rowCount(); ++r) {
        LabelGrid->verticalHeaderItem(r)->setToolTip(rowHeads[r]);
    }
    for (int c = 1; c < table.Columns(); ++c) {
        for (int r = 1; r < table.Rows(); ++r) {
            LabelGrid->setItem(r - 1, c - 1,
                               new QTableWidgetItem(QString::fromStdString(table.Cell(c, r))));
        }
    }
}

void MainWindow::UpdateGridLock() {
    const QSignalBlocker quiet(LabelGrid);
    for (int r = 0; r < LabelGrid->rowCount(); ++r) {
        for (int c = 0; c < LabelGrid->columnCount(); ++c) {
            QTableWidgetItem* item = LabelGrid->item(r, c);
            if (!item) continue;
            // A cell that may not be selected can neither be clicked, reached
            // with the keys, taken into a range nor edited.
            item->setFlags(LabelGridSelectCell(c + 1, r + 1)
                               ? Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable
                               : Qt::NoItemFlags);
        }
    }
}

void MainWindow::ShowTranslationGrid(bool unlocked) {
    GridUnlocked = unlocked;
    if (auto* delegate = dynamic_cast<GridDelegate*>(LabelGrid->itemDelegate()))
        delegate->finishEditing();
    FillGrid();
    UpdateGridLock();
    LabelGrid->clearSelection();
    LabelGrid->setCurrentItem(LabelGrid->item(0, 0));  // column 1, label 1: open to everyone
    LabelGrid->raise();
    LabelGrid->show();
    LabelGrid->setFocus();
}

void MainWindow::LabelGridDblClick() {
    if (auto* delegate = dynamic_cast<GridDelegate*>(LabelGrid->itemDelegate()))
        delegate->finishEditing();
    if (const std::optional<std::string> error =
            SaveLabelTable(state_.Labels, state_.AppDir, &state_.KeepLabelFileBeforeSave)) {
        // The writer names the file and the system's reason; the message
        // always opens with what failed.
        QString text = QString::fromStdString(*error);
        const QString opening = QStringLiteral("Cannot create file");
        if (!text.startsWith(opening)) {
            text = opening + u' ' + QString::fromStdString(LabelFilePath(state_.AppDir)) + u'\n' +
                   text;
        }
        messages_.showMessage(this, text);
        return;  // the grid stays open with the edits; the double-click can be repeated
    }
    LabelGrid->hide();
    MonthCalendar->setFocus();
}

}  // namespace dawn
