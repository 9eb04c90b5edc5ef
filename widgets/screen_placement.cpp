#include "widgets/screen_placement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace quorl {

QRect placedOnScreen(const QRect& frame, const QRect& available) {
    QRect r = frame;
    r.setWidth(std::min(r.width(), available.width()));
    r.setHeight(std::min(r.height(), available.height()));
    if (r.right() > available.right())
        r.moveRight(available.right());
    if (r.bottom() > available.bottom())
        r.moveBottom(available.bottom());
    if (r.left() < available.left())
        r.moveLeft(available.left());
    if (r.top() < available.top())
        r.moveTop(available.top());
    return r;
}

void ScreenPlacement::place(QWidget& window) {
    const QWidget* parent = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    QScreen* screen = parent ? parent->screen() : window.screen();
    if (!screen)
        return;
    const QRect frame = window.frameGeometry();
    const QRect placed = placedOnScreen(frame, screen->availableGeometry());
    if (placed == frame)
        return;
    // The frame (title bar and borders) stays around the client area.
    const QMargins decoration(
        window.geometry().left() - frame.left(), window.geometry().top() - frame.top(),
        frame.right() - window.geometry().right(), frame.bottom() - window.geometry().bottom());
    if (placed.size() != frame.size())
        window.resize(placed.marginsRemoved(decoration).size());
    window.move(placed.topLeft());
}

bool ScreenPlacement::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* w = static_cast<QWidget*>(watched);
        const Qt::WindowType type = w->windowType();
        if (w->isWindow() && type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen)
            place(*w);
    }
    return QObject::eventFilter(watched, event);
}

} // namespace quorl
