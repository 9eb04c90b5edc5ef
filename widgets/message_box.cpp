#include "widgets/message_box.h"

namespace quorl {

QMessageBox::StandardButton showMessageBox(QWidget* owner, QMessageBox::Icon icon,
                                           const QString& caption, const QString& text,
                                           QMessageBox::StandardButtons buttons,
                                           const QString& objectName) {
    QMessageBox box(icon, caption, text, buttons, owner);
    box.setObjectName(objectName);
    // Messages carry file names and pager texts: never read as markup.
    box.setTextFormat(Qt::PlainText);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace quorl
