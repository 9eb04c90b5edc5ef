#pragma once

#include "link/operation_host.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>

class QWidget;

namespace quorl {

// Carries an operation's calls from its worker thread to the interface thread and
// waits for each to finish, so a message box is answered before the worker goes
// on. Called on the interface thread itself, it runs the call directly.
class QtOperationHost : public QObject, public OperationHost {
    Q_OBJECT

public:
    // The progress window; the frame installs the real one.
    struct ProgressWindow {
        std::function<void(const QString&)> open;
        std::function<void(int, const QString&)> update;
        std::function<void()> close;
    };

    QtOperationHost(QWidget* owner, std::function<void()> repaint);

    void setProgressWindow(ProgressWindow window) { progress_ = std::move(window); }
    // Called on the interface thread once the user has answered the Connected Devices
    // dialog: the operation's own work starts there.
    void setAfterDeviceChoice(std::function<void()> after) {
        afterDeviceChoice_ = std::move(after);
    }

    void showMessage(std::string_view text, MessageIcon icon) override;
    void postMessage(std::string_view text, MessageIcon icon) override;
    void runConnectedDevicesDialog() override;
    void openProgress(std::string_view text) override;
    void updateProgress(int percent, std::string_view text) override;
    void closeProgress() override;
    void repaintView() override;

private:
    // On the interface thread: the box for `icon`.
    void showBox(const std::string& text, MessageIcon icon);
    template <typename F> auto onInterfaceThread(F&& f) -> decltype(f());

    QPointer<QWidget> owner_;
    std::function<void()> repaint_;
    ProgressWindow progress_;
    std::function<void()> afterDeviceChoice_;
};

} // namespace quorl
