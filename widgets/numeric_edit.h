#pragma once

#include <QLineEdit>

namespace quorl {

// An edit box for decimal numbers: only digits, the decimal point (typed as '.' or
// ',' from the main keys or the keypad) and the editing keys (Backspace, Delete,
// Left, Right, Tab, Enter) reach it. Pasted or dropped text has its commas read as
// points; what is still no number stays for the box's check to refuse with its
// message. Enter checks the
// value at once; the loss of focus that may follow does not check it again.
class NumericEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit NumericEdit(QWidget* parent = nullptr);

signals:
    // The user finished typing (Enter, or leaving the box after a change).
    void valueEntered(const QString& text);
    // Any key press in the box, also one that the box drops.
    void keyPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool enterHandled_ = false;
};

} // namespace quorl
