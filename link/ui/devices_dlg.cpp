#include "link/ui/devices_dlg.h"

#include "widgets/system_text.h"

#include "link/link_texts.h"
#include "link/port_choice.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace quorl {

namespace {
QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}
} // namespace

CDevicesDlg::CDevicesDlg(QWidget* parent) : QDialog(parent), list_(new QListWidget(this)) {
    setWindowTitle(qs(link_texts::kDevicesTitle));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(qs(link_texts::kOk), QDialogButtonBox::AcceptRole);
    buttons->addButton(qs(link_texts::kCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(qs(link_texts::kDevicesListLabel), this));
    layout->addWidget(list_);
    layout->addWidget(buttons);

    for (const auto& name : openConnectedDevices())
        list_->addItem(fieldText(name));
    // The row that looks chosen is chosen: OK always means a cradle.
    if (list_->count() > 0)
        list_->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
}

void CDevicesDlg::accept() {
    // The selected row; only an empty list leaves none (index -1, which the port
    // choice refuses).
    const auto selected = list_->selectedItems();
    acceptConnectedDevices(selected.isEmpty() ? -1 : list_->row(selected.front()));
    QDialog::accept();
}

void CDevicesDlg::reject() {
    cancelConnectedDevices();
    QDialog::reject();
}

} // namespace quorl
