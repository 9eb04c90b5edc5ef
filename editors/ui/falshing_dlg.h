#pragma once

#include "codeplug/codeplug_state.h"
#include "editors/falsing_adjustment.h"

#include <QDialog>

class QSlider;

namespace quorl {

// "Falsing Adjustment": the tone tolerance and interpage gap time levels of the
// channel shown. Sliders write the edit image at once; OK commits the byte, Cancel
// (or closing) puts the committed byte back.
class CFalshingDlg : public QDialog {
    Q_OBJECT
public:
    CFalshingDlg(CodeplugState& state, int channel, QWidget* parent = nullptr);

    QSlider* toneToleranceSlider() const { return toneTolerance_; }
    QSlider* interpageGapSlider() const { return interpageGap_; }

    void accept() override;
    void reject() override;

private:
    FalsingAdjustment falsing_;
    QSlider* toneTolerance_;
    QSlider* interpageGap_;
};

} // namespace quorl
