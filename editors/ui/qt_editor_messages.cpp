#include "editors/ui/qt_editor_messages.h"

#include <QMessageBox>

namespace quorl {

namespace {
QString toQt(std::string_view s) {
    QString out = QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return out;
}
} // namespace

void showEditorWarning(QWidget* owner, std::string_view text, std::string_view caption) {
    QMessageBox box(QMessageBox::Warning, toQt(caption), toQt(text), QMessageBox::Ok, owner);
    box.exec();
}

void QtEditorMessages::warning(std::string_view text, std::string_view caption) {
    showEditorWarning(owner_, text, caption);
}

} // namespace quorl
