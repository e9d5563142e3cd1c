#pragma once
// The seam through which every window shows a message box or asks a yes/no
// question. Each window is given the boxes it uses when it is made: the
// program gives the real message boxes, tests a recorder that stores the
// texts and answers questions as told.
#include <QString>

class QWidget;

namespace dawn {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A box with the text and an OK button. The text is shown as plain text.
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool confirm(QWidget* parent, const QString& text) = 0;
};

// The real message boxes.
MessageBoxes& RealMessageBoxes();

}  // namespace dawn
