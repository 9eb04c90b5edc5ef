#include "app/desktop_look.h"

#include "app/toolbar_icons.h"
#include "widgets/screen_placement.h"

#include <QApplication>

namespace quorl {

void applyDesktopLook(QApplication& app) {
    QApplication::setWindowIcon(toolbarIcon(ToolbarIcon::Application));
    app.installEventFilter(new ScreenPlacement(&app));
}

} // namespace quorl
