#pragma once

#include "codeplug/channel_block.h"

#include <QString>

namespace quorl::step_names {

// What the Edit menu calls each action of the User Data window, after "Undo " or
// "Redo ".

// "Tone 1 of Call 2", "Tone 2 of Call 10", "Tone of Group Call 3".
inline QString tone(ToneSlot s) {
    if (s.kind == ToneKind::Group)
        return QStringLiteral("Tone of Group Call %1").arg(s.index);
    return QStringLiteral("Tone %1 of Call %2").arg(s.kind == ToneKind::Tone1 ? 1 : 2).arg(s.index);
}

// A channel row's column: "Alert of Call 4", "Duty of Group Call 2".
inline QString row(const char* column, int row) {
    if (row < kCallCount)
        return QStringLiteral("%1 of Call %2").arg(QLatin1String(column)).arg(row + 1);
    return QStringLiteral("%1 of Group Call %2")
        .arg(QLatin1String(column))
        .arg(row - kCallCount + 1);
}

// A function switch's field: "Mode of SW-C".
inline QString switchField(const char* field, int k) {
    return QStringLiteral("%1 of SW-%2").arg(QLatin1String(field)).arg(QChar('A' + k));
}

// A function switch row filled from another: "Fill SW-C".
inline QString fill(int k) {
    return QStringLiteral("Fill SW-%1").arg(QChar('A' + k));
}

// A YAML text applied to the window's edits: "Import Text".
inline QString importText() {
    return QStringLiteral("Import Text");
}

} // namespace quorl::step_names
