#pragma once

#include <QWidget>

class QToolButton;

namespace quorl {

// The small up/down arrow pair beside an edit box.
class SpinButtons : public QWidget {
    Q_OBJECT

public:
    explicit SpinButtons(QWidget* parent = nullptr);
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

signals:
    void stepped(bool up);

private:
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace quorl
