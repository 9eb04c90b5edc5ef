#include "link/ui/serial_comm_dlg.h"

#include "link/link_texts.h"
#include "link/port_choice.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorl {

namespace {
QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
} // namespace

CSerialCommDlg::CSerialCommDlg(QWidget* parent) : QDialog(parent), ports_(new QComboBox(this)) {
    setWindowTitle(qs(link_texts::kSerialConfigTitle));
    auto* group = new QGroupBox(qs(link_texts::kSerialConfigGroup), this);
    auto* form = new QFormLayout(group);
    form->addRow(qs(link_texts::kSerialConfigPortLabel), ports_);
    form->addRow(new QLabel(qs(link_texts::kSerialConfigBaud), group));

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(qs(link_texts::kOk), QDialogButtonBox::AcceptRole);
    buttons->addButton(qs(link_texts::kCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons);

    const SerialConfigView view = openSerialConfig();
    for (const auto& name : view.portNames)
        ports_->addItem(QString::fromStdString(name));
    if (view.selected >= 0)
        ports_->setCurrentIndex(view.selected);
}

void CSerialCommDlg::accept() {
    acceptSerialConfig(ports_->currentIndex(), ports_->currentText().toStdString());
    QDialog::accept();
}

void CSerialCommDlg::reject() {
    cancelSerialConfig();
    QDialog::reject();
}

} // namespace quorl
