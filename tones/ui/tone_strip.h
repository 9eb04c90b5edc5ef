#pragma once

#include "tones/band_picture.h"
#include "tones/found_tone.h"

#include <QImage>
#include <QWidget>
#include <vector>

namespace quorl {

// A recording's paging band over time, as a spectrogram-like strip: darker is
// louder, low tones at the bottom. Each found tone is framed; the tones of the
// selected page are framed in the highlight colour.
class CToneStrip : public QWidget {
    Q_OBJECT

public:
    explicit CToneStrip(QWidget* parent = nullptr);

    void setRecording(const tones::Spectrogram& picture, double seconds,
                      std::vector<tones::FoundTone> found);
    void selectTones(int first, int count);
    QSize sizeHint() const override { return {720, 180}; }

    // Where a tone's frame lies in the strip (for tests and the layout check).
    QRectF toneRect(const tones::FoundTone& t) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double yOf(double hz) const;
    QImage picture_;
    tones::Spectrogram spectrogram_;
    double seconds_ = 0;
    std::vector<tones::FoundTone> found_;
    int selectedFirst_ = -1, selectedCount_ = 0;
};

} // namespace quorl
