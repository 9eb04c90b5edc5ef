#include "widgets/system_text.h"

#include "base/printable_text.h"

#include <QByteArray>
#include <QTextDocument>
#include <cstdio>

namespace quorl {

namespace {

void appendHex(std::string& out, unsigned char b) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\x%02X", b);
    out += buffer;
}

} // namespace

QString systemText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i; // a Windows line break is one line break
            continue;
        }
        const std::size_t length = utf8SequenceLength(text, i);
        const bool control = b < 0x20 && b != '\n' && b != '\t';
        if (length == 0 || control || b == 0x7F) {
            appendHex(out, b);
            ++i;
        } else if (isHiddenControl(text, i, length)) {
            for (std::size_t k = 0; k < length; ++k)
                appendHex(out, static_cast<unsigned char>(text[i + k]));
            i += length;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size()));
}

QString systemText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return systemText(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QString fieldText(std::string_view text) {
    return QString::fromStdString(printableText(text));
}

QString fieldText(const QString& text) {
    const std::string utf8 = text.toStdString();
    return fieldText(std::string_view(utf8));
}

QString plainToolTip(const QString& text) {
    return Qt::mightBeRichText(text) ? Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal) : text;
}

} // namespace quorl
