#include "audio/ui/custom_audio_dlg.h"
#include "widgets/system_text.h"

#include "audio/audio_texts.h"
#include "audio/ui/slot_preview_controls.h"
#include "audio/ui/tip_dlg.h"
#include "audio/wav_check.h"
#include "widgets/elided_path_edit.h"
#include "widgets/message_box.h"
#include "widgets/wave_output.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFont>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorl {

namespace {

const QString kCaption = QStringLiteral("Tessaly VI Quorl");

} // namespace

CCustomAudioDlg::CCustomAudioDlg(CustomAudioModel& model, AuditionPort& audition,
                                 ProfileStore& profile, std::function<bool()> cradleConnected,
                                 QWidget* parent)
    : QDialog(parent), committed_(model), model_(model), audition_(audition), profile_(profile),
      cradleConnected_(std::move(cradleConnected)), output_(new WaveOutput(this)),
      previews_(new SlotPreviewControls(
          *output_, [this](int slot) { return model_.fileToPlay(slot, *this).has_value(); },
          this)) {
    previews_->showProblem = [this](const QString& text) {
        showMessageBox(this, QMessageBox::Information, kCaption, text);
    };
    setObjectName(QStringLiteral("customAudioWindow"));
    setWindowTitle(systemText(texts::kCustomAudioTitle));
    chooseFile = [this](const QString& folder) {
        QFileDialog dialog(this, QString(), folder, QStringLiteral("Wave Files (*.wav)"));
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setDefaultSuffix(QStringLiteral("wav"));
        dialog.selectFile(QStringLiteral("*.wav"));
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()
                   ? dialog.selectedFiles().first()
                   : QString();
    };

    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int fileNameChars = screen && screen->availableGeometry().width() < 1280 ? 24 : 52;
    auto makeGroup = [this, fileNameChars](std::string_view title, int first, int last) {
        auto* box = new QGroupBox(systemText(title), this);
        auto* grid = new QGridLayout(box);
        grid->addWidget(new QLabel(systemText(texts::kUseDefaultHeader), box), 0, 3);
        // Each play button's column has its own heading, the place it plays on (the
        // buttons show the play sign); one line, so the window still fits a netbook.
        const QStringList play =
            systemText(texts::kPlayHeader).simplified().split(QLatin1Char(' '));
        for (int c = 1; c < play.size(); ++c) {
            auto* heading = new QLabel(play[c], box);
            heading->setObjectName(QStringLiteral("playHeading%1").arg(c));
            heading->setAlignment(Qt::AlignCenter);
            grid->addWidget(heading, 0, 3 + c);
        }
        grid->addWidget(new QLabel(QStringLiteral("Slot used"), box), 0, 8, 1, 2);
        for (int i = first; i <= last; ++i) {
            Row& r = rows_[static_cast<std::size_t>(i)];
            const int line = i - first + 1;
            r.file = new ElidedPathEdit(box);
            // Room for a file name and a little of its folder; wider windows show more.
            // On a netbook's narrow screen the name alone, so the window still fits.
            r.file->setMinimumWidth(r.file->fontMetrics().horizontalAdvance(QLatin1Char('x')) *
                                    fileNameChars);
            r.browse = new QPushButton(systemText(texts::kBrowse), box);
            r.useDefault = new QCheckBox(box);
            r.playFile = new QPushButton(QStringLiteral("\u25B6"), box);
            r.playPager = new QPushButton(QStringLiteral("\u25B6"), box);
            r.write = new QCheckBox(systemText(texts::kWrite), box);
            r.file->setObjectName(QStringLiteral("file%1").arg(i));
            r.browse->setObjectName(QStringLiteral("browse%1").arg(i));
            r.useDefault->setObjectName(QStringLiteral("useDefault%1").arg(i));
            r.playFile->setObjectName(QStringLiteral("playFile%1").arg(i));
            r.playPager->setObjectName(QStringLiteral("playPager%1").arg(i));
            r.write->setObjectName(QStringLiteral("write%1").arg(i));
            for (auto* b : {r.browse, r.playFile, r.playPager})
                b->setAutoDefault(false);
            r.playFile->setToolTip(QStringLiteral("Play the file on this computer"));
            r.playPager->setToolTip(QStringLiteral("Play it on the pager in the cradle"));
            grid->addWidget(
                new QLabel(systemText(kCustomAudioSlots[static_cast<std::size_t>(i)].rowLabel),
                           box),
                line, 0);
            grid->addWidget(r.file, line, 1);
            grid->addWidget(r.browse, line, 2);
            grid->addWidget(r.useDefault, line, 3, Qt::AlignCenter);
            grid->addWidget(r.playFile, line, 4);
            grid->addWidget(r.playPager, line, 5);
            const auto preview = previews_->makeRow(
                i, systemText(kCustomAudioSlots[static_cast<std::size_t>(i)].shortName), box);
            grid->addWidget(preview.preview, line, 6);
            grid->addWidget(r.write, line, 7);
            grid->addWidget(preview.fit, line, 8);
            grid->addWidget(preview.longest, line, 9);
            r.make = new QToolButton(box);
            r.make->setObjectName(QStringLiteral("make%1").arg(i));
            r.make->setText(QStringLiteral("Make..."));
            r.make->setAccessibleName(
                QStringLiteral("Make a recording for %1")
                    .arg(systemText(kCustomAudioSlots[static_cast<std::size_t>(i)].shortName)));
            r.make->setPopupMode(QToolButton::InstantPopup);
            auto* menu = new QMenu(r.make);
            menu->addAction(QStringLiteral("Speak..."), this, [this, i] { speakSlot(i); });
            menu->addAction(QStringLiteral("Tidy..."), this, [this, i] { tidySlot(i); });
            menu->addAction(QStringLiteral("Record..."), this, [this, i] { recordSlot(i); });
            r.make->setMenu(menu);
            grid->addWidget(r.make, line, 10);
            connect(r.browse, &QPushButton::clicked, this, [this, i] { browse(i); });
            connect(r.useDefault, &QCheckBox::clicked, this, [this, i](bool on) {
                model_.useDefaultToggled(i, on, *this);
                refresh();
            });
            connect(r.playFile, &QPushButton::clicked, this, [this, i] { playFile(i); });
            connect(r.playPager, &QPushButton::clicked, this, [this, i] { playPager(i); });
            connect(r.write, &QCheckBox::clicked, this, [this, i](bool on) {
                model_.writeToggled(i, on);
                refresh();
            });
        }
        return box;
    };

    auto* layout = new QVBoxLayout(this);
    QGroupBox* alerts = makeGroup(texts::kAlertGroup, 0, 4);
    QGroupBox* switches = makeGroup(texts::kSwitchGroup, 5, 12);
    layout->addWidget(alerts);
    layout->addWidget(switches);
    // The two frames' columns line up: each column as wide as the wider frame needs.
    auto* alertGrid = static_cast<QGridLayout*>(alerts->layout());
    auto* switchGrid = static_cast<QGridLayout*>(switches->layout());
    for (int c = 0; c < alertGrid->columnCount(); ++c) {
        int widest = 0;
        for (QGridLayout* grid : {alertGrid, switchGrid})
            for (int r = 1; r < grid->rowCount(); ++r)
                if (QLayoutItem* item = grid->itemAtPosition(r, c))
                    widest = std::max(widest, item->sizeHint().width());
        alertGrid->setColumnMinimumWidth(c, widest);
        switchGrid->setColumnMinimumWidth(c, widest);
    }
    QFont noteFont(QStringLiteral("Arial"));
    noteFont.setBold(true);
    noteFont.setPixelSize(15);
    for (auto note : {texts::kFormatNote, texts::kWriteNote}) {
        auto* label = new QLabel(systemText(note), this);
        label->setFont(noteFont);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CCustomAudioDlg::onOk);
    connect(cancel, &QPushButton::clicked, this, &CCustomAudioDlg::onCancel);
    speakSwitches_ = new QPushButton(QStringLiteral("Speak Switch Names..."), this);
    speakSwitches_->setObjectName(QStringLiteral("speakSwitchNames"));
    speakSwitches_->setAutoDefault(false);
    speakSwitches_->setToolTip(QStringLiteral(
        "Speak the modes the Function Switches tab has programmed into SW A to SW H"));
    connect(speakSwitches_, &QPushButton::clicked, this, &CCustomAudioDlg::speakSwitchNames);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(speakSwitches_);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    auditionTimer_.setSingleShot(true);
    connect(&auditionTimer_, &QTimer::timeout, this, [this] {
        AuditionState::process().allow();
        refresh();
    });
    model_.open();
    refresh();
}

