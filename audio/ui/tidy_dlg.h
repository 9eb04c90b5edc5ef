#pragma once

#include "audio/recording_tidy.h"

#include <QDialog>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QDoubleSpinBox;
class QSpinBox;

namespace quorl {

class WaveOutput;

// "Tidy": which of the tidy steps run on a slot's recording (trimming, the peak level,
// the rumble filter's frequency, evening the level), with the recording before and
// after to hear, and Keep Tidied. Every step is on at first, at the usual settings.
class CTidyDlg : public QDialog {
    Q_OBJECT

public:
    CTidyDlg(const QString& slotName, std::filesystem::path recording,
             std::vector<std::uint8_t> before, WaveOutput& output, QWidget* parent = nullptr);

    TidySettings settings() const;
    // The recording tidied with the steps as they are chosen now.
    const TidyResult& tidied();

    // Says why the recording cannot be tidied (a message box; tests replace it).
    std::function<void(const QString&)> showProblem;

private:
    void keep();

    std::filesystem::path recording_;
    std::vector<std::uint8_t> before_;
    WaveOutput& output_;
    QCheckBox* trim_;
    QCheckBox* normalize_;
    QDoubleSpinBox* level_;
    QCheckBox* highpass_;
    QSpinBox* frequency_;
    QCheckBox* compress_;
    std::optional<TidyResult> tidied_;
    TidySettings tidiedWith_;
};

} // namespace quorl
