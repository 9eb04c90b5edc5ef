#pragma once

#include <QDialog>

class QCheckBox;

namespace quorl {

class ProfileStore;

// "How to use custom audio": shown beside the Custom Audio window until the user
// ticks "Don't show the instructions again" ("Settings"/"Tip_View").
class CTipDlg : public QDialog {
    Q_OBJECT

public:
    CTipDlg(ProfileStore& profile, QWidget* parent = nullptr);
    static bool wanted(ProfileStore& profile);

protected:
    void done(int result) override;

private:
    ProfileStore& profile_;
    QCheckBox* dontShow_;
};

} // namespace quorl
