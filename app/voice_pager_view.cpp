#include "app/voice_pager_view.h"

#include "app/background_picture.h"

#include <QDateTime>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <cstdio>

namespace quorl {

CVoicePagerView::CVoicePagerView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("voicePagerView"));
    // Everything is painted from the off-screen picture; no background erase.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setFrameShape(QFrame::NoFrame);
    timer0_.setInterval(kTimerPeriodMs);
    connect(&timer0_, &QTimer::timeout, this, &CVoicePagerView::refreshCradles);
}

void CVoicePagerView::startTimer0() {
    timer0_.start(kTimerPeriodMs);
}

void CVoicePagerView::stopTimer0() {
    timer0_.stop();
}

void CVoicePagerView::refreshCradles() {
    if (cradleRefresh_)
        cradleRefresh_();
}

QSize CVoicePagerView::sizeHint() const {
    return scrollSize();
}

void CVoicePagerView::showEvent(QShowEvent* event) {
    QAbstractScrollArea::showEvent(event);
    if (!firstUpdateDone_) {
        firstUpdateDone_ = true;
        updateScrollBars();
        emit firstUpdate();
    }
}

void CVoicePagerView::paintEvent(QPaintEvent* event) {
    const qreal dpr = viewport()->devicePixelRatioF();
    if (offscreen_.isNull() || offscreen_.devicePixelRatio() != dpr) {
        // Created on the first paint (and again when the window moves to a screen of
        // another scale): white, with the picture in its top-left corner, at the
        // screen's own resolution.
        offscreen_ = QImage(scrollSize() * dpr, QImage::Format_RGB888);
        offscreen_.setDevicePixelRatio(dpr);
        offscreen_.fill(Qt::white);
        QPainter p(&offscreen_);
        p.drawImage(0, 0, backgroundPicture(dpr));
    }
    if (!firstPaintReported_) {
        firstPaintReported_ = true;
        // The start-up benchmark (bench/startup_vs_qdmr.sh) times the program to here.
        if (qEnvironmentVariableIsSet("QUORL_REPORT_FIRST_PAINT"))
            std::fprintf(stderr, "first paint at %lld ms\n",
                         static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
        QTimer::singleShot(0, this, &CVoicePagerView::firstPainted);
    }
    QPainter painter(viewport());
    painter.fillRect(event->rect(), Qt::white);
    painter.drawImage(QPoint(-horizontalScrollBar()->value(), -verticalScrollBar()->value()),
                      offscreen_);
}

void CVoicePagerView::scrollContentsBy(int, int) {
    viewport()->update();
}

void CVoicePagerView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void CVoicePagerView::updateScrollBars() {
    // When the picture fits the area without scroll bars, show none; otherwise the
    // bars can keep each other alive (each one's space makes the other necessary).
    const QSize whole = maximumViewportSize();
    const bool fits =
        whole.width() >= scrollSize().width() && whole.height() >= scrollSize().height();
    const QSize area = fits ? whole : viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, scrollSize().width() - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, scrollSize().height() - area.height()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setPageStep(area.height());
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
}

} // namespace quorl
