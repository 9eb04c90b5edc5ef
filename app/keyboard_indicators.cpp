#include "app/keyboard_indicators.h"

#include <QApplication>
#include <QKeyEvent>
#include <QStatusBar>

namespace quorl {

namespace {
// X11 modifier masks: Lock is Caps Lock, Mod2 Num Lock, Mod5 usually Scroll Lock.
constexpr quint32 kLockMask = 0x02;
constexpr quint32 kMod2Mask = 0x10;
constexpr quint32 kMod5Mask = 0x80;

QLabel* pane(QStatusBar* bar, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), bar);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 10);
    label->setEnabled(false); // greyed while the lock is off, as the classic panes were
    bar->addPermanentWidget(label);
    return label;
}
} // namespace

KeyboardIndicators::KeyboardIndicators(QStatusBar* bar)
    : QObject(bar), caps_(pane(bar, "CAP")), num_(pane(bar, "NUM")), scroll_(pane(bar, "SCRL")) {
    caps_->setObjectName(QStringLiteral("capsIndicator"));
    num_->setObjectName(QStringLiteral("numIndicator"));
    scroll_->setObjectName(QStringLiteral("scrollIndicator"));
    qApp->installEventFilter(this);
}

void KeyboardIndicators::update(quint32 native) {
    caps_->setEnabled((native & kLockMask) != 0);
    num_->setEnabled((native & kMod2Mask) != 0);
    scroll_->setEnabled((native & kMod5Mask) != 0);
}

bool KeyboardIndicators::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        quint32 native = key->nativeModifiers();
        // The state of a lock key's own press is the state before it toggles.
        if (event->type() == QEvent::KeyRelease) {
            if (key->key() == Qt::Key_CapsLock)
                native ^= kLockMask;
            if (key->key() == Qt::Key_NumLock)
                native ^= kMod2Mask;
        }
        if (native != 0 || key->key() == Qt::Key_CapsLock || key->key() == Qt::Key_NumLock)
            update(native);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quorl
