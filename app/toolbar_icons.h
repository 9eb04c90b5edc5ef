#pragma once

#include <QIcon>

namespace quorl {

enum class ToolbarIcon {
    Open,
    Save,
    ReadCodeplug,
    WriteCodeplug,
    WriteCustomAudio,
    UserData,
    CustomAudio,
    SystemSetup,
    Print,
    About,
    Help,
    Application,
};

// The 16 x 15 toolbar pictures, drawn rather than shipped as bitmaps, in colours
// that read on the application palette's window colour (light or dark).
QIcon toolbarIcon(ToolbarIcon which);

} // namespace quorl
