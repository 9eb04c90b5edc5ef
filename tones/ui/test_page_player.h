#pragma once

#include "widgets/wave_output.h"

#include <QObject>
#include <vector>

class QWidget;

namespace quorl {

// Plays test pages on the computer's sound output (not the pager): one press
// starts, the next stops. Playing never blocks: the samples are queued and the
// sound output takes them while the window goes on.
class CTestPagePlayer : public QObject {
    Q_OBJECT

public:
    explicit CTestPagePlayer(QObject* parent = nullptr);

    // Stops a page that is playing; otherwise starts `samples` (8 kHz, [-1, 1]).
    // Without a sound output it tells the user so over `parent` and plays nothing.
    void toggle(const std::vector<float>& samples, QWidget* parent);
    void stop();
    bool playing() const { return playing_; }

signals:
    void playingChanged(bool playing);

private:
    void setPlaying(bool playing);
    WaveOutput output_;
    bool playing_ = false;
};

} // namespace quorl