CCustomAudioDlg::~CCustomAudioDlg() = default;

void CCustomAudioDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    speakSwitches_->setEnabled(static_cast<bool>(switchModes));
    if (!tipShown_ && CTipDlg::wanted(profile_)) {
        tipShown_ = true;
        auto* tip = new CTipDlg(profile_, this);
        tip->setAttribute(Qt::WA_DeleteOnClose);
        // Beside the window, on the side with room; kept on the screen when shown.
        tip->adjustSize();
        QPoint at = frameGeometry().topRight() + QPoint(8, 0);
        if (const QScreen* s = screen();
            s && at.x() + tip->frameGeometry().width() > s->availableGeometry().right())
            at.setX(frameGeometry().left() - 8 - tip->frameGeometry().width());
        tip->move(at);
        tip->show();
    }
}

void CCustomAudioDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept(); // Enter must not close the window
        return;
    }
    QDialog::keyPressEvent(event);
}

void CCustomAudioDlg::refresh() {
    const bool canPlayOnPager =
        AuditionState::process().allowed() && cradleConnected_ && cradleConnected_();
    for (int i = 0; i < kCustomAudioSlotCount; ++i) {
        Row& r = rows_[static_cast<std::size_t>(i)];
        const SlotState& s = model_.slot(i);
        r.file->setText(QString::fromStdString(model_.activePath(i).string()));
        r.useDefault->setChecked(s.useDefault);
        r.write->setChecked(s.write);
        r.write->setEnabled(model_.writeEnabled(i));
        r.playPager->setEnabled(canPlayOnPager);
        const std::string wav = model_.activePath(i).string();
        previews_->show(i, wav, checkWav(wav).status == WavCheck::Ok);
    }
    speakSwitches_->setEnabled(static_cast<bool>(switchModes));
}

