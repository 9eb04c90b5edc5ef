#include "tones/ui/test_page_dlg.h"

#include "base/atomic_file_write.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/general_block.h"
#include "tones/page_entries.h"
#include "tones/page_sequence.h"
#include "tones/page_synthesis.h"
#include "tones/ui/test_page_player.h"
#include "tones/ui/tones_ui_texts.h"
#include "tones/wav_audio.h"
#include "widgets/message_box.h"
#include "widgets/system_text.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace quorl {

namespace txt = texts::tones;

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QDoubleSpinBox* spin(QWidget* parent, double lo, double hi, double value, int decimals,
                     double step) {
    auto* s = new QDoubleSpinBox(parent);
    s->setRange(lo, hi);
    s->setDecimals(decimals);
    s->setSingleStep(step);
    s->setValue(value);
    return s;
}

} // namespace

CTestPageDlg::CTestPageDlg(const CodeplugImage& image, QWidget* parent)
    : QDialog(parent), image_(image), player_(new CTestPagePlayer(this)) {
    setWindowTitle(qs(txt::kTestPageTitle));
    const tones::PageTiming defaults;
    channel_ = new QComboBox(this);
    const int channels =
        std::clamp<int>(GeneralBlock(image_).channelCount(), 1, layout::kChannelCount);
    for (int ch = 0; ch < channels; ++ch)
        channel_->addItem(QString::fromStdString(tones::channelName(ch)));
    call_ = new QComboBox(this);
    aSeconds_ = spin(this, 0.1, 60, defaults.aSeconds, 1, 0.1);
    bSeconds_ = spin(this, 0.1, 60, defaults.bSeconds, 1, 0.1);
    longSeconds_ = spin(this, 0.1, 60, defaults.longSeconds, 1, 0.5);
    gapMs_ = spin(this, 0, 10000, defaults.gapMs, 0, 50);
    level_ = spin(this, -60, 0, defaults.levelDbfs, 1, 1);
    repeat_ = new QSpinBox(this);
    repeat_->setRange(1, 20);
    repeat_->setValue(defaults.repeat);
    rate_ = new QComboBox(this);
    for (int r : tones::kPageRates)
        rate_->addItem(QString::number(r), r);
    rate_->setCurrentIndex(rate_->findData(tones::kDefaultPageRate));

    auto* form = new QFormLayout;
    const auto row = [&](std::string_view label, QWidget* field) {
        auto* l = new QLabel(qs(label), this);
        l->setBuddy(field);
        field->setAccessibleName(qs(label).remove(QLatin1Char(':')));
        form->addRow(l, field);
    };
    row(txt::kChannel, channel_);
    row(txt::kCall, call_);
    row(txt::kASeconds, aSeconds_);
    row(txt::kBSeconds, bSeconds_);
    row(txt::kLongSeconds, longSeconds_);
    row(txt::kGapMs, gapMs_);
    row(txt::kLevel, level_);
    row(txt::kRepeat, repeat_);
    row(txt::kRate, rate_);

    play_ = new QPushButton(qs(txt::kPlay), this);
    save_ = new QPushButton(qs(txt::kSaveWav), this);
    auto* close = new QPushButton(qs(txt::kClose), this);
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    status_->setTextFormat(Qt::PlainText);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(play_);
    buttons->addWidget(save_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* top = new QVBoxLayout(this);
    top->addLayout(form);
    top->addWidget(status_);
    top->addLayout(buttons);

    connect(channel_, &QComboBox::currentIndexChanged, this, [this] { fillCalls(); });
    connect(play_, &QPushButton::clicked, this, [this] {
        // The computer's output plays 8 kHz: ample for tones up to 3,400 Hz.
        if (player_->playing()) {
            player_->stop();
        } else if (const auto samples = pageSamples(8000)) {
            player_->toggle(*samples, this);
        }
    });
    connect(player_, &CTestPagePlayer::playingChanged, this,
            [this](bool playing) { play_->setText(qs(playing ? txt::kStopButton : txt::kPlay)); });
    connect(save_, &QPushButton::clicked, this, &CTestPageDlg::onSave);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::finished, player_, &CTestPagePlayer::stop);
    fillCalls();
}

void CTestPageDlg::fillCalls() {
    call_->clear();
    for (const tones::PageEntry& e : tones::pageEntries(image_, channel_->currentIndex()))
        call_->addItem(QString::fromStdString(e.text), QList<QVariant>{e.call, e.group});
    const bool any = call_->count() > 0;
    status_->setText(any ? QString() : qs(txt::kNoEntries));
    play_->setEnabled(any);
    save_->setEnabled(any);
}

tones::PageTiming CTestPageDlg::timing() const {
    tones::PageTiming t;
    t.aSeconds = aSeconds_->value();
    t.bSeconds = bSeconds_->value();
    t.longSeconds = longSeconds_->value();
    t.gapMs = gapMs_->value();
    t.levelDbfs = level_->value();
    t.repeat = repeat_->value();
    return t;
}

int CTestPageDlg::rate() const {
    return rate_->currentData().toInt();
}

std::optional<std::vector<float>> CTestPageDlg::pageSamples(int rate) const {
    const QList<QVariant> which = call_->currentData().toList();
    if (which.size() != 2)
        return std::nullopt;
    const auto made = tones::sequenceForEntry(
        image_, {channel_->currentIndex(), which[0].toInt(), which[1].toInt()}, timing());
    if (!made.problem.empty())
        return std::nullopt;
    return tones::synthesizePage(made.sequence, timing(), rate);
}

bool CTestPageDlg::saveTo(const QString& path, QString* problem) const {
    const auto samples = pageSamples(rate());
    if (!samples) {
        *problem = qs(txt::kNoEntries);
        return false;
    }
    const auto bytes = tones::encodeWav16(*samples, rate());
    std::string why;
    if (bytes.empty() || !writeFileAtomically(path.toStdString(), bytes, &why)) {
        *problem = QString::fromStdString(why);
        return false;
    }
    return true;
}

void CTestPageDlg::onSave() {
    const QString path =
        QFileDialog::getSaveFileName(this, qs(txt::kSaveWav), QString(), qs(txt::kWavFilter));
    if (path.isEmpty())
        return;
    QString problem;
    if (!saveTo(path, &problem)) {
        showMessageBox(this, QMessageBox::Critical, qs(txt::kCaption),
                       qs(txt::kCannotSave) + systemText(problem));
        return;
    }
    status_->setText(qs(txt::kSaved) + fieldText(path));
}

} // namespace quorl
