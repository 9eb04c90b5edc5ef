#include "editors/ui/editor_message.h"

#include <QMessageBox>

namespace quorl {

QString editorText(std::string_view text) {
    QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

void QtEditorMessages::warning(std::string_view text, std::string_view caption) {
    QMessageBox box(QMessageBox::Warning, editorText(caption), editorText(text), QMessageBox::Ok,
                    owner_);
    box.setObjectName(QStringLiteral("quorlEditorWarning"));
    box.exec();
}

} // namespace quorl