void CCustomAudioDlg::browse(int slot) {
    const QString chosen = chooseFile(QString::fromStdString(model_.lastFolder(slot).string()));
    if (chosen.isEmpty())
        return;
    model_.browsed(slot, chosen.toStdString(), *this);
    refresh();
}

void CCustomAudioDlg::playFile(int slot) {
    const auto file = model_.fileToPlay(slot, *this);
    if (!file)
        return;
    if (!output_->play(file->playBuffer))
        showMessageBox(this, QMessageBox::Information, kCaption, systemText(texts::kNoAudioOutput));
}

void CCustomAudioDlg::playPager(int slot) {
    if (!AuditionState::process().allowed())
        return;
    AuditionRequest request;
    request.command = 0xB0;
    request.parameters = {static_cast<std::uint8_t>(slot)};
    request.durationMs = 4000;
    audition_.play(request, [this](int ms) { auditionTimer_.start(ms); });
    refresh();
}

void CCustomAudioDlg::onOk() {
    if (model_.ok(*this)) {
        committed_ = model_;
        accept();
    } else {
        refresh();
    }
}

bool CCustomAudioDlg::settleForUserDataOk() {
    if (!model_.settleForUserDataOk(*this))
        return false;
    committed_ = model_;
    return true;
}

bool CCustomAudioDlg::settleForUserDataClose() {
    if (!model_.settleForUserDataClose(*this))
        return false;
    committed_ = model_;
    return true;
}

void CCustomAudioDlg::onCancel() {
    reject();
}

void CCustomAudioDlg::error(std::string_view text) {
    showMessageBox(this, QMessageBox::Critical, kCaption, systemText(text));
}

Answer CCustomAudioDlg::askYesNoCancel(std::string_view question) {
    switch (showMessageBox(this, QMessageBox::Question, kCaption, systemText(question),
                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

} // namespace quorl
