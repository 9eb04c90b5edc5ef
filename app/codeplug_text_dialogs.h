#pragma once

#include "codeplug/codeplug_image.h"

#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace quorl {

struct CodeplugState;

// File > Export Text...: the committed codeplug as YAML text, in a file the user
// chooses (starting in `folder`). An existing text is, when the user says so,
// updated in place with its comments kept, or else replaced. Returns the file
// written when it reads back as written, else empty.
QString exportTextWithDialog(QWidget* owner, const CodeplugState& state, const QString& folder);

// The text at `path` applied to `base` under the editors' rules, as Import Text
// applies it: refusals and a missing file are shown and give nothing, adjustments
// are shown, a text that only leaves values out is offered as a patch.
std::optional<CodeplugImage> applyTextWithDialogs(QWidget* owner, const QString& path,
                                                  const CodeplugImage& base);

// Which text to import; empty when the user cancelled.
using TextFileChoice = std::function<QString(QWidget* owner)>;

// The "Import Text" file dialog, opening in `folder`.
TextFileChoice importTextFileDialog(const QString& folder);

// Import Text onto `base`: the text `choose` names, applied by applyTextWithDialogs.
// Empty when no file was chosen or the text was refused.
std::optional<CodeplugImage> importTextOnto(QWidget* owner, const CodeplugImage& base,
                                            const TextFileChoice& choose);

// File > Import Text...: applies a YAML text to the committed codeplug under the
// editors' rules. When the editors refuse anything, the list is shown and nothing
// changes; otherwise both images take the result, `modified` is set, and what the
// editors adjusted is shown. A text that only leaves values out is offered as a
// patch: "Apply only the values in the text?". True when the codeplug changed.
bool importTextWithDialog(QWidget* owner, CodeplugState& state, const QString& folder);

} // namespace quorl
