#include "app/qt_operation_host.h"

#include "app/message_box.h"
#include "link/ui/link_dialogs.h"

#include <QMessageBox>
#include <QThread>
#include <string>

namespace quorl {

QtOperationHost::QtOperationHost(QWidget* owner, std::function<void()> repaint)
    : owner_(owner), repaint_(std::move(repaint)) {}

template <typename F> auto QtOperationHost::onInterfaceThread(F&& f) -> decltype(f()) {
    using R = decltype(f());
    if (QThread::currentThread() == thread())
        return f();
    if constexpr (std::is_void_v<R>) {
        QMetaObject::invokeMethod(this, std::forward<F>(f), Qt::BlockingQueuedConnection);
    } else {
        R result{};
        QMetaObject::invokeMethod(this, std::forward<F>(f), Qt::BlockingQueuedConnection, &result);
        return result;
    }
}

void QtOperationHost::showBox(const std::string& text, MessageIcon icon) {
    if (icon == MessageIcon::Stop)
        showStopMessage(owner_, text);
    else
        showInformation(owner_, text);
}

void QtOperationHost::showMessage(std::string_view text, MessageIcon icon) {
    // The text is copied: the worker's buffer may not outlive a queued call.
    onInterfaceThread([this, t = std::string(text), icon] { showBox(t, icon); });
}

void QtOperationHost::postMessage(std::string_view text, MessageIcon icon) {
    // Raised on a watcher thread that the interface thread may be waiting for: queue
    // the box and never wait for it.
    QMetaObject::invokeMethod(
        this, [this, t = std::string(text), icon] { showBox(t, icon); }, Qt::QueuedConnection);
}

void QtOperationHost::runConnectedDevicesDialog() {
    onInterfaceThread([this] {
        runConnectedDevices(owner_);
        if (afterDeviceChoice_)
            afterDeviceChoice_();
    });
}

void QtOperationHost::openProgress(std::string_view text) {
    onInterfaceThread([this, t = systemText(text)] {
        if (progress_.open)
            progress_.open(t);
    });
}

void QtOperationHost::updateProgress(int percent, std::string_view text) {
    onInterfaceThread([this, percent, t = systemText(text)] {
        if (progress_.update)
            progress_.update(percent, t);
    });
}

void QtOperationHost::closeProgress() {
    onInterfaceThread([this] {
        if (progress_.close)
            progress_.close();
    });
}

void QtOperationHost::repaintView() {
    onInterfaceThread([this] {
        if (repaint_)
            repaint_();
    });
}

} // namespace quorl
