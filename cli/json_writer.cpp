#include "cli/json_writer.h"

#include <cstdio>
#include <ostream>

namespace quorl::cli {

void JsonWriter::writeString(std::ostream& out, std::string_view s) {
    out << '"';
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '"':
            out << "\\\"";
            break;
        case '\\':
            out << "\\\\";
            break;
        case '\n':
            out << "\\n";
            break;
        case '\r':
            out << "\\r";
            break;
        case '\t':
            out << "\\t";
            break;
        default:
            if (u < 0x20 || u >= 0x7F) {
                // Codeplug text fields are ASCII; anything else is shown as a code.
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", u);
                out << buf;
            } else {
                out << c;
            }
        }
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
