#pragma once

#include "codeplug/codeplug_state.h"

#include <QObject>
#include <QString>
#include <functional>

class QUndoStack;

namespace quorl {

// What a page calls after the user's action has been checked and stored: the
// action's name as the Edit menu shows it ("Tone 1 of Call 2").
using EditRecorder = std::function<void(const QString& name)>;

// Both images and the changed mark as one action left them. Both images, because a
// falsing level confirmed with its own OK goes into the committed image at once.
struct EditedBytes {
    CodeplugImage committed;
    CodeplugImage edit;
    bool modified = false;
    static EditedBytes of(const CodeplugState& state);
};

// Undo and redo for one opening of the User Data window. Every action that changed
// bytes becomes one step holding only the bytes it changed; undoing puts them back
// and has the window show the images again.
class UserDataUndo : public QObject {
    Q_OBJECT
public:
    // `reshow(tab)` shows the images again on tab `tab`, where the step was made.
    UserDataUndo(CodeplugState& state, std::function<void(int tab)> reshow, QObject* parent);

    // One step named `name`, made on tab `tab`, when the bytes moved since the last
    // step; nothing when the action changed nothing (or was refused).
    void record(const QString& name, int tab);
    QUndoStack* stack() const { return stack_; }
    const CodeplugState& state() const { return state_; }

    // Applies one side of a step (used by the steps themselves).
    void apply(const EditedBytes& bytes, int tab);

private:
    CodeplugState& state_;
    std::function<void(int)> reshow_;
    QUndoStack* stack_;
    EditedBytes last_;
};

} // namespace quorl
