#pragma once

#include <QComboBox>

namespace quorl {

// A drop-down list that says when it is about to open, so its items can be
// refilled from the latest state first.
class PopupComboBox : public QComboBox {
    Q_OBJECT

public:
    using QComboBox::QComboBox;
    void showPopup() override;

signals:
    void aboutToShowPopup();
};

} // namespace quorl
