#include "ui/almanac/almanacwindow.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "present/almanacview.h"
#include "present/appstate.h"
#include "present/texts.h"
#include "ui/common/plaintext.h"
#include "ui/common/qtlocale.h"

namespace dawn {

namespace {

// The years of the main window's calendar.
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2500;
constexpr int kDateRole = Qt::UserRole;
constexpr int kInstantRole = Qt::UserRole + 1;  // UT, days since 1970

}  // namespace

AlmanacWindow::AlmanacWindow(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setObjectName(QStringLiteral("AlmanacWindow"));
    setModal(false);

    YearCaption = new QLabel(this);
    YearBox = new QSpinBox(this);
    YearBox->setObjectName(QStringLiteral("YearBox"));
    YearBox->setRange(kFirstYear, kLastYear);
    YearCaption->setBuddy(YearBox);

    KindGroup = new QGroupBox(this);
    // Three boxes a row, so that the window fits a small screen.
    auto* kinds = new QGridLayout(KindGroup);
    for (std::size_t i = 0; i < KindBoxes.size(); ++i) {
        QCheckBox*& box = KindBoxes[i];
        box = new QCheckBox(KindGroup);
        box->setChecked(true);
        kinds->addWidget(box, static_cast<int>(i / 3), static_cast<int>(i % 3));
        connect(box, &QCheckBox::toggled, this, &AlmanacWindow::Refill);
    }

    EventList = new QTreeWidget(this);
    EventList->setObjectName(QStringLiteral("EventList"));
    EventList->setColumnCount(2);
    EventList->setRootIsDecorated(false);
    EventList->setUniformRowHeights(true);
    EventList->setAllColumnsShowFocus(true);
    EventList->setSelectionMode(QAbstractItemView::SingleSelection);
    EventList->header()->setStretchLastSection(true);
    EventList->setTextElideMode(Qt::ElideRight);
    // A click chooses; Enter on the current item does too (itemActivated).
    connect(EventList, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem* item) { ChooseItem(item); });
    connect(EventList, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { ChooseItem(item); });

    // Selectable, so that the keyboard and a screen reader reach it.
    MoonLine = new QLabel(this);
    MoonLine->setObjectName(QStringLiteral("MoonLine"));
    MoonLine->setTextFormat(Qt::PlainText);
    MoonLine->setWordWrap(true);
    MoonLine->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    connect(EventList, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item == nullptr) return;
        const UtInstant instant{UtInstant::duration{item->data(0, kInstantRole).toDouble()}};
        PutMoonLine(MoonSizeText(state_, instant));
    });

    auto* top = new QHBoxLayout;
    top->addWidget(YearCaption);
    top->addWidget(YearBox);
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(KindGroup);
    layout->addWidget(EventList, 1);
    layout->addWidget(MoonLine);
    resize(720, 480);

    connect(YearBox, &QSpinBox::valueChanged, this, &AlmanacWindow::Refill);
    PutLabels();
}

AlmanacWindow::~AlmanacWindow() = default;

void AlmanacWindow::PutLabels() {
    setWindowTitle(Q(WithoutAccessKey(state_.Label(label::kMenuAlmanac))));
    const QString year = Q(CaptionWithoutColon(state_.Label(label::kYear)));
    YearCaption->setText(year);
    YearBox->setAccessibleName(year);
    const QString show = Q(CaptionWithoutColon(state_.Label(label::kAlmanacShow)));
    KindGroup->setTitle(show);
    KindGroup->setAccessibleName(show);
    const auto names = AlmanacKindNames(state_);
    for (std::size_t i = 0; i < KindBoxes.size(); ++i) KindBoxes[i]->setText(Q(names[i]));
    EventList->setHeaderLabels({Q(CaptionWithoutColon(state_.Label(label::kTime))),
                                Q(CaptionWithoutColon(state_.Label(label::kAlmanacEvent)))});
    EventList->setAccessibleName(windowTitle());
    MoonLine->setAccessibleName(Q(state_.Label(label::kMoonSizeName)));
}

void AlmanacWindow::PutMoonLine(const std::string& text) {
    MoonLine->setText(Q(text));
    MoonLine->setAccessibleDescription(MoonLine->text());
}

void AlmanacWindow::ShowYearOfShownDate() {
    PutLabels();
    {
        const QSignalBlocker block(YearBox);
        YearBox->setValue(state_.Shown.Year());
    }
    Refill();
    // Within the screen, with room for the window's frame.
    if (const QScreen* where = screen())
        resize(size().boundedTo(where->availableGeometry().size() - QSize(16, 48)));
    show();
    raise();
    activateWindow();
    EventList->setFocus();
}

void AlmanacWindow::Refill() {
    AlmanacKinds kinds{};
    for (std::size_t i = 0; i < KindBoxes.size(); ++i) kinds[i] = KindBoxes[i]->isChecked();
    const std::vector<AlmanacRow> rows = AlmanacRowsOf(state_, YearBox->value(), kinds);
    EventList->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    QTreeWidgetItem* current = nullptr;
    for (const AlmanacRow& row : rows) {
        auto* item = new QTreeWidgetItem({Q(row.time), Q(row.text)});
        item->setData(0, kDateRole, QVariant::fromValue<qint64>(row.date.Value()));
        item->setData(0, kInstantRole, row.instant.time_since_epoch().count());
        item->setToolTip(1, PlainToolTip(Q(row.text)));
        items.append(item);
        // The list opens at the first event from the shown date on.
        if (current == nullptr && row.date >= state_.Shown) current = item;
    }
    EventList->addTopLevelItems(items);
    EventList->resizeColumnToContents(0);
    if (current == nullptr && !items.isEmpty()) current = items.constFirst();
    if (current != nullptr) {
        const QSignalBlocker block(EventList);
        EventList->setCurrentItem(current);
        EventList->scrollToItem(current);
    }
    PutMoonLine(MoonSizeTextOfDate(state_, state_.Shown));
}

void AlmanacWindow::ChooseItem(QTreeWidgetItem* item) {
    if (item == nullptr) return;
    const DayNumber date(static_cast<std::int32_t>(item->data(0, kDateRole).toLongLong()));
    state_.ShowDate(date);
    emit dateChosen(date);
}

}  // namespace dawn
