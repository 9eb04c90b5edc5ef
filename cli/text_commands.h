#pragma once

#include "codeplug/codeplug_image.h"

#include <iosfwd>
#include <optional>
#include <string>

namespace CLI {
class App;
}

namespace quorl::cli {

// `quorl export FILE.ppg [-o FILE.yaml]`: the codeplug as text, on standard output
// without -o.
int runExport(const std::string& ppg, const std::string& output, std::ostream& out,
              std::ostream& err);

// Applies the codeplug text at `path` ("-" for standard input) to `base` as import
// does, printing its errors and notes to `err`; the image Save As would write, or
// nothing when the editors refuse any value.
std::optional<CodeplugImage> applyTextFile(const std::string& path, const CodeplugImage& base,
                                           bool partial, std::ostream& err);

// `quorl export FILE.ppg --update TEXT.yaml`: TEXT.yaml brought up to the codeplug
// with its comments, order and blank lines kept; left alone when nothing differs.
int runExportUpdate(const std::string& ppg, const std::string& textFile, std::ostream& err);

// `quorl import FILE.yaml --base FILE.ppg (-o OUT.ppg | --check) [--partial]`:
// errors and notes go to `err`; nothing is written when there is an error, nor with
// --check (an empty `output`), which only says by its exit code whether the text
// applies.
int runImport(const std::string& yaml, const std::string& base, const std::string& output,
              bool partial, std::ostream& out, std::ostream& err);

// `quorl diff A B [--json]`: 0 when equal, 1 when different, 2 on error.
int runDiff(const std::string& a, const std::string& b, bool json, std::ostream& out,
            std::ostream& err);

// `quorl schema [-o FILE]`: the JSON Schema of codeplug texts.
int runSchema(const std::string& output, std::ostream& out, std::ostream& err);

void addTextCommands(CLI::App& app, int& exitCode);

} // namespace quorl::cli
