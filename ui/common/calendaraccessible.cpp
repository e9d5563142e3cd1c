#include "ui/common/calendaraccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCalendarWidget>
#include <QDate>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLocale>
#include <QPointer>
#include <QTableView>
#include <vector>

namespace dawn {
namespace {

const char* const kDescribed = "dawnCalendarCells";

QCalendarWidget* CalendarOf(const QWidget* view) {
    for (QWidget* w = view != nullptr ? view->parentWidget() : nullptr; w != nullptr;
         w = w->parentWidget()) {
        if (auto* calendar = qobject_cast<QCalendarWidget*>(w)) return calendar;
    }
    return nullptr;
}

bool HasHeaderRow(const QCalendarWidget& calendar) {
    return calendar.horizontalHeaderFormat() != QCalendarWidget::NoHorizontalHeader;
}

bool HasWeekColumn(const QCalendarWidget& calendar) {
    return calendar.verticalHeaderFormat() != QCalendarWidget::NoVerticalHeader;
}

// The weekday (1 = Monday) of a day column; 0 for the week number column.
int WeekdayOfColumn(const QCalendarWidget& calendar, int column) {
    const int c = column - (HasWeekColumn(calendar) ? 1 : 0);
    if (c < 0) return 0;
    return (static_cast<int>(calendar.firstDayOfWeek()) - 1 + c) % 7 + 1;
}

// A child of the day table without an object of its own: a cell, or the
// place of a hidden header view.
class CalendarLeafAccessible : public QAccessibleInterface {
public:
    explicit CalendarLeafAccessible(QTableView* view) : view_(view) {}

