#include "cli/field_report.h"

#include "base/printable_text.h"
#include "cli/json_writer.h"

#include <ostream>

namespace quorl::cli {

void printFieldDifferences(const std::vector<textplug::FieldDifference>& differences,
                           std::ostream& out) {
    // Values of a .yaml side are as written: shown so they cannot drive the terminal.
    for (const auto& d : differences)
        out << printableText(textplug::formatDifference(d)) << '\n';
}

void printFieldDifferencesJson(const std::vector<textplug::FieldDifference>& differences,
                               std::size_t hiddenBytes, const std::vector<std::string>& hiddenRuns,
                               std::ostream& out) {
    const auto side = [&](const std::optional<std::string>& v) {
        if (v)
            JsonWriter::writeString(out, *v);
        else
            out << "null";
    };
    out << "{\"equal\":" << (differences.empty() && hiddenBytes == 0 ? "true" : "false")
        << ",\"differences\":[";
    for (std::size_t i = 0; i < differences.size(); ++i) {
        const auto& d = differences[i];
        out << (i ? "," : "") << "{\"field\":";
        JsonWriter::writeString(out, d.field);
        out << ",\"identity\":" << (d.identity ? "true" : "false") << ",\"a\":";
        side(d.a);
        out << ",\"b\":";
        side(d.b);
        out << '}';
    }
    out << "],\"hiddenByteDifferences\":" << hiddenBytes << ",\"hiddenByteAddresses\":[";
    for (std::size_t i = 0; i < hiddenRuns.size(); ++i) {
        out << (i ? "," : "");
        JsonWriter::writeString(out, hiddenRuns[i]);
    }
    out << "]}\n";
}

} // namespace quorl::cli
