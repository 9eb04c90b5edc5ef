#pragma once

#include "editors/editor_messages.h"

#include "widgets/system_text.h"

#include <QString>
#include <string_view>

class QWidget;

namespace quorl {

// Editor warnings as modal boxes: warning icon, the field's caption, OK.
class QtEditorMessages : public EditorMessages {
public:
    explicit QtEditorMessages(QWidget* owner) : owner_(owner) {}
    void warning(std::string_view text, std::string_view caption) override;

private:
    QWidget* owner_;
};

} // namespace quorl
