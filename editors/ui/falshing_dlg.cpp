#include "editors/ui/falshing_dlg.h"

#include "editors/channel_texts.h"
#include "editors/ui/editor_message.h"
#include "widgets/level_slider.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace quorl {

namespace txt = texts::channel;

namespace {

QSlider* levelFrame(QWidget* owner, QVBoxLayout* into, std::string_view title) {
    auto* frame = new QGroupBox(systemText(title), owner);
    auto* grid = new QGridLayout(frame);
    const std::string_view labels[] = {txt::kLevelDefault, txt::kLevel1, txt::kLevel2};
    for (int i = 0; i < 3; ++i)
        grid->addWidget(new QLabel(systemText(labels[i]), frame), 0, i,
                        i == 0   ? Qt::AlignLeft
                        : i == 1 ? Qt::AlignHCenter
                                 : Qt::AlignRight);
    auto* slider = new LevelSlider(3, frame);
    grid->addWidget(slider, 1, 0, 1, 3);
    into->addWidget(frame);
    return slider;
}

} // namespace

CFalshingDlg::CFalshingDlg(CodeplugState& state, int channel, QWidget* parent)
    : QDialog(parent), falsing_(state, channel) {
    setWindowTitle(systemText(txt::kFalsingTitle));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    toneTolerance_ = levelFrame(this, layout, txt::kToneTolerance);
    interpageGap_ = levelFrame(this, layout, txt::kInterpageGapTime);
    {
        // Opening shows the committed levels without writing anything.
        const QSignalBlocker a(toneTolerance_);
        const QSignalBlocker b(interpageGap_);
        toneTolerance_->setValue(falsing_.toneTolerance());
        interpageGap_->setValue(falsing_.interpageGap());
    }
    connect(toneTolerance_, &QSlider::valueChanged, this,
            [this](int v) { falsing_.setToneTolerance(v); });
    connect(interpageGap_, &QSlider::valueChanged, this,
            [this](int v) { falsing_.setInterpageGap(v); });

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(systemText(txt::kOk), QDialogButtonBox::AcceptRole);
    buttons->addButton(systemText(txt::kCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void CFalshingDlg::accept() {
    falsing_.accept();
    QDialog::accept();
}

void CFalshingDlg::reject() {
    falsing_.cancel();
    QDialog::reject();
}

} // namespace quorl
