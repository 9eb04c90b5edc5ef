#include "editors/ui/option_dlg.h"
#include "widgets/system_text.h"

#include "editors/user_data_texts.h"
#include "widgets/numeric_edit.h"
#include "widgets/spin_buttons.h"
#include "widgets/text_width.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>

namespace quorl {

namespace {

struct ListEntry {
    ModelOptionList list;
    std::string_view label;
    std::vector<std::string_view> items;
    const char* name;
};

std::vector<ListEntry> listEntries() {
    auto off = std::vector<std::string_view>(texts::kOffOn.begin(), texts::kOffOn.end());
    return {
        {ModelOptionList::StoredVoiceDuration,
         texts::kStoredVoiceLabel,
         {texts::kStoredVoiceItems.begin(), texts::kStoredVoiceItems.end()},
         "storedVoiceDuration"},
        {ModelOptionList::AnnouncementsType,
         texts::kAnnouncementsTypeLabel,
         {texts::kAnnouncementTypes.begin(), texts::kAnnouncementTypes.end()},
         "announcementsType"},
        {ModelOptionList::SwitchAnnouncements,
         texts::kSwitchAnnouncementsLabel,
         {texts::kSwitchAnnouncementItems.begin(), texts::kSwitchAnnouncementItems.end()},
         "switchAnnouncements"},
        {ModelOptionList::BatteryLevelAnnouncement, texts::kBatteryLevelLabel, off, "batteryLevel"},
        {ModelOptionList::FixedVolumePageAlert, texts::kFixedVolumeLabel, off, "fixedVolume"},
        {ModelOptionList::UnreadMessageReminder, texts::kUnreadReminderLabel, off,
         "unreadReminder"},
        {ModelOptionList::PriorityToneAlert, texts::kPriorityToneLabel, off, "priorityToneAlert"},
        {ModelOptionList::Privacy, texts::kPrivacyLabel, off, "privacy"},
        {ModelOptionList::AlwaysOn, texts::kAlwaysOnLabel, off, "alwaysOn"},
        {ModelOptionList::AlertDurationMode,
         texts::kAlertDurationLabel,
         {texts::kAlertDurationModes.begin(), texts::kAlertDurationModes.end()},
         "alertDurationMode"},
        {ModelOptionList::AutoDeletion, texts::kAutoDeletionLabel, off, "autoDeletion"},
    };
}

} // namespace

COptionDlg::COptionDlg(CodeplugState& state, QWidget* parent)
    : QWidget(parent), messages_(this), logic_(state, messages_) {
    setObjectName(QStringLiteral("modelOptionsTab"));
    auto* grid = new QGridLayout(this);
    int row = 0;
    for (const auto& entry : listEntries()) {
        auto* label = new QLabel(systemText(entry.label), this);
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString::fromUtf8(entry.name));
        for (auto item : entry.items)
            combo->addItem(systemText(item));
        lists_[static_cast<std::size_t>(entry.list)] = combo;
        grid->addWidget(label, row, 0);
        grid->addWidget(combo, row, 1);
        // The step keeps the label's words without its colon: "Undo Privacy".
        const QString stepName = systemText(entry.label).remove(QLatin1Char(':')).trimmed();
        connect(combo, &QComboBox::activated, this, [this, list = entry.list, stepName](int index) {
            logic_.select(list, index);
            refresh();
            recordEdit(stepName);
        });
        if (entry.list == ModelOptionList::AutoDeletion) {
            label->hide(); // the pager keeps this option to itself
            combo->hide();
        }
        if (entry.list == ModelOptionList::AlertDurationMode) {
            alertEdit_ = new NumericEdit(this);
            alertEdit_->setObjectName(QStringLiteral("alertDuration"));
            alertEdit_->setFixedWidth(textBoxWidth(alertEdit_, 7));
            alertSpin_ = new SpinButtons(this);
            alertSpin_->setObjectName(QStringLiteral("alertDurationSpin"));
            alertSec_ = new QLabel(systemText(texts::kSec), this);
            auto* box = new QHBoxLayout;
            box->addWidget(alertEdit_);
            box->addWidget(alertSpin_);
            box->addWidget(alertSec_);
            box->addStretch(1);
            grid->addLayout(box, row, 2);
        }
        if (entry.list == ModelOptionList::AlwaysOn) {
            alwaysOnNote_ = new QLabel(systemText(texts::kAlwaysOnNote), this);
            alwaysOnNote_->setObjectName(QStringLiteral("alwaysOnNote"));
            grid->addWidget(alwaysOnNote_, row, 2);
        }
        ++row;
    }
    grid->addWidget(new QLabel(systemText(texts::kPriorityScanTimeLabel), this), row, 0);
    scanEdit_ = new NumericEdit(this);
    scanEdit_->setObjectName(QStringLiteral("priorityScanTime"));
    scanEdit_->setFixedWidth(textBoxWidth(scanEdit_, 7));
    scanSpin_ = new SpinButtons(this);
    scanSpin_->setObjectName(QStringLiteral("priorityScanSpin"));
    auto* scanBox = new QHBoxLayout;
    scanBox->addWidget(scanEdit_);
    scanBox->addWidget(scanSpin_);
    scanBox->addStretch(1);
    grid->addLayout(scanBox, row, 1);
    noScanNote_ = new QLabel(systemText(texts::kNoPriorityScanNote), this);
    noScanNote_->setObjectName(QStringLiteral("noPriorityScanNote"));
    grid->addWidget(noScanNote_, row, 2);
    grid->setRowStretch(row + 1, 1);
    grid->setColumnStretch(3, 1);

