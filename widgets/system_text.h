#pragma once

#include <QString>
#include <string_view>

namespace quorl {

// Text as a widget may show it, whether the system's own (UTF-8, Windows line
// breaks) or from the pager or a file (an identity text, a serial number, a file
// name, or a message that carries one): line breaks and tabs stay; other control
// characters, the marks and overrides that turn the direction of the text after
// them, and bytes that are not UTF-8 are shown as \xNN, so a name reads as what it
// holds. Widgets show it as plain text only: a label or a message box that takes it
// is set to Qt::PlainText, so "<b>" and "&amp;" stay as written.
QString systemText(std::string_view text);
QString systemText(const QString& text);
inline QString systemText(const char* text) {
    return systemText(std::string_view(text));
}

// A one-line text from the pager or a file (a serial number, a model, a file name)
// as a field, a table cell or a title shows it: as above, with line breaks and tabs
// shown as \n and \t too, and a backslash doubled, exactly as the command-line tool
// prints it.
QString fieldText(std::string_view text);
QString fieldText(const QString& text);
inline QString fieldText(const char* text) {
    return fieldText(std::string_view(text));
}

// A tooltip that shows `text` as written: Qt reads a tooltip that looks like markup
// as markup, and has no plain-text setting for it.
QString plainToolTip(const QString& text);

} // namespace quorl
