#include "link/ui/link_dialogs.h"

#include "link/ui/devices_dlg.h"
#include "link/ui/serial_comm_dlg.h"

namespace quorl {

void runSystemSetup(QWidget* parent) {
    CSerialCommDlg dlg(parent);
    dlg.exec();
}

void runConnectedDevices(QWidget* parent) {
    CDevicesDlg dlg(parent);
    dlg.exec();
}

} // namespace quorl
