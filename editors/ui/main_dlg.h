#pragma once

#include <QWidget>

class QLineEdit;

namespace quorl {

struct CodeplugState;

// The General tab: the pager's identity, read-only.
class CMainDlg : public QWidget {
    Q_OBJECT

public:
    CMainDlg(CodeplugState& state, QWidget* parent = nullptr);
    // Fills the fields from the committed image (and restores the block's fixed bytes).
    void fill();

private:
    CodeplugState& state_;
    QLineEdit* bandSplit_;
    QLineEdit* model_;
    QLineEdit* serial_;
    QLineEdit* tanapa_;
    QLineEdit* if_;
    QLineEdit* tcxo_;
    QLineEdit* firmware_;
    QLineEdit* codeplugVersion_;
};

} // namespace quorl
