#pragma once

#include <QDialog>

namespace quorl {

// "About Tessaly VI Quorl": icon, product line, version line, OK.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace quorl
