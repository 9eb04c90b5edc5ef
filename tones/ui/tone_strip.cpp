#include "tones/ui/tone_strip.h"

#include <QPainter>
#include <QPalette>
#include <algorithm>

namespace quorl {

CToneStrip::CToneStrip(QWidget* parent) : QWidget(parent) {
    setMinimumHeight(120);
    setAccessibleName(QStringLiteral("Tones over time"));
}

void CToneStrip::setRecording(const tones::Spectrogram& picture, double seconds,
                              std::vector<tones::FoundTone> found) {
    spectrogram_ = picture;
    seconds_ = seconds;
    found_ = std::move(found);
    selectedFirst_ = -1;
    picture_ = QImage(picture.columns, picture.rows, QImage::Format_Grayscale8);
    for (int c = 0; c < picture.columns; ++c)
        for (int r = 0; r < picture.rows; ++r) {
            // -60 dB and below white, 0 dB black; row 0 (250 Hz) at the bottom.
            const float db = picture.db[static_cast<std::size_t>(c * picture.rows + r)];
            const int grey = std::clamp(static_cast<int>(255 * (-db / 60.0f)), 0, 255);
            picture_.setPixel(c, picture.rows - 1 - r, qRgb(grey, grey, grey));
        }
    update();
}

void CToneStrip::selectTones(int first, int count) {
    selectedFirst_ = first;
    selectedCount_ = count;
    update();
}

double CToneStrip::yOf(double hz) const {
    const double f = (hz - spectrogram_.lowHz) / (spectrogram_.highHz - spectrogram_.lowHz);
    return height() * (1.0 - std::clamp(f, 0.0, 1.0));
}

QRectF CToneStrip::toneRect(const tones::FoundTone& t) const {
    if (seconds_ <= 0)
        return {};
    const double x0 = width() * t.start / seconds_;
    const double x1 = width() * (t.start + t.duration) / seconds_;
    const double y = yOf(t.hz);
    return QRectF(QPointF(x0, y - 4), QPointF(x1, y + 4));
}

void CToneStrip::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!picture_.isNull())
        p.drawImage(rect(), picture_);
    p.setRenderHint(QPainter::Antialiasing);
    for (std::size_t i = 0; i < found_.size(); ++i) {
        const int index = static_cast<int>(i);
        const bool selected = index >= selectedFirst_ && index < selectedFirst_ + selectedCount_;
        p.setPen(QPen(selected ? palette().color(QPalette::Highlight) : QColor(220, 120, 0),
                      selected ? 3 : 2));
        p.drawRect(toneRect(found_[i]));
    }
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace quorl
