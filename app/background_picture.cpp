#include "app/background_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

namespace quorl {

namespace {

void drawPager(QPainter& p, const QRectF& body) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(29, 53, 87));
    p.drawRoundedRect(body, 18, 18);
    const QRectF screen = body.adjusted(18, 22, -18, -body.height() * 0.55);
    p.setBrush(QColor(168, 218, 220));
    p.drawRoundedRect(screen, 6, 6);
    // Two tones: a short burst and a long one, as the pager hears a call.
    QPainterPath wave;
    const double y = screen.center().y();
    wave.moveTo(screen.left() + 10, y);
    for (int i = 0; i < 24; ++i) {
        const double x = screen.left() + 10 + i * (screen.width() - 20) / 24.0;
        const double amp = i < 10 ? 12 : 20;
        wave.lineTo(x, y + ((i % 2) ? amp : -amp));
    }
    p.setPen(QPen(QColor(29, 53, 87), 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wave);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(230, 57, 70));
    p.drawEllipse(QPointF(body.center().x() - 26, body.bottom() - 90), 14, 14);
    p.setBrush(QColor(241, 250, 238));
    p.drawEllipse(QPointF(body.center().x() + 26, body.bottom() - 90), 14, 14);
    p.setBrush(QColor(69, 123, 157));
    p.drawRoundedRect(QRectF(body.center().x() - 40, body.bottom() - 48, 80, 10), 5, 5);
}

} // namespace

QImage backgroundPicture(qreal devicePixelRatio) {
    const qreal dpr = std::max<qreal>(1.0, devicePixelRatio);
    QImage img(static_cast<int>(kViewWidth * dpr), static_cast<int>(kViewHeight * dpr),
               QImage::Format_RGB888);
    img.setDevicePixelRatio(dpr);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, kViewHeight);
    sky.setColorAt(0, kPictureSkyTop);
    sky.setColorAt(1, QColor(168, 218, 220));
    p.fillRect(QRect(0, 0, kViewWidth, kViewHeight), sky);
    drawPager(p, QRectF(90, 90, 200, 360));

    p.setPen(QColor(29, 53, 87));
    QFont title(QStringLiteral("Sans Serif"), 34, QFont::Bold);
    p.setFont(title);
    p.drawText(QRectF(340, 150, 560, 60), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Tessaly VI Quorl"));
    QFont sub(QStringLiteral("Sans Serif"), 15);
    p.setFont(sub);
    p.drawText(QRectF(342, 215, 560, 30), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Two Tone Voice Pager Programming Software"));
    return img;
}

} // namespace quorl
