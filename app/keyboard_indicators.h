#pragma once

#include <QLabel>
#include <QObject>

class QStatusBar;

namespace quorl {

// The status bar's CAP, NUM and SCRL panes. Qt has no portable way to ask for the
// lock keys, so the panes follow the lock state that every key event carries on
// X11 (Lock, Mod2 and Mod5 of the native modifiers) and the lock keys themselves.
class KeyboardIndicators : public QObject {
    Q_OBJECT

public:
    explicit KeyboardIndicators(QStatusBar* bar);

    // From the native modifier state of a key event.
    void update(quint32 nativeModifiers);
    bool capsOn() const { return caps_->isEnabled(); }
    bool numOn() const { return num_->isEnabled(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* caps_;
    QLabel* num_;
    QLabel* scroll_;
};

} // namespace quorl
