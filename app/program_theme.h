#pragma once

#include <QPalette>
#include <QString>

class QApplication;
class QSettings;

namespace quorl {

// View > Theme: the desktop's own look, or the program's light or dark one.
enum class ProgramTheme { System, Light, Dark };

// The dark palette over the Fusion style: texts and controls keep their contrast
// against the dark window (the layout test checks it), and the toolbar pictures
// turn light on it.
QPalette darkFusionPalette();

// The theme remembered in the profile ("Settings/Theme"); System when none is.
ProgramTheme savedTheme(QSettings& settings);
void saveTheme(QSettings& settings, ProgramTheme theme);

// Applies `theme` to every window. System puts back the style and palette the
// program started with; Light and Dark use Fusion with its own light palette or
// the dark one.
void applyTheme(QApplication& app, ProgramTheme theme);

} // namespace quorl
