#pragma once

class QWidget;

namespace quorl {

// The width a text box needs to show `chars` digits in its own font, frame and
// margins included: boxes are sized by what they hold, not by the window.
int textBoxWidth(const QWidget* box, int chars);

} // namespace quorl
