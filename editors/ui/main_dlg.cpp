#include "editors/ui/main_dlg.h"
#include "widgets/system_text.h"
#include "widgets/text_width.h"

#include "codeplug/codeplug_state.h"
#include "editors/general_tab.h"
#include "editors/user_data_texts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>

namespace quorl {

namespace {} // namespace

CMainDlg::CMainDlg(CodeplugState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setObjectName(QStringLiteral("generalTab"));
    auto* form = new QFormLayout(this);
    // The values are short (the band split, the longest, has 23 characters): the
    // boxes keep the width of what they hold instead of the window's.
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    auto field = [&](std::string_view label, const char* name) {
        auto* e = new QLineEdit(this);
        e->setReadOnly(true);
        // Read-only, and looking it: no edit frame, the window showing through (in
        // any theme).
        e->setFrame(false);
        QPalette clear = e->palette();
        clear.setBrush(QPalette::Base, Qt::transparent);
        e->setPalette(clear);
        e->setFocusPolicy(Qt::ClickFocus); // selectable for copying, not a Tab stop
        e->setObjectName(QString::fromUtf8(name));
        e->setFixedWidth(textBoxWidth(e, 24));
        form->addRow(systemText(label), e);
        return e;
    };
    bandSplit_ = field(texts::kBandSplitLabel, "bandSplit");
    model_ = field(texts::kModelNumberLabel, "modelNumber");
    serial_ = field(texts::kSerialNumberLabel, "serialNumber");
    tanapa_ = field(texts::kTanapaLabel, "tanapaNumber");
    if_ = field(texts::kIfLabel, "intermediateFrequency");
    tcxo_ = field(texts::kTcxoLabel, "tcxoType");
    firmware_ = field(texts::kFirmwareLabel, "firmwareVersion");
    codeplugVersion_ = field(texts::kCodeplugVersionLabel, "codeplugVersion");
    // Shown for information: nothing is selected and nothing can be changed.
    auto list = [&](std::string_view label, auto items, const char* name) {
        auto* c = new QComboBox(this);
        c->setObjectName(QString::fromUtf8(name));
        for (auto item : items)
            c->addItem(systemText(item));
        c->setCurrentIndex(-1);
        c->setEnabled(false);
        c->setFixedWidth(textBoxWidth(c, 24)); // one column with the boxes above
        auto* l = new QLabel(systemText(label), this);
        l->setEnabled(false);
        form->addRow(l, c);
    };
    list(texts::kRegionLabel, texts::kRegions, "regionValue");
    list(texts::kChannelTypeLabel, texts::kChannelTypes, "channelType");
    fill();
}

void CMainDlg::fill() {
    const GeneralTabTexts t = openGeneralTab(state_);
    bandSplit_->setText(fieldText(t.bandSplit));
    model_->setText(fieldText(t.modelNumber));
    serial_->setText(fieldText(t.serialNumber));
    tanapa_->setText(fieldText(t.tanapa));
    if_->setText(fieldText(t.intermediateFrequency));
    tcxo_->setText(fieldText(t.tcxo));
    firmware_->setText(fieldText(t.firmwareVersion));
    codeplugVersion_->setText(fieldText(t.codeplugVersion));
}

} // namespace quorl
