#include "modal_answerer.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

namespace quorl::test {

class ModalAnswerer::Poller : public QObject {
public:
    explicit Poller(ModalAnswerer& owner) : owner_(owner) { startTimer(10); }

protected:
    void timerEvent(QTimerEvent*) override { owner_.poll(); }

private:
    ModalAnswerer& owner_;
};

ModalAnswerer::ModalAnswerer() : poller_(new Poller(*this)) {}

ModalAnswerer::~ModalAnswerer() {
    delete poller_;
}

void ModalAnswerer::pressOnNextBox(QMessageBox::StandardButton button) {
    queue_.append([this, button](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box) {
            w->close();
            texts << QStringLiteral("<not a message box>");
            return;
        }
        texts << box->text();
        icons << box->icon();
        formats << box->textFormat();
        if (auto* b = box->button(button))
            b->click();
        else
            box->reject();
    });
}

void ModalAnswerer::onNextModal(std::function<void(QWidget*)> action) {
    queue_.append(std::move(action));
}

void ModalAnswerer::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    // A new box may reuse the address of the last one, so mark what was answered.
    if (!modal || modal->property("quorlAnswered").toBool()) {
        unexpectedTicks_ = 0;
        return;
    }
    if (queue_.isEmpty()) {
        // Nobody expected this window: note it and close it rather than hang the run.
        if (++unexpectedTicks_ > 200) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            texts << QStringLiteral("<unexpected> ") + (box ? box->text() : modal->objectName());
            modal->setProperty("quorlAnswered", true);
            modal->close();
        }
        return;
    }
    modal->setProperty("quorlAnswered", true);
    auto action = queue_.takeFirst();
    action(modal);
}

} // namespace quorl::test
