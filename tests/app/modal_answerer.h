#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <functional>

namespace quorl::test {

// Answers modal windows the code under test opens, in order: each answer waits
// for the next modal widget, records its text and presses a button (or runs a
// custom action for file dialogs).
class ModalAnswerer {
public:
    ModalAnswerer();
    ~ModalAnswerer();

    void pressOnNextBox(QMessageBox::StandardButton button);
    void onNextModal(std::function<void(QWidget*)> action);

    QStringList texts; // message box texts, in order
    QList<QMessageBox::Icon> icons;
    QList<Qt::TextFormat> formats; // markup or plain, as each box reads its text
    int pending() const { return static_cast<int>(queue_.size()); }

private:
    void poll();
    QList<std::function<void(QWidget*)>> queue_;
    int unexpectedTicks_ = 0;
    class Poller;
    Poller* poller_;
};

} // namespace quorl::test
