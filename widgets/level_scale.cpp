#include "widgets/level_scale.h"

#include "widgets/level_slider.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionSlider>

namespace quorl {

namespace {

// Half the width of the name's first character: the part left of its tick.
int leadHalf(const QLabel* name) {
    return name->fontMetrics().horizontalAdvance(name->text().left(1)) / 2;
}

} // namespace

LevelScale::LevelScale(LevelSlider* slider, const QString& scale, QWidget* parent)
    : QWidget(parent), slider_(slider) {
    setAccessibleName(scale.simplified());
    const QStringList names =
        scale.trimmed().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (int level = 0; level < names.size(); ++level) {
        auto* name = new QLabel(names[level], this);
        name->setObjectName(QStringLiteral("level%1").arg(level));
        name->installEventFilter(this);
        names_.push_back(name);
    }
    slider_->installEventFilter(this);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

int LevelScale::tickInSlider(int level) const {
    QStyleOptionSlider option;
    option.initFrom(slider_);
    option.orientation = Qt::Horizontal;
    option.minimum = slider_->minimum();
    option.maximum = slider_->maximum();
    option.sliderPosition = level;
    option.sliderValue = level;
    option.tickPosition = slider_->tickPosition();
    option.tickInterval = slider_->tickInterval();
    const QRect groove = slider_->style()->subControlRect(QStyle::CC_Slider, &option,
                                                          QStyle::SC_SliderGroove, slider_);
    const QRect handle = slider_->style()->subControlRect(QStyle::CC_Slider, &option,
                                                          QStyle::SC_SliderHandle, slider_);
    const int span = std::max(0, groove.width() - handle.width());
    return groove.x() + handle.width() / 2 +
           QStyle::sliderPositionFromValue(option.minimum, option.maximum, level, span);
}

int LevelScale::tickX(int level) const {
    // The slider stands above this widget, aligned or not: its x in ours.
    return tickInSlider(level) + slider_->mapTo(window(), QPoint()).x() -
           mapTo(window(), QPoint()).x();
}

QSize LevelScale::sizeHint() const {
    int width = slider_->width();
    int height = 0;
    // The last name may reach past the slider's end.
    if (!names_.isEmpty()) {
        const QLabel* last = names_.back();
        width = std::max(width, tickInSlider(slider_->maximum()) - leadHalf(last) +
                                    last->sizeHint().width());
    }
    for (const QLabel* name : names_)
        height = std::max(height, name->sizeHint().height());
    return {width, height};
}

QSize LevelScale::minimumSizeHint() const {
    return sizeHint();
}

void LevelScale::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeNames();
}

bool LevelScale::eventFilter(QObject* watched, QEvent* event) {
    if (watched == slider_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move ||
                               event->type() == QEvent::StyleChange))
        placeNames();
    if (event->type() == QEvent::MouseButtonPress) {
        const auto at = names_.indexOf(qobject_cast<QLabel*>(watched));
        if (at >= 0 && slider_->isEnabled()) {
            slider_->setFocus(Qt::MouseFocusReason);
            slider_->setValue(slider_->minimum() + static_cast<int>(at));
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void LevelScale::placeNames() {
    for (int level = 0; level < names_.size(); ++level) {
        QLabel* name = names_[level];
        const QSize size = name->sizeHint();
        const int left = std::max(0, tickX(slider_->minimum() + level) - leadHalf(name));
        name->setGeometry(left, 0, size.width(), size.height());
    }
    updateGeometry();
}

} // namespace quorl
