#include "audio/ui/record_dlg.h"

#include "audio/audio_texts.h"
#include "audio/pcm_wav.h"
#include "audio/recording_tidy.h"
#include "base/decimal_text.h"
#include "widgets/message_box.h"
#include "widgets/sound_module.h"
#include "widgets/system_text.h"
#include "widgets/wave_output.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace quorl {

namespace {

const QString kRecord = QStringLiteral("Record \u25CF");
const QString kStop = QStringLiteral("Stop \u25A0");
constexpr int kMeterFloorDb = 60; // the meter shows -60 dB to 0 dB

QString seconds(double s) {
    return QString::fromStdString(decimalText(s, 1)) + QStringLiteral(" s");
}

} // namespace

CRecordDlg::CRecordDlg(const QString& slotName, double limitSeconds, WaveOutput& output,
                       QWidget* parent)
    : QDialog(parent), limitSeconds_(limitSeconds), output_(output), time_(new QLabel(this)),
      level_(new QProgressBar(this)), record_(new QPushButton(kRecord, this)),
      beforePlay_(new QPushButton(QStringLiteral("Before \u25B6"), this)),
      afterPlay_(new QPushButton(QStringLiteral("After \u25B6"), this)) {
    setObjectName(QStringLiteral("recordWindow"));
    setWindowTitle(QStringLiteral("Record %1").arg(slotName));
    showProblem = [this](const QString& why) {
        showMessageBox(this, QMessageBox::Information, QStringLiteral("Tessaly VI Quorl"), why);
    };
    auto* note = new QLabel(
        QStringLiteral("Records from the computer's audio input. Recording stops by itself "
                       "at %1, the most %2 holds; the recording is then tidied (silence "
                       "trimmed, rumble removed, level evened, peak at -1 dB).")
            .arg(seconds(limitSeconds_), slotName),
        this);
    note->setWordWrap(true);
    level_->setObjectName(QStringLiteral("recordLevel"));
    level_->setAccessibleName(QStringLiteral("Input level"));
    level_->setRange(0, kMeterFloorDb);
    level_->setValue(0);
    level_->setFormat(QString());
    time_->setObjectName(QStringLiteral("recordTime"));
    time_->setAccessibleName(QStringLiteral("Recorded time"));
    record_->setObjectName(QStringLiteral("recordButton"));
    record_->setAccessibleName(QStringLiteral("Record or stop"));
    beforePlay_->setObjectName(QStringLiteral("recordBefore"));
    beforePlay_->setAccessibleName(QStringLiteral("Play the recording as recorded"));
    afterPlay_->setObjectName(QStringLiteral("recordAfter"));
    afterPlay_->setAccessibleName(QStringLiteral("Play the tidied recording"));
    for (auto* b : {record_, beforePlay_, afterPlay_})
        b->setAutoDefault(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Save | QDialogButtonBox::Cancel, this);
    save_ = buttons->button(QDialogButtonBox::Save);
    save_->setObjectName(QStringLiteral("recordSave"));
    auto* meter = new QHBoxLayout;
    meter->addWidget(new QLabel(QStringLiteral("Level:"), this));
    meter->addWidget(level_, 1);
    meter->addWidget(time_);
    auto* row = new QHBoxLayout;
    row->addWidget(record_);
    row->addStretch(1);
    row->addWidget(beforePlay_);
    row->addWidget(afterPlay_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(note);
    layout->addLayout(meter);
    layout->addLayout(row);
    layout->addWidget(buttons);
    connect(record_, &QPushButton::clicked, this, [this] {
        if (recording())
            stop();
        else
            record();
    });
    connect(beforePlay_, &QPushButton::clicked, this, [this] { output_.play(pcmBytes(before_)); });
    connect(afterPlay_, &QPushButton::clicked, this, [this] { output_.play(pcmBytes(tidied_)); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showState();
}

CRecordDlg::~CRecordDlg() {
    endSource();
    output_.stop();
}

void CRecordDlg::endSource() {
    // Stopping the input may run queued events, a queued stop() among them: the source
    // leaves the member first, so a nested call finds nothing left to stop or free.
    if (const std::unique_ptr<WaveSource> source = std::move(source_))
        source->stop();
}

bool CRecordDlg::record() {
    output_.stop();
    take_.reset();
    before_.clear();
    tidied_.clear();
    const auto create =
        reinterpret_cast<CreateWaveSource>(soundModuleEntry(kCreateWaveSourceSymbol));
    std::string problem;
    if (create)
        source_.reset(create());
    if (!source_ || !source_->start([this](const std::uint8_t* block,
                                           std::size_t size) { arrived(block, size); },
                                    [this](const std::string& why) { failed(why); }, problem)) {
        source_.reset();
        showState();
        // No device at all and a device that refuses to start look alike to the
        // user: either way the cure is in the system's sound settings.
        showProblem(systemText(texts::kNoAudioInput) +
                    (problem.empty()
                         ? QString()
                         : QStringLiteral(" (%1)").arg(QString::fromStdString(problem))));
        return false;
    }
    take_.emplace(source_->format(), limitSeconds_);
    showState();
    return true;
}

void CRecordDlg::arrived(const std::uint8_t* block, std::size_t size) {
    if (!take_ || !source_)
        return;
    showProgress(take_->add(block, size), take_->seconds());
    // Stopped once the input has finished delivering this block, not inside it.
    if (take_->full())
        QMetaObject::invokeMethod(this, &CRecordDlg::stop, Qt::QueuedConnection);
}

void CRecordDlg::showProgress(double peak, double recorded) {
    const double db = peakDbfs(peak);
    level_->setValue(kMeterFloorDb + static_cast<int>(std::lround(db)));
    level_->setFormat(QString::fromStdString(decimalText(db, 0)) + QStringLiteral(" dB"));
    time_->setText(QStringLiteral("%1 of %2").arg(seconds(recorded), seconds(limitSeconds_)));
}

void CRecordDlg::failed(const std::string& why) {
    // Called from the input's own signal: the input is let go, and the message
    // shown, once that has returned.
    QMetaObject::invokeMethod(
        this,
        [this, why] {
            source_.reset();
            take_.reset();
            showState();
            showProblem(systemText(texts::kNoAudioInput) +
                        QStringLiteral(" (%1)").arg(QString::fromStdString(why)));
        },
        Qt::QueuedConnection);
}

void CRecordDlg::done(int result) {
    // Closing the window ends a recording still running; nothing of it is kept.
    endSource();
    QDialog::done(result);
}

void CRecordDlg::stop() {
    if (!source_)
        return;
    endSource();
    level_->setValue(0);
    level_->setFormat(QString());
    if (take_ && !take_->samples().empty()) {
        const TidySettings asRecorded{false, std::nullopt, std::nullopt, false};
        const TidyResult plain = tidySamples(take_->samples(), take_->rate(), asRecorded);
        const TidyResult tidy = tidySamples(take_->samples(), take_->rate(), TidySettings{});
        before_ = plain.samples;
        if (tidy.problem.empty())
            tidied_ = tidy.samples;
        else
            showProblem(QStringLiteral("The recording could not be tidied: ") +
                        QString::fromStdString(tidy.problem));
    }
    showState();
    if (!tidied_.empty())
        emit tidyDone();
}

void CRecordDlg::showState() {
    const bool on = recording();
    record_->setText(on ? kStop : kRecord);
    beforePlay_->setEnabled(!on && !before_.empty());
    afterPlay_->setEnabled(!on && !tidied_.empty());
    save_->setEnabled(!on && !tidied_.empty());
    if (!on && !tidied_.empty())
        time_->setText(QStringLiteral("%1 recorded, %2 tidied")
                           .arg(seconds(recordedSeconds()),
                                seconds(static_cast<double>(tidied_.size()) / kTidyRate)));
    else if (!on)
        time_->setText(QStringLiteral("at most %1").arg(seconds(limitSeconds_)));
}

} // namespace quorl
