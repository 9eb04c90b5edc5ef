#pragma once

#include <QValidator>

namespace quorl {

// Takes a comma as the decimal point wherever text enters a numeric box (typing,
// paste, drag and drop, the context menu), as European technicians write it, so
// "1,5" is 1.5 and never 15. Text that is still not a plain decimal ("nan", "1e3",
// "-1") stays in the box unaccepted: the box's own check then answers it with its
// message rather than the text vanishing without a word.
class DecimalPointValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

} // namespace quorl
