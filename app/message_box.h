#pragma once

#include "codeplug/document_host.h"

#include "widgets/system_text.h"

#include <QString>
#include <string_view>

class QWidget;

namespace quorl {

// Modal error: stop icon, caption "Tessaly VI Quorl", OK.
void showStopMessage(QWidget* owner, std::string_view text);
// Modal information box with the same caption.
void showInformation(QWidget* owner, std::string_view text);
// Question icon, Yes/No/Cancel.
Answer askYesNoCancel(QWidget* owner, std::string_view question);
// Question icon, Yes/No.
bool askYesNo(QWidget* owner, std::string_view question);

} // namespace quorl
