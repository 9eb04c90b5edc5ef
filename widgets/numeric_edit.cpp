#include "widgets/numeric_edit.h"

#include "widgets/decimal_point_validator.h"

#include <QKeyEvent>

namespace quorl {

NumericEdit::NumericEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(7);
    setValidator(new DecimalPointValidator(this));
}

void NumericEdit::keyPressEvent(QKeyEvent* event) {
    // Every key press counts, also the ones the box drops.
    emit keyPressed();
    const int key = event->key();
    const QString text = event->text();
    // The decimal key of the keypad and the comma of the main keys type the point,
    // whatever the keyboard layout and the desktop's language say.
    if (text == QLatin1String(",") ||
        ((event->modifiers() & Qt::KeypadModifier) && text == QLatin1String("."))) {
        enterHandled_ = false;
        insert(QStringLiteral("."));
        event->accept();
        return;
    }
    const bool digitOrPoint =
        text.size() == 1 && ((text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9')) ||
                             text[0] == QLatin1Char('.'));
    const bool editing = key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Left ||
                         key == Qt::Key_Right || key == Qt::Key_Tab || key == Qt::Key_Backtab;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool shortcut = event->modifiers() & Qt::ControlModifier;
    if (!digitOrPoint && !editing && !enter && !shortcut) {
        event->accept(); // dropped, and it must not reach the dialog either
        return;
    }
    if (enter) {
        enterHandled_ = true;
        emit valueEntered(QLineEdit::text());
        event->accept();
        return;
    }
    enterHandled_ = false;
    QLineEdit::keyPressEvent(event);
}

void NumericEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (enterHandled_) {
        enterHandled_ = false;
        return;
    }
    if (isModified()) {
        setModified(false);
        emit valueEntered(text());
    }
}

} // namespace quorl
