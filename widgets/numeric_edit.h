#pragma once

#include <QLineEdit>

namespace quorl {

// An edit box for decimal numbers: only digits, the decimal point and the editing
// keys (Backspace, Delete, Left, Right, Tab, Enter) reach it, and pasted or dropped
// text only when it is digits with at most one point. Enter checks the
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
