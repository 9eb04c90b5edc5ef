#include "widgets/numeric_edit.h"

#include <QKeyEvent>
#include <QValidator>

namespace quorl {

namespace {

// Whatever reaches the box (typing, paste, drag and drop, the context menu) must
// leave it holding ASCII digits with at most one decimal point. A paste of "nan",
// "1e3", "-1" or "0x10" is refused whole, so no such text is ever checked as a
// number.
class PlainDecimalValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        int points = 0;
        for (const QChar c : input) {
            if (c == QLatin1Char('.'))
                ++points;
            else if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return Invalid;
        }
        return points <= 1 ? Acceptable : Invalid;
    }
};

} // namespace

NumericEdit::NumericEdit(QWidget* parent) : QLineEdit(parent) {
    setMaxLength(7);
    setValidator(new PlainDecimalValidator(this));
}

void NumericEdit::keyPressEvent(QKeyEvent* event) {
    // Every key press counts, also the ones the box drops.
    emit keyPressed();
    const int key = event->key();
    const QString text = event->text();
    // The keypad's decimal key types the point whatever the keyboard layout says
    // (a decimal-comma layout gives ',').
    if ((event->modifiers() & Qt::KeypadModifier) &&
        (text == QLatin1String(",") || text == QLatin1String("."))) {
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
