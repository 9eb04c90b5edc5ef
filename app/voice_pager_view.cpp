#include "app/voice_pager_view.h"

#include "app/background_picture.h"

#include <QDateTime>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <system_error>

namespace quorl {

CVoicePagerView::CVoicePagerView(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("voicePagerView"));
    // Everything is painted from the off-screen picture; no background erase.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    setFrameShape(QFrame::NoFrame);
    timer0_.setInterval(kTimerPeriodMs);
    connect(&timer0_, &QTimer::timeout, this, &CVoicePagerView::refreshCradles);
    // The welcome picture is drawn on a worker thread (painting on a QImage, text
    // included, is allowed outside the interface thread) while the window is made and
    // shown; the view repaints when it is ready. The window usually opens on the screen
    // the view is made for; if not, the picture is drawn again at that screen's scale.
    QWidget* area = viewport();
    try {
        preparedPicture_ = std::async(std::launch::async, [area, dpr = devicePixelRatioF()] {
            QImage picture = backgroundPicture(dpr);
            // Queued to the interface thread; dropped if the view is gone by then.
            QMetaObject::invokeMethod(area, qOverload<>(&QWidget::update), Qt::QueuedConnection);
            return picture;
        });
    } catch (const std::system_error&) {
        // No thread to be had (a process at its limit): the first paint draws it.
    }
}

void CVoicePagerView::takePicture(qreal devicePixelRatio, bool waitForWorker) {
    if (preparedPicture_.valid()) {
        if (!waitForWorker &&
            preparedPicture_.wait_for(std::chrono::seconds(0)) != std::future_status::ready)
            return;
        try {
            QImage prepared = preparedPicture_.get();
            if (prepared.devicePixelRatio() == devicePixelRatio) {
                offscreen_ = std::move(prepared);
                return;
            }
        } catch (const std::exception&) {
            // The worker could not draw it (out of memory); try once more here.
        }
    }
    offscreen_ = backgroundPicture(devicePixelRatio);
}

void CVoicePagerView::waitForPicture() {
    takePicture(viewport()->devicePixelRatioF(), true);
    viewport()->update();
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
    if (offscreen_.isNull() || offscreen_.devicePixelRatio() != dpr)
        takePicture(dpr, false);
    if (!firstPaintReported_) {
        firstPaintReported_ = true;
        // The start-up benchmark (bench/startup_vs_qdmr.sh) times the program to here.
        if (qEnvironmentVariableIsSet("QUORL_REPORT_FIRST_PAINT"))
            std::fprintf(stderr, "first paint at %lld ms\n",
                         static_cast<long long>(QDateTime::currentMSecsSinceEpoch()));
        QTimer::singleShot(0, this, &CVoicePagerView::firstPainted);
    }
    QPainter painter(viewport());
    if (offscreen_.isNull()) {
        // The picture is still being drawn: its sky colour for the few milliseconds
        // until it comes.
        painter.fillRect(event->rect(), kPictureSkyTop);
        return;
    }
    painter.fillRect(event->rect(), Qt::white);
    // A view smaller than the picture shows it whole, scaled down, never cut off.
    const QRectF target = pictureRect();
    painter.drawImage(target, offscreen_);
    if (note_.isEmpty())
        return;
    painter.translate(target.topLeft());
    painter.scale(target.width() / kViewWidth, target.height() / kViewHeight);
    painter.setFont(QFont(QStringLiteral("Sans Serif"), 11));
    painter.setPen(kPictureNoteColor);
    painter.drawText(kPictureNoteRect, Qt::AlignLeft | Qt::TextWordWrap, note_);
}

QRectF CVoicePagerView::pictureRect() const {
    const QSize area = viewport()->size();
    const double scale =
        std::min({1.0, area.width() / double(kViewWidth), area.height() / double(kViewHeight)});
    return {0, 0, kViewWidth * scale, kViewHeight * scale};
}

void CVoicePagerView::setNote(const QString& note) {
    if (note == note_)
        return;
    note_ = note;
    viewport()->update();
}

void CVoicePagerView::scrollContentsBy(int, int) {
    viewport()->update();
}

void CVoicePagerView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void CVoicePagerView::updateScrollBars() {
    // The picture always fits: scaled down in a small view, so nothing scrolls.
    horizontalScrollBar()->setRange(0, 0);
    verticalScrollBar()->setRange(0, 0);
}

} // namespace quorl