    bool isValid() const override { return view_ != nullptr && CalendarOf(view_) != nullptr; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        QAccessibleInterface* t = parent();
        return t != nullptr ? t->window() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return view_ != nullptr ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    QPointer<QTableView> view_;
};

class CalendarCellAccessible final : public CalendarLeafAccessible,
                                     public QAccessibleTableCellInterface,
                                     public QAccessibleActionInterface {
public:
    CalendarCellAccessible(QTableView* view, int row, int column)
        : CalendarLeafAccessible(view), row_(row), column_(column) {}

    QAccessible::Role role() const override {
        return IsHeader() ? QAccessible::ColumnHeader : QAccessible::Cell;
    }

    QString text(QAccessible::Text t) const override {
        const QCalendarWidget* calendar = CalendarOf(view_);
        if (calendar == nullptr) return {};
        const QLocale locale = calendar->locale();
        if (IsHeader()) {
            const int weekday = WeekdayOfColumn(*calendar, column_);
            if (t == QAccessible::Name && weekday > 0)
                return locale.standaloneDayName(weekday, QLocale::LongFormat);
            return {};
        }
        const QModelIndex index = Index();
        if (t == QAccessible::Name) return index.data(Qt::DisplayRole).toString();
        if (t == QAccessible::Description) {
            const QDate date = CalendarCellDate(*calendar, index);
            if (date.isValid()) return locale.toString(date, QLocale::LongFormat);
        }
        return {};
    }

    QRect rect() const override {
        if (view_ == nullptr) return {};
        const QRect r = view_->visualRect(Index());
        if (r.isEmpty()) return {};
        return QRect(view_->viewport()->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override {
        QAccessible::State s;
        if (view_ == nullptr) {
            s.invalid = true;
            return s;
        }
        if (!view_->isVisible()) s.invisible = true;
        if (IsHeader()) return s;
        const QModelIndex index = Index();
        const Qt::ItemFlags flags = index.flags();
        if (!flags.testFlag(Qt::ItemIsEnabled)) s.disabled = true;
        if (flags.testFlag(Qt::ItemIsSelectable)) {
            s.selectable = true;
            s.focusable = true;
            s.selected = isSelected();
        }
        if (view_->currentIndex() == index) {
            s.active = true;
            s.focused = view_->hasFocus();
        }
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface)
            return static_cast<QAccessibleTableCellInterface*>(this);
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    // The table cell.
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    bool isSelected() const override {
        return view_ != nullptr && view_->selectionModel() != nullptr &&
               view_->selectionModel()->isSelected(Index());
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    QAccessibleInterface* table() const override { return parent(); }

    // Choosing a day: what a click on it does.
    QStringList actionNames() const override {
        if (IsHeader()) return {};
        return {pressAction(), setFocusAction()};
    }
    void doAction(const QString& name) override {
        QCalendarWidget* calendar = CalendarOf(view_);
        if (calendar == nullptr || IsHeader()) return;
        if (name != pressAction() && name != setFocusAction()) return;
        const QDate date = CalendarCellDate(*calendar, Index());
        if (date.isValid()) calendar->setSelectedDate(date);
        if (name == setFocusAction()) view_->setFocus(Qt::OtherFocusReason);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    bool IsHeader() const {
        const QCalendarWidget* calendar = CalendarOf(view_);
        return calendar != nullptr && HasHeaderRow(*calendar) && row_ == 0;
    }
    QModelIndex Index() const {
        if (view_ == nullptr || view_->model() == nullptr) return {};
        return view_->model()->index(row_, column_);
    }

    int row_;
    int column_;
};

// A place of a hidden header view: invisible, nameless, and not a cell.
class CalendarFillerAccessible final : public CalendarLeafAccessible {
public:
    using CalendarLeafAccessible::CalendarLeafAccessible;
    QString text(QAccessible::Text) const override { return {}; }
    QRect rect() const override { return {}; }
    QAccessible::Role role() const override { return QAccessible::Whitespace; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.invisible = true;
        return s;
    }
};

class CalendarTableAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit CalendarTableAccessible(QTableView* view)
        : QAccessibleWidget(view, QAccessible::Table) {}
    ~CalendarTableAccessible() override {
        for (const auto* ids : {&cells_, &fillers_}) {
            for (QAccessible::Id id : *ids) {
                if (id != 0) QAccessible::deleteAccessibleInterface(id);
            }
        }
    }

    QTableView* View() const { return static_cast<QTableView*>(widget()); }
    int Rows() const { return View()->model() != nullptr ? View()->model()->rowCount() : 0; }
    int Columns() const { return View()->model() != nullptr ? View()->model()->columnCount() : 0; }

    // The children lie on the grid Qt's focus and selection events count
    // on: a first row and a first column for the view's header views (hidden
    // here), then the cells. Those places hold fillers that say nothing.
    int childCount() const override { return (Rows() + 1) * (Columns() + 1); }
    QAccessibleInterface* child(int index) const override {
        const int stride = Columns() + 1;
        if (index < 0 || Columns() == 0 || index >= childCount()) return nullptr;
        const int row = index / stride - 1;
        const int column = index % stride - 1;
        if (row < 0 || column < 0) return FillerAt(index);
        return cellAt(row, column);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child == nullptr || child->parent() != this) return -1;
        for (std::size_t i = 0; i < fillers_.size(); ++i) {
            if (fillers_[i] != 0 && QAccessible::accessibleInterface(fillers_[i]) == child)
                return static_cast<int>(i);
        }
        const auto* cell = const_cast<QAccessibleInterface*>(child)->tableCellInterface();
        if (cell == nullptr) return -1;
        return (cell->rowIndex() + 1) * (Columns() + 1) + cell->columnIndex() + 1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint p = View()->viewport()->mapFromGlobal(QPoint(x, y));
        const QModelIndex index = View()->indexAt(p);
        return index.isValid() ? cellAt(index.row(), index.column()) : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const QModelIndex index = View()->currentIndex();
        if (!View()->hasFocus() || !index.isValid()) return nullptr;
        return cellAt(index.row(), index.column());
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    // The table.
    QAccessibleInterface* cellAt(int row, int column) const override {
        const int rows = Rows();
        const int columns = Columns();
        if (row < 0 || column < 0 || row >= rows || column >= columns) return nullptr;
        const auto slot = static_cast<std::size_t>(row * columns + column);
        if (cells_.size() < static_cast<std::size_t>(rows * columns))
            cells_.resize(static_cast<std::size_t>(rows * columns), 0);
        if (cells_[slot] == 0) {
            cells_[slot] = QAccessible::registerAccessibleInterface(
                new CalendarCellAccessible(View(), row, column));
        }
        return QAccessible::accessibleInterface(cells_[slot]);
    }
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QString columnDescription(int column) const override {
        const QCalendarWidget* calendar = CalendarOf(View());
        if (calendar == nullptr) return {};
        const int weekday = WeekdayOfColumn(*calendar, column);
        return weekday > 0 ? calendar->locale().standaloneDayName(weekday, QLocale::LongFormat)
                           : QString();
    }
    QString rowDescription(int) const override { return {}; }
    int columnCount() const override { return Columns(); }
    int rowCount() const override { return Rows(); }
    int selectedCellCount() const override { return static_cast<int>(selectedCells().size()); }
    QList<QAccessibleInterface*> selectedCells() const override {
        QList<QAccessibleInterface*> out;
        if (View()->selectionModel() == nullptr) return out;
        for (const QModelIndex& index : View()->selectionModel()->selectedIndexes()) {
            if (QAccessibleInterface* cell = cellAt(index.row(), index.column())) out.append(cell);
        }
        return out;
    }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    QAccessibleInterface* FillerAt(int index) const {
        const auto slot = static_cast<std::size_t>(index);
        if (fillers_.size() <= slot) fillers_.resize(slot + 1, 0);
        if (fillers_[slot] == 0) {
            fillers_[slot] =
                QAccessible::registerAccessibleInterface(new CalendarFillerAccessible(View()));
        }
        return QAccessible::accessibleInterface(fillers_[slot]);
    }

    mutable std::vector<QAccessible::Id> cells_;
    // By child index: the places of the hidden header views.
    mutable std::vector<QAccessible::Id> fillers_;
};

QList<QAccessibleInterface*> CalendarCellAccessible::columnHeaderCells() const {
    const QCalendarWidget* calendar = CalendarOf(view_);
    QAccessibleInterface* t = parent();
    if (calendar == nullptr || t == nullptr || !HasHeaderRow(*calendar)) return {};
    // A screen reader asks the first row's cell for its column's header: the
    // header is its own.
    if (IsHeader()) return {const_cast<CalendarCellAccessible*>(this)};
    QAccessibleTableInterface* table = t->tableInterface();
    QAccessibleInterface* header = table != nullptr ? table->cellAt(0, column_) : nullptr;
    if (header == nullptr) return {};
    return {header};
}

QAccessibleInterface* CalendarFactory(const QString&, QObject* object) {
    auto* view = qobject_cast<QTableView*>(object);
    if (view == nullptr || !view->property(kDescribed).toBool()) return nullptr;
    return new CalendarTableAccessible(view);
}

}  // namespace

QDate CalendarCellDate(const QCalendarWidget& calendar, const QModelIndex& index) {
    if (!index.isValid()) return {};
    const int row = index.row() - (HasHeaderRow(calendar) ? 1 : 0);
    const int column = index.column() - (HasWeekColumn(calendar) ? 1 : 0);
    if (row < 0 || row >= 6 || column < 0 || column >= 7) return {};
    const QDate first(calendar.yearShown(), calendar.monthShown(), 1);
    int lead = (first.dayOfWeek() - static_cast<int>(calendar.firstDayOfWeek()) + 7) % 7;
    if (lead == 0) lead = 7;  // the first row always shows the month before
    return first.addDays(row * 7 + column - lead);
}

void DescribeCalendarCells(QCalendarWidget* calendar) {
    static const bool installed = [] {
        QAccessible::installFactory(&CalendarFactory);
        return true;
    }();
    (void)installed;
    auto* view = calendar->findChild<QTableView*>();
    if (view == nullptr) return;
    view->setProperty(kDescribed, true);
    // An interface Qt already made for the view is dropped; the next one
    // asked for is this description.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(view);
    if (made != nullptr && dynamic_cast<CalendarTableAccessible*>(made) == nullptr)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

}  // namespace dawn
