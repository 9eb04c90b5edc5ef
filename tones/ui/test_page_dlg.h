#pragma once

#include "codeplug/codeplug_image.h"
#include "tones/page_timing.h"

#include <QDialog>
#include <optional>
#include <vector>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace quorl {

class CTestPagePlayer;

// Tools > Test Page...: the paging tones of one call of the codeplug, played on the
// computer's sound output or saved as a WAV file, with the timing a dispatch
// centre uses.
class CTestPageDlg : public QDialog {
    Q_OBJECT

public:
    CTestPageDlg(const CodeplugImage& image, QWidget* parent = nullptr);

    tones::PageTiming timing() const;
    int rate() const;
    // The page as chosen, at `rate`; nothing when the channel has no call to page.
    std::optional<std::vector<float>> pageSamples(int rate) const;
    // Writes the page as a WAV file; false with the reason.
    bool saveTo(const QString& path, QString* problem) const;

    QComboBox* channelCombo() const { return channel_; }
    QComboBox* callCombo() const { return call_; }
    QPushButton* playButton() const { return play_; }
    QPushButton* saveButton() const { return save_; }
    QLabel* statusLabel() const { return status_; }

private:
    void fillCalls();
    void onSave();

    CodeplugImage image_;
    CTestPagePlayer* player_;
    QComboBox* channel_;
    QComboBox* call_;
    QDoubleSpinBox* aSeconds_;
    QDoubleSpinBox* bSeconds_;
    QDoubleSpinBox* longSeconds_;
    QDoubleSpinBox* gapMs_;
    QDoubleSpinBox* level_;
    QSpinBox* repeat_;
    QComboBox* rate_;
    QPushButton* play_;
    QPushButton* save_;
    QLabel* status_;
};

} // namespace quorl
