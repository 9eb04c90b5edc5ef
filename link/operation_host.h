#pragma once

#include "codeplug/document_host.h"

#include <string_view>

namespace quorl {

enum class MessageIcon { Stop, Question, Information, Warning };

// Everything a pager operation (running on its worker thread, or a watcher thread)
// needs from the user: messages, the progress window and a repaint of the main view.
// It asks no questions: those about the document come before the operation starts.
// The Qt host forwards each call to the interface thread and waits for it; the
// command-line host prints; a test host records every call. Operations never touch
// Qt themselves.
class OperationHost {
public:
    virtual ~OperationHost() = default;

    // Modal message box with the caption "Tessaly VI Quorl".
    virtual void showMessage(std::string_view text, MessageIcon icon = MessageIcon::Stop) = 0;
    // The same box, raised by a serial watcher thread. The interface thread may itself be
    // waiting on that watcher (an audition runs there and closes its port, which joins
    // the watcher), so a host that forwards calls to the interface thread must not wait
    // for this one to be shown.
    virtual void postMessage(std::string_view text, MessageIcon icon = MessageIcon::Stop) {
        showMessage(text, icon);
    }

    // The "Progress Indicator" window: text drawn over a bar of 0..100.
    virtual void openProgress(std::string_view text) = 0;
    virtual void updateProgress(int percent, std::string_view text) = 0;
    virtual void closeProgress() = 0;

    virtual void repaintView() = 0;

    // Shows the "Connected Devices" dialog modally on the interface thread; the dialog
    // records the user's pick in the port-choice state (port_choice.h). A host that
    // cannot ask (the command-line tool) leaves it unanswered, which ends the operation
    // silently as Cancel does.
    virtual void runConnectedDevicesDialog() {}
};

} // namespace quorl
