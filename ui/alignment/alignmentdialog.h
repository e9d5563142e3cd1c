#pragma once
// The alignment finder's dialog: the body, rise or set, the azimuth and its
// tolerance, the range of dates (and for the moon the least lit part); the
// dates found, on the user's clock as the main window shows them, in a
// list. Choosing a line says which date to show (dateChosen); the program
// entry connects it to the shared state and the main window.
#include <QDialog>
#include <vector>

#include "core/settings.h"
#include "i18n/labels.h"
#include "present/alignment.h"
#include "present/locale.h"

class QComboBox;
class QDateEdit;
class QDoubleSpinBox;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace dawn {

class AlignmentDialog : public QDialog {
    Q_OBJECT
public:
    // `shown` starts the range, which runs a year.
    AlignmentDialog(const SiteSettings& settings, const CurrentLabels& labels,
                    const LocaleFormats& formats, DayNumber shown, QWidget* parent = nullptr);

    // The query of the fields.
    AlignmentQuery Query() const;
    // Runs the finder over the fields' range and lists what it found (at
    // most kMostResults dates).
    void Find();
    static constexpr int kMostResults = 5000;

    QComboBox* BodyBox() const { return body_; }
    QComboBox* EventBox() const { return event_; }
    QDoubleSpinBox* AzimuthBox() const { return azimuth_; }
    QDoubleSpinBox* ToleranceBox() const { return tolerance_; }
    QDoubleSpinBox* LeastLitBox() const { return leastLit_; }
    QDateEdit* FromBox() const { return from_; }
    QDateEdit* ToBox() const { return to_; }
    QPushButton* FindButton() const { return find_; }
    QListWidget* Results() const { return results_; }

signals:
    void dateChosen(dawn::DayNumber date);

private:
    void Choose(QListWidgetItem* item);

    SiteSettings settings_;
    CurrentLabels labels_;
    LocaleFormats formats_;
    std::vector<DayNumber> found_;
    QComboBox* body_ = nullptr;
    QComboBox* event_ = nullptr;
    QDoubleSpinBox* azimuth_ = nullptr;
    QDoubleSpinBox* tolerance_ = nullptr;
    QDoubleSpinBox* leastLit_ = nullptr;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QPushButton* find_ = nullptr;
    QListWidget* results_ = nullptr;
};

}  // namespace dawn
