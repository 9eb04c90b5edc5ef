#pragma once

#include "editors/editor_messages.h"

#include <QPointer>
#include <QWidget>

namespace quorl {

// Editor warnings as modal boxes with the exclamation icon and the field's caption.
class QtEditorMessages : public EditorMessages {
public:
    explicit QtEditorMessages(QWidget* owner) : owner_(owner) {}
    void warning(std::string_view text, std::string_view caption) override;

private:
    QPointer<QWidget> owner_;
};

// The same box, for views that show one directly.
void showEditorWarning(QWidget* owner, std::string_view text, std::string_view caption);

} // namespace quorl
