#pragma once

#include "audio/sound_capture.h"
#include "widgets/wave_source.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;

namespace quorl {

class WaveOutput;

// "Record": records a slot's announcement from the system's default audio input,
// with a live peak meter, up to the longest recording the slot holds (it stops by
// itself there). Stopping tidies the recording as Tidy does; Before and After play
// it as recorded and as tidied before it is saved.
class CRecordDlg : public QDialog {
    Q_OBJECT

public:
    CRecordDlg(const QString& slotName, double limitSeconds, WaveOutput& output,
               QWidget* parent = nullptr);
    ~CRecordDlg() override;

    // Starts a new recording; false, after saying why, when there is no input.
    bool record();
    // Stops recording and tidies what was recorded.
    void stop();
    bool recording() const { return static_cast<bool>(source_); }
    double recordedSeconds() const { return take_ ? take_->seconds() : 0.0; }
    // The tidied recording at 8 kHz; empty until one is made.
    const std::vector<std::int16_t>& tidied() const { return tidied_; }

    // The meter at `peak` (0 to 1 of full scale) and `seconds` recorded so far.
    void showProgress(double peak, double seconds);

    // Says why nothing can be recorded (a message box; tests replace it).
    std::function<void(const QString&)> showProblem;

    void done(int result) override;

signals:
    void tidyDone(); // the tidied recording is ready to hear and save

private:
    void arrived(const std::uint8_t* block, std::size_t size);
    void failed(const std::string& why);
    void endSource();
    void showState();

    double limitSeconds_;
    WaveOutput& output_;
    std::unique_ptr<WaveSource> source_;
    std::optional<RecordingTake> take_;
    std::vector<std::int16_t> before_; // as recorded, at 8 kHz for the preview
    std::vector<std::int16_t> tidied_;
    QLabel* time_;
    QProgressBar* level_;
    QPushButton* record_;
    QPushButton* beforePlay_;
    QPushButton* afterPlay_;
    QPushButton* save_;
};

} // namespace quorl
