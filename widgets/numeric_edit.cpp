#include "widgets/numeric_edit.h"

#include <QKeyEvent>

namespace quorl {

NumericEdit::NumericEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(7);
}

void NumericEdit::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const QString text = event->text();
    const bool digitOrPoint =
        text.size() == 1 && (text[0].isDigit() || text[0] == QLatin1Char('.'));
    const bool editing = key == Qt::Key_Backspace || key == Qt::Key_Delete || key == Qt::Key_Left ||
                         key == Qt::Key_Right || key == Qt::Key_Tab || key == Qt::Key_Backtab;
    const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
    const bool shortcut = event->modifiers() & Qt::ControlModifier;
    if (!digitOrPoint && !editing && !enter && !shortcut) {
        event->accept(); // dropped, and it must not reach the dialog either
        return;
    }
    emit keyPressed();
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
