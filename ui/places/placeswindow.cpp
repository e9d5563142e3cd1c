#include "ui/places/placeswindow.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>

#include "i18n/labels.h"
#include "present/placelist.h"
#include "present/texts.h"
#include "ui/common/qtlocale.h"

namespace dawn {
namespace {

// Column heads: the designed captions without their padding and colon.
QString Head(const std::string& caption) {
    QString text = Q(caption).trimmed();
    while (text.endsWith(QLatin1Char(':'))) text.chop(1);
    return text.trimmed();
}

}  // namespace

PlacesWindow::PlacesWindow(AppState& state, QWidget* parent, MessageBoxes& messages)
    : QDialog(parent), state_(state), messages_(messages) {
    setObjectName(QStringLiteral("PlacesWindow"));
    Table = new QTableWidget(0, 7, this);
    Table->setObjectName(QStringLiteral("PlacesTable"));
    Table->setSelectionBehavior(QAbstractItemView::SelectRows);
    Table->setSelectionMode(QAbstractItemView::SingleSelection);
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->verticalHeader()->hide();
    Table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Table->horizontalHeader()->setStretchLastSection(true);
    Table->setTabKeyNavigation(false);
    auto button = [this](const char* name) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    AddButton = button("AddButton");
    RenameButton = button("RenameButton");
    RemoveButton = button("RemoveButton");
    UpButton = button("UpButton");
    DownButton = button("DownButton");
    ShowButton = button("ShowButton");
    auto* layout = new QGridLayout(this);
    layout->addWidget(Table, 0, 0, 1, 6);
    layout->addWidget(AddButton, 1, 0);
    layout->addWidget(RenameButton, 1, 1);
    layout->addWidget(RemoveButton, 1, 2);
    layout->addWidget(UpButton, 1, 3);
    layout->addWidget(DownButton, 1, 4);
    layout->addWidget(ShowButton, 1, 5);

    connect(AddButton, &QPushButton::clicked, this, &PlacesWindow::AddShownPlace);
    connect(RenameButton, &QPushButton::clicked, this, &PlacesWindow::RenameChosen);
    connect(RemoveButton, &QPushButton::clicked, this, &PlacesWindow::RemoveChosen);
    connect(UpButton, &QPushButton::clicked, this, [this] { MoveChosen(-1); });
    connect(DownButton, &QPushButton::clicked, this, [this] { MoveChosen(1); });
    connect(ShowButton, &QPushButton::clicked, this, &PlacesWindow::ShowChosen);
    connect(Table, &QTableWidget::cellActivated, this, [this] { ShowChosen(); });
    AskName = [this](const QString& current) -> std::optional<QString> {
        bool ok = false;
        const QString name = QInputDialog::getText(
            this, Q(WithoutAccessKey(state_.Label(label::kPlacesRename))),
            Head(state_.Label(label::kPlace)), QLineEdit::Normal, current, &ok);
        if (!ok) return std::nullopt;
        return name;
    };
    resize(640, 320);
}

void PlacesWindow::PutLabels() {
    const auto label = [this](int n) { return Q(WithoutAccessKey(state_.Label(n))); };
    setWindowTitle(label(label::kMenuPlaces));
    Table->setHorizontalHeaderLabels(
        {Head(state_.Label(label::kPlace)), Head(state_.Label(label::kPlacesZone)),
         Head(state_.Label(label::kSunrise)), Head(state_.Label(label::kSunset)),
         Head(state_.Label(label::kDaylight)), Head(state_.Label(label::kMorningGoldenHour)),
         Head(state_.Label(label::kEveningGoldenHour))});
    AddButton->setText(label(label::kPlacesAdd));
    RenameButton->setText(label(label::kPlacesRename));
    RemoveButton->setText(label(label::kPlacesRemove));
    UpButton->setText(label(label::kPlacesUp));
    DownButton->setText(label(label::kPlacesDown));
    ShowButton->setText(label(label::kPlacesShow));
}

void PlacesWindow::showEvent(QShowEvent* event) {
    Refresh();
    QDialog::showEvent(event);
}

void PlacesWindow::Refresh() {
    PutLabels();
    list_.path = state_.AppDir + "/" + kPlacesFileName;
    for (const std::string& m : ReadPlaceList(list_)) messages_.showMessage(this, Q(m));
    FillTable(list_.places.empty() ? -1 : 0);
}

void PlacesWindow::FillTable(int chosen) {
    const std::vector<PlaceRow> rows =
        PlaceRowsOf(state_.Settings, list_.places, state_.Today, state_.Today);
    Table->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const PlaceRow& row = rows[static_cast<std::size_t>(r)];
        const std::string cells[] = {row.name,      row.zone,          row.sunrise,      row.sunset,
                                     row.dayLength, row.morningGolden, row.eveningGolden};
        for (int c = 0; c < static_cast<int>(std::size(cells)); ++c) {
            auto* item = new QTableWidgetItem(Q(cells[c]));  // plain text, never rich
            if (!row.problem.empty()) item->setToolTip(Q(row.problem));
            Table->setItem(r, c, item);
        }
    }
    if (chosen >= 0 && chosen < Table->rowCount()) Table->selectRow(chosen);
    const bool any = !list_.places.empty();
    for (QPushButton* b : {RenameButton, RemoveButton, UpButton, DownButton, ShowButton})
        b->setEnabled(any);
}

int PlacesWindow::Chosen() const {
    const int row = Table->currentRow();
    return row >= 0 && row < static_cast<int>(list_.places.size()) ? row : -1;
}

void PlacesWindow::Show(const PlaceListEdit& edit) {
    if (edit.message) messages_.showMessage(this, Q(*edit.message));
    if (edit.saveFailed) {
        Refresh();
        return;
    }
    FillTable(edit.chosen);
}

void PlacesWindow::AddShownPlace() {
    Show(dawn::AddShownPlace(list_, state_.Settings));
}

void PlacesWindow::RenameChosen() {
    const int chosen = Chosen();
    if (chosen < 0) return;
    const std::optional<QString> asked =
        AskName(Q(list_.places[static_cast<std::size_t>(chosen)].name));
    if (!asked) return;
    const PlaceListEdit edit = RenamePlace(list_, chosen, asked->toStdString());
    // A refused name leaves the list as it is shown.
    if (edit.message && !edit.saveFailed) {
        messages_.showMessage(this, Q(*edit.message));
        return;
    }
    Show(edit);
}

void PlacesWindow::RemoveChosen() {
    const int chosen = Chosen();
    if (chosen < 0) return;
    Show(RemovePlace(list_, chosen));
}

void PlacesWindow::MoveChosen(int by) {
    const int chosen = Chosen();
    if (chosen < 0 || !IsRowOf(list_, chosen + by)) return;
    Show(MovePlace(list_, chosen, by));
}

void PlacesWindow::ShowChosen() {
    const int chosen = Chosen();
    if (chosen < 0) return;
    if (auto problem = UseSavedPlace(list_.places[static_cast<std::size_t>(chosen)],
                                     state_.Settings, state_.Today)) {
        messages_.showMessage(this, Q(*problem));
        return;
    }
    state_.ShowDate(state_.Shown);
    emit placeChanged();
}

}  // namespace dawn
