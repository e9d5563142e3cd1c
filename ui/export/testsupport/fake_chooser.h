#pragma once
// For the tests of the export dialog.
#include <QString>
#include <QStringList>

#include "ui/export/exportdialog.h"

namespace dawn::test {

// Answers the save dialog with a preset path (empty: cancel) and records the
// names it was offered.
class FakeChooser final : public ExportFileChooser {
public:
    QString chooseSaveFile(QWidget*, const QString& proposedName) override {
        offered << proposedName;
        return answer;
    }
    QString chooseCalendarFile(QWidget*, const QString& proposedName) override {
        offered << proposedName;
        return calendarAnswer;
    }
    QString calendarAnswer;
    QStringList offered;
    QString answer;
};

}  // namespace dawn::test
