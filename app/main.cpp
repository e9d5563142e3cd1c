// The program entry: the application title, then the six windows, created
// once each and in this order, wired together, and the message loop.
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QLocale>

#include "ui/main/appstate.h"
#include "ui/main/tform1.h"

namespace {

std::chrono::year_month_day TodayFromSystem() {
    const QDate today = QDate::currentDate();
    return std::chrono::year_month_day(std::chrono::year(today.year()), std::chrono::month(unsigned(today.month())),
                                       std::chrono::day(unsigned(today.day())));
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(dawn::kApplicationTitle));
    QApplication::setApplicationVersion(QString::fromLatin1(dawn::kVersionText));

    // The records every window shares; they outlive the windows.
    dawn::AppState state;
    const dawn::StartupInputs inputs{QDir::currentPath(), QLocale::system(), TodayFromSystem()};

    auto* form1 = new dawn::TForm1(state, inputs);
    form1->setAttribute(Qt::WA_DeleteOnClose, false);

    form1->show();
    const int result = app.exec();
    // The main window saves the settings as it goes.
    delete form1;
    return result;
}
