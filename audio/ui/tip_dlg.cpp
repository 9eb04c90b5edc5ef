#include "audio/ui/tip_dlg.h"
#include "widgets/system_text.h"

#include "audio/audio_texts.h"
#include "codeplug/profile_store.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorl {

namespace {} // namespace

bool CTipDlg::wanted(ProfileStore& profile) {
    return profile.readString("Settings", "Tip_View", "") != "1";
}

CTipDlg::CTipDlg(ProfileStore& profile, QWidget* parent) : QDialog(parent), profile_(profile) {
    setObjectName(QStringLiteral("tipWindow"));
    setWindowTitle(systemText(texts::kTipTitle));
    auto* text = new QLabel(
        QStringLiteral("1. For each alert or switch announcement, click \"Browse...\" and choose a "
                       "WAV file (8 kHz, mono, 16-bit PCM, under 65 kB), or tick \"Use Default\".\n"
                       "2. Listen to it on the computer with the File play button, or on the "
                       "pager in the cradle with the Pager play button.\n"
                       "3. Tick \"Write\" for every sound to be loaded into the pager, then OK.\n"
                       "4. Choose Operation > Write Custom Audio to write them."),
        this);
    text->setWordWrap(true);
    dontShow_ = new QCheckBox(systemText(texts::kTipDontShow), this);
    dontShow_->setObjectName(QStringLiteral("dontShowAgain"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(dontShow_);
    layout->addWidget(close, 0, Qt::AlignRight);
    // Lines of a comfortable reading length; the height follows from the text.
    text->setMinimumWidth(text->fontMetrics().averageCharWidth() * 56);
}

void CTipDlg::done(int result) {
    profile_.writeString("Settings", "Tip_View", dontShow_->isChecked() ? "1" : "0");
    QDialog::done(result);
}

} // namespace quorl
