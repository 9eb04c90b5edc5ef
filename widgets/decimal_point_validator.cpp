#include "widgets/decimal_point_validator.h"

namespace quorl {

QValidator::State DecimalPointValidator::validate(QString& input, int&) const {
    input.replace(QLatin1Char(','), QLatin1Char('.'));
    int points = 0;
    for (const QChar c : input) {
        if (c == QLatin1Char('.'))
            ++points;
        else if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return Intermediate;
    }
    return points <= 1 ? Acceptable : Intermediate;
}

} // namespace quorl
