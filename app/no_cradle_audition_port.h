#pragma once

#include "editors/audition_port.h"

#include <QPointer>
#include <QWidget>

namespace quorl {

// The Play Pager buttons' link while no cradle can be reached: the buttons are
// disabled then, and a press that slips through is told why nothing sounds.
class NoCradleAuditionPort : public AuditionPort {
public:
    explicit NoCradleAuditionPort(QWidget* owner) : owner_(owner) {}
    void play(const AuditionRequest& request,
              const std::function<void(int durationMs)>& startTimer) override;

private:
    QPointer<QWidget> owner_;
};

} // namespace quorl
