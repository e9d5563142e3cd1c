#include "ui/alignment/alignmentdialog.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/settings.h"
#include "ui/common/qtlocale.h"

namespace dawn {

namespace {

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}

QDoubleSpinBox* DegreesBox(double max, double value, QWidget* parent) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(0, max);
    box->setDecimals(2);
    box->setSingleStep(0.5);
    box->setValue(value);
    return box;
}

}  // namespace

AlignmentDialog::AlignmentDialog(const SiteSettings& settings, const CurrentLabels& labels,
                                 const LocaleFormats& formats, DayNumber shown, QWidget* parent)
    : QDialog(parent), settings_(settings), labels_(labels), formats_(formats) {
    setObjectName(QStringLiteral("alignmentDialog"));
    setWindowTitle(Text(labels[label::kAlignmentsTitle]));
    body_ = new QComboBox(this);
    body_->addItem(Text(labels[label::kSkyViewSun]));
    body_->addItem(Text(labels[label::kSkyViewMoon]));
    event_ = new QComboBox(this);
    event_->addItem(Text(labels[label::kAlignmentsRise]));
    event_->addItem(Text(labels[label::kAlignmentsSet]));
    azimuth_ = DegreesBox(360, 90, this);
    tolerance_ = DegreesBox(180, 1, this);
    leastLit_ = DegreesBox(100, 0, this);
    leastLit_->setDecimals(0);
    leastLit_->setSingleStep(5);
    from_ = new QDateEdit(ToQDate(shown), this);
    to_ = new QDateEdit(ToQDate(shown + 365), this);
    for (QDateEdit* edit : {from_, to_}) {
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
        edit->setDateRange(QDate(1583, 1, 1), QDate(9999, 12, 31));
    }
    find_ = new QPushButton(Text(labels[label::kAlignmentsFind]), this);
    find_->setDefault(true);
    results_ = new QListWidget(this);
    results_->setObjectName(QStringLiteral("alignmentResults"));

    auto* form = new QFormLayout;
    const auto row = [&](int caption, QWidget* field) {
        form->addRow(Text(labels[caption]), field);
    };
    form->addRow(QString(), body_);
    form->addRow(QString(), event_);
    row(label::kAlignmentsAzimuth, azimuth_);
    row(label::kAlignmentsTolerance, tolerance_);
    row(label::kAlignmentsFrom, from_);
    row(label::kAlignmentsTo, to_);
    row(label::kAlignmentsLeastLit, leastLit_);
    body_->setAccessibleName(
        Text(labels[label::kSkyViewSun] + " / " + labels[label::kSkyViewMoon]));
    event_->setAccessibleName(
        Text(labels[label::kAlignmentsRise] + " / " + labels[label::kAlignmentsSet]));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(find_);
    layout->addWidget(results_, 1);

    const auto moonOnly = [this] { leastLit_->setEnabled(body_->currentIndex() == 1); };
    moonOnly();
    connect(body_, &QComboBox::currentIndexChanged, this, moonOnly);
    connect(find_, &QPushButton::clicked, this, &AlignmentDialog::Find);
    connect(results_, &QListWidget::itemActivated, this, &AlignmentDialog::Choose);
    connect(results_, &QListWidget::itemClicked, this, &AlignmentDialog::Choose);
}

AlignmentQuery AlignmentDialog::Query() const {
    AlignmentQuery q;
    q.body = body_->currentIndex() == 1 ? Body::Moon : Body::Sun;
    q.event = event_->currentIndex() == 1 ? EventKind::Set : EventKind::Rise;
    q.azimuthDegrees = azimuth_->value();
    q.toleranceDegrees = tolerance_->value();
    if (q.body == Body::Moon && leastLit_->value() > 0) q.minLitPercent = leastLit_->value();
    return q;
}

void AlignmentDialog::Find() {
    results_->clear();
    found_.clear();
    const DayNumber from = ToDayNumber(from_->date());
    const DayNumber to = ToDayNumber(to_->date());
    ForEachAlignment(settings_, Query(), from, to, AlignmentDays::Clock, [&](const Alignment& a) {
        found_.push_back(a.date);
        results_->addItem(Text(AlignmentText(a, formats_)));
        return found_.size() < static_cast<std::size_t>(kMostResults);
    });
    if (found_.empty()) {
        auto* none = new QListWidgetItem(Text(labels_[label::kAlignmentsNone]), results_);
        none->setFlags(Qt::NoItemFlags);
    }
}

void AlignmentDialog::Choose(QListWidgetItem* item) {
    const int row = results_->row(item);
    if (row < 0 || static_cast<std::size_t>(row) >= found_.size()) return;
    emit dateChosen(found_[static_cast<std::size_t>(row)]);
}

}  // namespace dawn
