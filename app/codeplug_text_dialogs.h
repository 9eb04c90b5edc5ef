#pragma once

#include <QString>

class QWidget;

namespace quorl {

struct CodeplugState;

// File > Export Text...: the committed codeplug as YAML text, in a file the user
// chooses (starting in `folder`).
void exportTextWithDialog(QWidget* owner, const CodeplugState& state, const QString& folder);

// File > Import Text...: applies a YAML text to the committed codeplug under the
// editors' rules. When the editors refuse anything, the list is shown and nothing
// changes; otherwise both images take the result, `modified` is set, and what the
// editors adjusted is shown. True when the codeplug changed.
bool importTextWithDialog(QWidget* owner, CodeplugState& state, const QString& folder);

} // namespace quorl