    connect(scanEdit_, &NumericEdit::keyPressed, this, [this] { logic_.priorityScanKeyPressed(); });
    connect(scanEdit_, &NumericEdit::valueEntered, this, [this](const QString& t) {
        logic_.commitPriorityScanText(t.toStdString());
        refresh();
        recordEdit(QStringLiteral("Priority Scan Time"));
    });
    connect(alertEdit_, &NumericEdit::valueEntered, this, [this](const QString& t) {
        logic_.commitAlertDurationText(t.toStdString());
        refresh();
        recordEdit(QStringLiteral("Alert Duration"));
    });
    connect(scanSpin_, &SpinButtons::stepped, this, [this](bool up) {
        logic_.spinPriorityScan(up, scanEdit_->text().toStdString());
        refresh();
        recordEdit(QStringLiteral("Priority Scan Time"));
    });
    connect(alertSpin_, &SpinButtons::stepped, this, [this](bool up) {
        logic_.spinAlertDuration(up, alertEdit_->text().toStdString());
        refresh();
        recordEdit(QStringLiteral("Alert Duration"));
    });
    logic_.open();
    refresh();
}

void COptionDlg::reload() {
    logic_.open();
    logic_.applyPriorityScanRule();
    refresh();
}

void COptionDlg::applyPriorityScanRule() {
    logic_.applyPriorityScanRule();
    refresh();
}

void COptionDlg::refresh() {
    for (int l = 0; l < kModelOptionListCount; ++l) {
        QSignalBlocker block(lists_[static_cast<std::size_t>(l)]);
        lists_[static_cast<std::size_t>(l)]->setCurrentIndex(
            logic_.selection(static_cast<ModelOptionList>(l)));
    }
    scanEdit_->setText(QString::fromStdString(logic_.priorityScanText()));
    alertEdit_->setText(QString::fromStdString(logic_.alertDurationText()));
    scanEdit_->setEnabled(logic_.priorityScanEnabled());
    scanSpin_->setEnabled(logic_.priorityScanEnabled());
    noScanNote_->setVisible(logic_.noPriorityScanNoteVisible());
    for (QWidget* w : {static_cast<QWidget*>(alertEdit_), static_cast<QWidget*>(alertSpin_),
                       static_cast<QWidget*>(alertSec_)})
        w->setVisible(logic_.alertDurationVisible());
    alwaysOnNote_->setVisible(logic_.alwaysOnNoteVisible());
}

} // namespace quorl
