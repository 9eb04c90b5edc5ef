#include "widgets/text_width.h"

#include <QFontMetrics>
#include <QStyle>
#include <QWidget>

namespace quorl {

int textBoxWidth(const QWidget* box, int chars) {
    const int text = box->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0')));
    const int frame = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, box);
    // Two pixels on each side for the cursor, as a line edit keeps them, plus a
    // little air so a full box does not look cramped.
    return text + 2 * frame + 2 * 2 + 6;
}

} // namespace quorl
