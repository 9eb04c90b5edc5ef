#include "audio/ui/tidy_dlg.h"

#include "audio/pcm_wav.h"
#include "widgets/message_box.h"
#include "widgets/wave_output.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quorl {

namespace {

bool same(const TidySettings& a, const TidySettings& b) {
    return a.trim == b.trim && a.normalizeDbfs == b.normalizeDbfs && a.highpassHz == b.highpassHz &&
           a.compress == b.compress;
}

} // namespace

CTidyDlg::CTidyDlg(const QString& slotName, std::filesystem::path recording,
                   std::vector<std::uint8_t> before, WaveOutput& output, QWidget* parent)
    : QDialog(parent), recording_(std::move(recording)), before_(std::move(before)),
      output_(output),
      trim_(new QCheckBox(QStringLiteral("&Trim the silence before and after the sound"), this)),
      normalize_(new QCheckBox(QStringLiteral("Set the &peak to"), this)),
      level_(new QDoubleSpinBox(this)),
      highpass_(new QCheckBox(QStringLiteral("Remove &rumble below"), this)),
      frequency_(new QSpinBox(this)),
      compress_(
          new QCheckBox(QStringLiteral("&Even the level for the pager's small speaker"), this)) {
    setObjectName(QStringLiteral("tidyWindow"));
    setWindowTitle(QStringLiteral("Tidy %1").arg(slotName));
    showProblem = [this](const QString& why) {
        showMessageBox(this, QMessageBox::Information, QStringLiteral("Tessaly VI Quorl"), why);
    };
    const TidySettings usual;
    trim_->setObjectName(QStringLiteral("tidyTrim"));
    normalize_->setObjectName(QStringLiteral("tidyNormalize"));
    level_->setObjectName(QStringLiteral("tidyLevel"));
    highpass_->setObjectName(QStringLiteral("tidyHighpass"));
    frequency_->setObjectName(QStringLiteral("tidyFrequency"));
    compress_->setObjectName(QStringLiteral("tidyCompress"));
    // The ranges of `audio tidy`'s --normalize and --highpass.
    level_->setRange(-20.0, 0.0);
    level_->setDecimals(1);
    level_->setSingleStep(0.5);
    level_->setSuffix(QStringLiteral(" dB"));
    level_->setValue(*usual.normalizeDbfs);
    level_->setAccessibleName(QStringLiteral("Peak level"));
    frequency_->setRange(20, 1000);
    frequency_->setSingleStep(10);
    frequency_->setSuffix(QStringLiteral(" Hz"));
    frequency_->setValue(static_cast<int>(*usual.highpassHz));
    frequency_->setAccessibleName(QStringLiteral("Rumble filter frequency"));
    trim_->setChecked(usual.trim);
    normalize_->setChecked(usual.normalizeDbfs.has_value());
    highpass_->setChecked(usual.highpassHz.has_value());
    compress_->setChecked(usual.compress);
    connect(normalize_, &QCheckBox::toggled, level_, &QWidget::setEnabled);
    connect(highpass_, &QCheckBox::toggled, frequency_, &QWidget::setEnabled);

    auto* steps = new QGridLayout;
    steps->addWidget(trim_, 0, 0, 1, 2);
    steps->addWidget(normalize_, 1, 0);
    steps->addWidget(level_, 1, 1);
    steps->addWidget(highpass_, 2, 0);
    steps->addWidget(frequency_, 2, 1);
    steps->addWidget(compress_, 3, 0, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    auto* playBefore =
        buttons->addButton(QStringLiteral("Before \u25B6"), QDialogButtonBox::ActionRole);
    auto* playAfter =
        buttons->addButton(QStringLiteral("After \u25B6"), QDialogButtonBox::ActionRole);
    auto* keepButton =
        buttons->addButton(QStringLiteral("Keep Tidied"), QDialogButtonBox::AcceptRole);
    playBefore->setObjectName(QStringLiteral("tidyBefore"));
    playBefore->setAccessibleName(QStringLiteral("Play the recording as it is"));
    playAfter->setObjectName(QStringLiteral("tidyAfter"));
    playAfter->setAccessibleName(QStringLiteral("Play the recording tidied"));
    keepButton->setObjectName(QStringLiteral("tidyKeep"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Steps to run on the recording:"), this));
    layout->addLayout(steps);
    layout->addWidget(buttons);
    connect(playBefore, &QPushButton::clicked, this, [this] { output_.play(before_); });
    connect(playAfter, &QPushButton::clicked, this, [this] {
        if (tidied().problem.empty())
            output_.play(pcmBytes(tidied().samples));
        else
            showProblem(QStringLiteral("The recording could not be tidied: ") +
                        QString::fromStdString(tidied().problem));
    });
    // Keep Tidied closes the window only for a recording that tidies.
    connect(buttons, &QDialogButtonBox::accepted, this, &CTidyDlg::keep);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

TidySettings CTidyDlg::settings() const {
    TidySettings s;
    s.trim = trim_->isChecked();
    s.normalizeDbfs = normalize_->isChecked() ? std::optional(level_->value()) : std::nullopt;
    s.highpassHz =
        highpass_->isChecked() ? std::optional<double>(frequency_->value()) : std::nullopt;
    s.compress = compress_->isChecked();
    return s;
}

const TidyResult& CTidyDlg::tidied() {
    const TidySettings now = settings();
    if (!tidied_ || !same(now, tidiedWith_)) {
        tidied_ = tidyRecording(recording_, now);
        tidiedWith_ = now;
    }
    return *tidied_;
}

void CTidyDlg::keep() {
    if (!tidied().problem.empty()) {
        showProblem(QStringLiteral("The recording could not be tidied: ") +
                    QString::fromStdString(tidied().problem));
        return;
    }
    accept();
}

} // namespace quorl
