#include "app/message_box.h"

#include "app/app_texts.h"

#include "widgets/message_box.h"

namespace quorl {

namespace {
QMessageBox::StandardButton run(QWidget* owner, QMessageBox::Icon icon, std::string_view text,
                                QMessageBox::StandardButtons buttons) {
    return showMessageBox(owner, icon, QString::fromUtf8(texts::kFrameTitle), systemText(text),
                          buttons);
}
} // namespace

void showStopMessage(QWidget* owner, std::string_view text) {
    run(owner, QMessageBox::Critical, text, QMessageBox::Ok);
}

void showInformation(QWidget* owner, std::string_view text) {
    run(owner, QMessageBox::Information, text, QMessageBox::Ok);
}

Answer askYesNoCancel(QWidget* owner, std::string_view question) {
    switch (run(owner, QMessageBox::Question, question,
                QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool askYesNo(QWidget* owner, std::string_view question) {
    return run(owner, QMessageBox::Question, question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

} // namespace quorl
