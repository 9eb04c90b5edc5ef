#include "cli/json_writer.h"

#include "base/printable_text.h"

#include <cstdio>
#include <ostream>

namespace quorl::cli {

namespace {

// The code point of the well-formed sequence of `length` (2 or 3) bytes at `at`.
unsigned codePointAt(std::string_view s, std::size_t at, std::size_t length) {
    unsigned value = static_cast<unsigned char>(s[at]) & (length == 2 ? 0x1Fu : 0x0Fu);
    for (std::size_t k = 1; k < length; ++k)
        value = value << 6 | (static_cast<unsigned char>(s[at + k]) & 0x3Fu);
    return value;
}

} // namespace

void JsonWriter::writeString(std::ostream& out, std::string_view s) {
    out << '"';
    std::size_t i = 0;
    while (i < s.size()) {
        const char c = s[i];
        const auto u = static_cast<unsigned char>(c);
        const std::size_t length = utf8SequenceLength(s, i);
        if (c == '"') {
            out << "\\\"";
        } else if (c == '\\') {
            out << "\\\\";
        } else if (c == '\n') {
            out << "\\n";
        } else if (c == '\r') {
            out << "\\r";
        } else if (c == '\t') {
            out << "\\t";
        } else if (u < 0x20 || u == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", u);
            out << buf;
        } else if (length > 1 && isHiddenControl(s, i, length)) {
            // Escaped as the text output shows them: a reader of the JSON gets the
            // character back, a terminal showing it is not turned around by it.
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", codePointAt(s, i, length));
            out << buf;
            i += length;
            continue;
        } else if (length == 0) {
            // Not UTF-8: JSON text cannot carry the byte, so it stands as U+FFFD.
            out << "\\ufffd";
        } else {
            out << s.substr(i, length);
            i += length;
            continue;
        }
        ++i;
    }
    out << '"';
}

void JsonWriter::separator() {
    if (!first_)
        out_ << ',';
    first_ = false;
}

void JsonWriter::key(std::string_view k) {
    separator();
    writeString(out_, k);
    out_ << ':';
}

void JsonWriter::beginObject(std::string_view k) {
    if (!k.empty())
        key(k);
    else
        separator();
    out_ << '{';
    first_ = true;
}

void JsonWriter::endObject() {
    out_ << '}';
    first_ = false;
}

void JsonWriter::field(std::string_view k, std::string_view value) {
    key(k);
    writeString(out_, value);
}

void JsonWriter::field(std::string_view k, long long value) {
    key(k);
    out_ << value;
}

void JsonWriter::field(std::string_view k, bool value) {
    key(k);
    out_ << (value ? "true" : "false");
}

} // namespace quorl::cli
