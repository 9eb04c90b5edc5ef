#include "editors/ui/editor_message.h"

#include <QMessageBox>

namespace quorl {

void QtEditorMessages::warning(std::string_view text, std::string_view caption) {
    QMessageBox box(QMessageBox::Warning, systemText(caption), systemText(text), QMessageBox::Ok,
                    owner_);
    box.setObjectName(QStringLiteral("quorlEditorWarning"));
    box.exec();
}

} // namespace quorl
