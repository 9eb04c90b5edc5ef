#pragma once

#include <QSlider>

namespace quorl {

// A horizontal slider over a few named levels. The whole control answers the
// mouse: a click anywhere (on the groove, beside it or on the tick marks) moves
// the handle to the nearest level, and a drag follows the pointer. A plain slider
// answers only on its thin groove, which leaves most of the control dead to clicks.
class LevelSlider : public QSlider {
    Q_OBJECT

public:
    explicit LevelSlider(int levels, QWidget* parent = nullptr);

    // The level under the x coordinate (widget coordinates).
    int levelAt(int x) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool dragging_ = false;
};

} // namespace quorl
