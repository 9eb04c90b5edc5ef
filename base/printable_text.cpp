#include "base/printable_text.h"

#include <cstdio>

namespace quorl {

namespace {

unsigned char byteAt(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

bool isContinuation(unsigned char b) {
    return (b & 0xC0) == 0x80;
}

void appendHex(std::string& out, unsigned char b) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\x%02X", b);
    out += buffer;
}

// The marks and overrides that turn the direction of the text after them (U+061C,
// U+200E, U+200F, U+202A to U+202E, U+2066 to U+2069): a file name or pager text
// holding one would show the rest of the line reversed, a name that reads as another.
bool isDirectionControl(std::string_view text, std::size_t at, std::size_t length) {
    if (length == 2)
        return byteAt(text, at) == 0xD8 && byteAt(text, at + 1) == 0x9C;
    if (length != 3 || byteAt(text, at) != 0xE2)
        return false;
    const unsigned char second = byteAt(text, at + 1), third = byteAt(text, at + 2);
    return (second == 0x80 &&
            (third == 0x8E || third == 0x8F || (third >= 0xAA && third <= 0xAE))) ||
           (second == 0x81 && third >= 0xA6 && third <= 0xA9);
}

} // namespace

std::size_t utf8SequenceLength(std::string_view text, std::size_t at) {
    const unsigned char lead = byteAt(text, at);
    std::size_t length = 0;
    unsigned min = 0;
    unsigned value = 0;
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, min = 0x80, value = lead & 0x1Fu;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, min = 0x800, value = lead & 0x0Fu;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, min = 0x10000, value = lead & 0x07u;
    } else {
        return 0;
    }
    if (at + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const unsigned char b = byteAt(text, at + k);
        if (!isContinuation(b))
            return 0;
        value = value << 6 | (b & 0x3Fu);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return value < min || value > 0x10FFFF || surrogate ? 0 : length;
}

bool isHiddenControl(std::string_view text, std::size_t at, std::size_t length) {
    // U+0080 to U+009F: the C1 controls, which terminals obey like ESC sequences.
    const bool c1 = length == 2 && byteAt(text, at) == 0xC2 && byteAt(text, at + 1) < 0xA0;
    return c1 || isDirectionControl(text, at, length);
}

std::string printableText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char b = byteAt(text, i);
        const std::size_t length = utf8SequenceLength(text, i);
        if (b == '\\') {
            out += "\\\\";
        } else if (b == '\n') {
            out += "\\n";
        } else if (b == '\t') {
            out += "\\t";
        } else if (b == '\r') {
            out += "\\r";
        } else if (length == 0 || b < 0x20 || b == 0x7F) {
            appendHex(out, b);
        } else if (isHiddenControl(text, i, length)) {
            for (std::size_t k = 0; k < length; ++k)
                appendHex(out, byteAt(text, i + k));
            i += length;
            continue;
        } else {
            out.append(text.substr(i, length));
            i += length;
            continue;
        }
        ++i;
    }
    return out;
}

std::string fileProblemLine(const std::string& path, const std::string& problem) {
    return problemLine(path + ": " + problem);
}

std::string problemLine(const std::string& problem) {
    return "  " + printableText(problem) + "\n";
}

} // namespace quorl
