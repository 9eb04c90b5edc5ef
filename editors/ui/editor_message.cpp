#include "editors/ui/editor_message.h"

#include "widgets/message_box.h"

namespace quorl {

void QtEditorMessages::warning(std::string_view text, std::string_view caption) {
    showMessageBox(owner_, QMessageBox::Warning, systemText(caption), systemText(text),
                   QMessageBox::Ok, QStringLiteral("quorlEditorWarning"));
}

} // namespace quorl
