#include "widgets/popup_combo_box.h"

namespace quorl {

void PopupComboBox::showPopup() {
    emit aboutToShowPopup();
    QComboBox::showPopup();
}

} // namespace quorl
