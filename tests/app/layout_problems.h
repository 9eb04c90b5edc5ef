#pragma once

#include <QStringList>

class QWidget;

namespace quorl::test {

// What a user would see as an untidy window: a control lying (partly) outside the
// widget that holds it, two controls overlapping, a label, button or box too small
// for its own text, a window reaching past the screen. Each problem is one line
// naming the widgets, for the test's failure message.
QStringList layoutProblems(QWidget& window);

// The scroll areas of `window` that scroll: on a screen with room for the whole
// window, its pages should not.
QStringList scrollProblems(QWidget& window);

} // namespace quorl::test
