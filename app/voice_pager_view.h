#pragma once

#include "app/background_picture.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QTimer>
#include <functional>
#include <future>

namespace quorl {

// The main view: paints the 920 x 550 welcome picture through an off-screen copy
// and scrolls over it; owns timer 0, the one-second refresh of connected cradles.
class CVoicePagerView : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr int kTimerPeriodMs = 1000;

    explicit CVoicePagerView(QWidget* parent = nullptr);

    // Timer 0 stops while a modal window or a pager operation runs.
    void startTimer0();
    void stopTimer0();
    bool timer0Running() const { return timer0_.isActive(); }

    // What timer 0 does each second; the cradle refresh registers here.
    void setCradleRefresh(std::function<void()> refresh) { cradleRefresh_ = std::move(refresh); }
    void refreshCradles();

    // Pictures of the window (the manual's, the layout check) need the welcome
    // picture in place, not the sky colour shown while it is being drawn.
    void waitForPicture();

    // The words under the title: how to begin, or the codeplug loaded.
    void setNote(const QString& note);
    const QString& note() const { return note_; }
    // Where the picture is drawn: whole, scaled down when the view is smaller.
    QRectF pictureRect() const;

    QSize sizeHint() const override;
    // The size the frame must give the view so that the whole picture shows.
    static QSize scrollSize() { return {kViewWidth, kViewHeight}; }

signals:
    void firstUpdate();
    // The first time the view is on the screen: start-up work that the first window
    // need not wait for runs after it.
    void firstPainted();

protected:
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void updateScrollBars();
    // Takes the worker's picture when it is ready (or, told to, waits for it); draws
    // it here when the worker drew it for another scale.
    void takePicture(qreal devicePixelRatio, bool waitForWorker);

    // A future of std::async waits for its worker when destroyed: here, before the
    // base class deletes the viewport the worker asks to repaint.
    std::future<QImage> preparedPicture_;
    QImage offscreen_;
    QTimer timer0_;
    std::function<void()> cradleRefresh_;
    QString note_ = QString::fromUtf8(kStartNote);
    bool firstUpdateDone_ = false;
    bool firstPaintReported_ = false;
};

} // namespace quorl
