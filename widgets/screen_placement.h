#pragma once

#include <QObject>
#include <QRect>

class QWidget;

namespace quorl {

// Where a window of `frame` (its outer rectangle, title bar included) goes on a screen
// whose free area is `available`: moved inside it, and shrunk first when it is larger.
QRect placedOnScreen(const QRect& frame, const QRect& available);

// Keeps every top-level window that is shown (main window, dialogs, tips, message
// boxes) fully on the screen that holds its parent, or its own screen when it has
// none. Installed once on the application.
class ScreenPlacement : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    static void place(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace quorl
