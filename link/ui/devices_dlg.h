#pragma once

#include <QDialog>

class QListWidget;

namespace quorl {

// "Connected Devices": asks which cradle to use when several are connected.
class CDevicesDlg : public QDialog {
    Q_OBJECT
public:
    explicit CDevicesDlg(QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

    QListWidget* portList() const { return list_; }

private:
    QListWidget* list_;
};

} // namespace quorl
