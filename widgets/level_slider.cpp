#include "widgets/level_slider.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

namespace quorl {

LevelSlider::LevelSlider(int levels, QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setRange(0, levels - 1);
    setPageStep(1);
    setTickPosition(QSlider::TicksBelow);
    setTickInterval(1);
}

int LevelSlider::levelAt(int x) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect groove =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
    const QRect handle =
        style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    const int span = std::max(1, groove.width() - handle.width());
    const int pos = std::clamp(x - groove.x() - handle.width() / 2, 0, span);
    // Rounded to the nearest level rather than the one to the left.
    const double step = static_cast<double>(span) / std::max(1, maximum() - minimum());
    return minimum() + static_cast<int>(pos / step + 0.5);
}

void LevelSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QSlider::mousePressEvent(event);
        return;
    }
    dragging_ = true;
    setSliderDown(true);
    setValue(levelAt(event->position().toPoint().x()));
    event->accept();
}

void LevelSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        QSlider::mouseMoveEvent(event);
        return;
    }
    setValue(levelAt(event->position().toPoint().x()));
    event->accept();
}

void LevelSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_) {
        QSlider::mouseReleaseEvent(event);
        return;
    }
    dragging_ = false;
    setSliderDown(false);
    event->accept();
}

} // namespace quorl
