#include "editors/ui/user_data_undo.h"

#include <QUndoCommand>
#include <QUndoStack>
#include <vector>

namespace quorl {

namespace {

// One byte an action changed, in the committed image or the edit image.
struct ByteChange {
    bool committed;
    Address address;
    std::uint8_t before;
    std::uint8_t after;
};

std::vector<ByteChange> changesBetween(const EditedBytes& a, const EditedBytes& b) {
    std::vector<ByteChange> out;
    for (Address i = 0; i < kImageSize; ++i) {
        if (a.committed.at(i) != b.committed.at(i))
            out.push_back({true, i, a.committed.at(i), b.committed.at(i)});
        if (a.edit.at(i) != b.edit.at(i))
            out.push_back({false, i, a.edit.at(i), b.edit.at(i)});
    }
    return out;
}

class ByteStep : public QUndoCommand {
public:
    ByteStep(UserDataUndo& owner, const QString& name, int tab, const EditedBytes& before,
             const EditedBytes& after)
        : QUndoCommand(name), owner_(owner), tab_(tab), changes_(changesBetween(before, after)),
          modifiedBefore_(before.modified), modifiedAfter_(after.modified) {}

    void undo() override { owner_.apply(side(true), tab_); }
    void redo() override {
        // Pushing runs redo at once; the action itself has already stored the bytes.
        if (first_) {
            first_ = false;
            return;
        }
        owner_.apply(side(false), tab_);
    }

private:
    // The images with this step's bytes set to their values before or after it;
    // every other byte as the window holds it now.
    EditedBytes side(bool before) const {
        EditedBytes out = EditedBytes::of(owner_.state());
        for (const ByteChange& c : changes_)
            (c.committed ? out.committed : out.edit).set(c.address, before ? c.before : c.after);
        out.modified = before ? modifiedBefore_ : modifiedAfter_;
        return out;
    }

    UserDataUndo& owner_;
    int tab_;
    std::vector<ByteChange> changes_;
    bool modifiedBefore_;
    bool modifiedAfter_;
    bool first_ = true;
};

} // namespace

EditedBytes EditedBytes::of(const CodeplugState& state) {
    return {state.image, state.editImage, state.modified.load()};
}

UserDataUndo::UserDataUndo(CodeplugState& state, std::function<void(int)> reshow, QObject* parent)
    : QObject(parent), state_(state), reshow_(std::move(reshow)), stack_(new QUndoStack(this)),
      last_(EditedBytes::of(state)) {}

void UserDataUndo::record(const QString& name, int tab) {
    const EditedBytes now = EditedBytes::of(state_);
    if (now.committed == last_.committed && now.edit == last_.edit)
        return;
    stack_->push(new ByteStep(*this, name, tab, last_, now));
    last_ = now;
}

void UserDataUndo::apply(const EditedBytes& bytes, int tab) {
    const auto put = [&] {
        state_.image = bytes.committed;
        state_.editImage = bytes.edit;
        state_.modified = bytes.modified;
    };
    put();
    if (reshow_)
        reshow_(tab);
    // Showing is not editing: whatever the pages' filling touched is put back.
    put();
    last_ = bytes;
}

} // namespace quorl
