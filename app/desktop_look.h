#pragma once

class QApplication;

namespace quorl {

// What every window of the program shares on the desktop: the program's icon and
// windows kept on the screen. The program, its screenshot renderer and the layout
// test all start with it, so the pictures and the checks show the program as it is.
void applyDesktopLook(QApplication& app);

} // namespace quorl
