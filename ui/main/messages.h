#pragma once
// The seam through which every window shows a message box or asks a yes/no
// question. The program uses real message boxes; tests install a recorder
// that stores the texts and answers questions as told.
#include <QString>

class QWidget;

namespace dawn {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A box with the text, shown as plain text, and an OK button.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
};

// The boxes in use; real message boxes unless a test installed others.
MessageBoxes& Messages();
// Installs `boxes` (not owned); nullptr restores the real message boxes.
void SetMessages(MessageBoxes* boxes);

}  // namespace dawn
