#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace quorl {

// Every modal message of the program, built in one place: `icon`, `caption` in the
// title bar, `text` as given, `buttons`, and an object name tests and the layout
// check find it by. Returns the button pressed.
QMessageBox::StandardButton
showMessageBox(QWidget* owner, QMessageBox::Icon icon, const QString& caption, const QString& text,
               QMessageBox::StandardButtons buttons = QMessageBox::Ok,
               const QString& objectName = QStringLiteral("quorlMessageBox"));

} // namespace quorl
