#include "ui/common/messages.h"

#include <QMessageBox>

namespace dawn {
namespace {

// Messages quote file names, lines of files and labels: always plain text,
// whatever they look like.
int Ask(QWidget* parent, QMessageBox::Icon icon, const QString& text,
        QMessageBox::StandardButtons buttons) {
    QMessageBox box(icon, QStringLiteral("dawnhelm"), text, buttons, parent);
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

class RealBoxes final : public MessageBoxes {
public:
    void showMessage(QWidget* parent, const QString& text) override {
        Ask(parent, QMessageBox::Information, text, QMessageBox::Ok);
    }
    bool confirm(QWidget* parent, const QString& text) override {
        return Ask(parent, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    }
};

}  // namespace

MessageBoxes& RealMessageBoxes() {
    static RealBoxes boxes;
    return boxes;
}

}  // namespace dawn
