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

// The 16 x 15 toolbar pictures, drawn rather than shipped as bitmaps.
QIcon toolbarIcon(ToolbarIcon which);

} // namespace quorl
