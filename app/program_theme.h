#pragma once

#include <QPalette>
#include <QString>

class QApplication;
class QSettings;

namespace quorl {

// View > Theme: the desktop's own look, or the program's light or dark one.
enum class ProgramTheme { System, Light, Dark };

// Fusion's light palette with a selection whose text reads at 4.5 : 1 (Fusion's
// own reads at 3.7 : 1): View > Theme > Light, and System where the desktop offers
// no theme of its own.
QPalette lightFusionPalette();

// The dark palette over the Fusion style: texts and controls keep their contrast
// against the dark window (the layout test checks it), and the toolbar pictures
// turn light on it.
QPalette darkFusionPalette();

// The theme remembered in the profile ("Settings/Theme"); System when none is.
ProgramTheme savedTheme(QSettings& settings);
void saveTheme(QSettings& settings, ProgramTheme theme);

// Applies `theme` to every window. System puts back the style and palette the
// program started with (the light palette where that was Qt's bare fallback);
// Light and Dark use Fusion with the light palette or the dark one.
void applyTheme(QApplication& app, ProgramTheme theme);

} // namespace quorl
