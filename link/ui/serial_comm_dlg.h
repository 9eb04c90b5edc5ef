#pragma once

#include <QDialog>

class QComboBox;

namespace quorl {

// "System Configuration" (Tools, System Setup, F9): the port every pager operation
// uses from now on, chosen from the connected cradles.
class CSerialCommDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSerialCommDlg(QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

    QComboBox* portList() const { return ports_; }

private:
    QComboBox* ports_;
};

} // namespace quorl
