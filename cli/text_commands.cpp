#include "cli/text_commands.h"

#include "base/atomic_file_write.h"
#include "base/printable_text.h"
#include "cli/codeplug_commands.h"
#include "cli/field_report.h"
#include "cli/named_path.h"
#include "cli/tool_help.h"
#include "codeplug/codeplug_document.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/codeplug_texts.h"
#include "codeplug/load_like_open.h"
#include "codeplug/ppg_file.h"
#include "codeplug/stream_document_host.h"
#include "textplug/codeplug_fields.h"
#include "textplug/text_diff.h"
#include "textplug/text_export.h"
#include "textplug/text_file.h"
#include "textplug/text_format.h"
#include "textplug/text_import.h"
#include "textplug/text_schema.h"
#include "textplug/text_update.h"
#include "textplug/textplug_texts.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <memory>

namespace quorl::cli {

namespace tp = textplug;

namespace {

constexpr int kExitDiffError = 2;

std::string fileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

// The name messages give a text: standard input is named as grep names it.
std::string shownName(const std::string& path) {
    return tp::isStandardStream(path) ? std::string("(standard input)") : path;
}

std::optional<std::string> readText(const std::string& path, std::ostream& err) {
    std::string why;
    auto text = tp::readTextFile(path, why);
    if (!text)
        err << printableText(shownName(path)) << ": " << why << '\n';
    return text;
}

void printProblems(const std::string& path, const std::vector<tp::TextProblem>& list,
                   std::string_view kind, std::ostream& err) {
    const std::string file = shownName(path);
    for (const auto& p : list) {
        // Keys and values come from the file: shown so they cannot drive the terminal.
        if (kind.empty()) {
            err << printableText(tp::formatProblem(file, p)) << '\n';
        } else {
            tp::TextProblem labelled = p;
            labelled.field = std::string(kind) + (p.field.empty() ? "" : ": " + p.field);
            err << printableText(tp::formatProblem(file, labelled)) << '\n';
        }
    }
}

// The values of one side of a diff, and its image when it is a .ppg file.
struct DiffSide {
    std::vector<tp::TextField> fields;
    std::unique_ptr<CodeplugState> state;
};

std::optional<DiffSide> loadSide(const std::string& path, std::ostream& err) {
    DiffSide side;
    // A pipe handed to the tool ("-", <(quorl export ...)) carries text.
    if (tp::isTextFile(path) || tp::isGivenStream(path)) {
        const auto text = readText(path, err);
        if (!text)
            return std::nullopt;
        const tp::ParsedText parsed = tp::readCodeplugText(*text);
        std::vector<tp::TextProblem> errors = parsed.errors, notes;
        if (errors.empty())
            tp::checkFormat(parsed, errors, notes);
        if (!errors.empty()) {
            printProblems(path, errors, {}, err);
            return std::nullopt;
        }
        side.fields = tp::textFields(parsed);
        return side;
    }
    side.state = std::make_unique<CodeplugState>();
    if (!loadLikeOpen(path, *side.state, err))
        return std::nullopt;
    side.fields = tp::codeplugFields(side.state->image);
    return side;
}

// The bytes in which two images differ: how many, and their addresses with runs
// joined ("0x0301", "0x0310-0x0313").
struct ByteDifferences {
    std::size_t count = 0;
    std::vector<std::string> runs;
};

ByteDifferences differingBytes(const CodeplugImage& a, const CodeplugImage& b) {
    ByteDifferences out;
    const auto hex = [](std::size_t address) {
        char text[8];
        std::snprintf(text, sizeof text, "0x%04zX", address);
        return std::string(text);
    };
    const auto differs = [&](std::size_t i) {
        return a.at(static_cast<Address>(i)) != b.at(static_cast<Address>(i));
    };
    for (std::size_t i = 0; i < kImageSize; ++i) {
        if (!differs(i))
            continue;
        std::size_t last = i;
        while (last + 1 < kImageSize && differs(last + 1))
            ++last;
        out.runs.push_back(last == i ? hex(i) : hex(i) + '-' + hex(last));
        out.count += last - i + 1;
        i = last;
    }
    return out;
}

// A text to the file `output`, or to `out` when there is none or it is "-".
int writeTextOutput(const std::string& output, const std::string& text, std::string_view failure,
                    std::ostream& out, std::ostream& err) {
    if (output.empty() || tp::isStandardStream(output)) {
        // The tool's last step checks that standard output took all of it.
        out << text;
        return kExitOk;
    }
    if (std::string problem; !writeFileAtomically(
            output, std::as_bytes(std::span(text.data(), text.size())), &problem)) {
        err << failure << '\n' << problemLine(problem);
        return kExitFailure;
    }
    return kExitOk;
}

bool writeBytesTo(std::ostream& out, std::span<const std::byte> bytes) {
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.flush();
    return static_cast<bool>(out);
}

} // namespace

std::optional<CodeplugImage> applyTextFile(const std::string& path, const CodeplugImage& base,
                                           bool partial, std::ostream& err) {
    const auto text = readText(path, err);
    if (!text)
        return std::nullopt;
    const tp::ImportResult result = tp::importCodeplugText(*text, base, tp::ImportOptions{partial});
    printProblems(path, result.errors, {}, err);
    printProblems(path, result.notes, "note", err);
    return result.image;
}

int runExport(const std::string& ppg, const std::string& output, std::ostream& out,
              std::ostream& err) {
    const bool toStream = output.empty() || tp::isStandardStream(output);
    // Found out before any work, as every command that writes a file does.
    if (std::string problem; !toStream && !canWriteFileAtomically(output, problem)) {
        err << "Cannot write the text file\n" << problemLine(problem);
        return kExitFailure;
    }
    auto state = std::make_unique<CodeplugState>();
    if (!loadLikeOpen(ppg, *state, err))
        return kExitFailure;
    return writeTextOutput(output,
                           tp::exportText(tp::codeplugFields(state->image), fileNameOf(ppg)),
                           "Cannot write the text file", out, err);
}

int runExportUpdate(const std::string& ppg, const std::string& textFile, std::ostream& err) {
    // The text is rewritten where it lies, so it must be a file.
    if (tp::isGivenStream(textFile)) {
        err << "quorl: --update takes a text file, not standard input or a pipe\n";
        return kExitUsage;
    }
    if (std::string problem; !canWriteFileAtomically(textFile, problem)) {
        err << "Cannot write the text file\n" << problemLine(problem);
        return kExitFailure;
    }
    const auto existing = readText(textFile, err);
    if (!existing)
        return kExitFailure;
    auto state = std::make_unique<CodeplugState>();
    if (!loadLikeOpen(ppg, *state, err))
        return kExitFailure;
    const tp::UpdateResult updated = tp::updateText(*existing, tp::codeplugFields(state->image));
    printProblems(textFile, updated.errors, {}, err);
    if (!updated.text)
        return kExitFailure;
    // Nothing changed: the file, its time included, stays as it is.
    if (*updated.text == *existing)
        return kExitOk;
    return writeTextOutput(textFile, *updated.text, "Cannot write the text file", err, err);
}

int runImport(const std::string& yaml, const std::string& base, const std::string& output,
              bool partial, std::ostream& out, std::ostream& err) {
    const bool checkOnly = output.empty();
    const bool toStream = tp::isStandardStream(output);
    if (std::string problem; !checkOnly && !toStream && !canWriteFileAtomically(output, problem)) {
        err << terminalText(texts::kFileError3) << '\n' << problemLine(problem);
        return kExitFailure;
    }
    auto state = std::make_unique<CodeplugState>();
    if (!loadLikeOpen(base, *state, err))
        return kExitFailure;
    const auto image = applyTextFile(yaml, state->image, partial, err);
    if (!image)
        return kExitFailure;
    if (checkOnly)
        return kExitOk;
    if (toStream) {
        if (writeBytesTo(out, ppgFileBytes(*image)))
            return kExitOk;
        err << terminalText(texts::kFileError3) << '\n' << problemLine("standard output failed");
        return kExitFailure;
    }
    if (std::string problem; !writePpgFile(output, *image, &problem)) {
        err << terminalText(texts::kFileError3) << '\n' << problemLine(problem);
        return kExitFailure;
    }
    return kExitOk;
}

int runDiff(const std::string& a, const std::string& b, bool json, std::ostream& out,
            std::ostream& err) {
    const auto left = loadSide(a, err);
    if (!left)
        return kExitDiffError;
    const auto right = loadSide(b, err);
    if (!right)
        return kExitDiffError;
    const auto differences = tp::diffFields(left->fields, right->fields);
    // Two files the editors show alike can still differ in bytes no editor shows
    // (reserved bytes, bits carried as read); equal must mean equal.
    ByteDifferences hidden;
    if (differences.empty() && left->state && right->state)
        hidden = differingBytes(left->state->image, right->state->image);
    if (json) {
        printFieldDifferencesJson(differences, hidden.count, hidden.runs, out);
    } else {
        printFieldDifferences(differences, out);
        if (hidden.count > 0) {
            out << hidden.count << ' ' << tp::msg::kOtherBytes << ':';
            for (const auto& run : hidden.runs)
                out << ' ' << run;
            out << '\n';
        }
    }
    // Lost output is an error, not a difference (the tool's last step says so).
    out.flush();
    if (!out)
        return kExitDiffError;
    return differences.empty() && hidden.count == 0 ? kExitOk : kExitFailure;
}

int runSchema(const std::string& output, std::ostream& out, std::ostream& err) {
    return writeTextOutput(output, tp::codeplugTextSchema(), "Cannot write the schema file", out,
                           err);
}

void addTextCommands(CLI::App& app, int& exitCode) {
    auto* exp = app.add_subcommand("export", "Write a codeplug as YAML text");
    auto expIn = std::make_shared<std::string>();
    auto expOut = std::make_shared<std::string>();
    exp->add_option("file", *expIn, "Codeplug file (.ppg)")->required();
    exp->add_option("-o,--output", *expOut, "Text file to write (default or -: standard output)")
        ->check(namedPath());
    auto expUpdate = std::make_shared<std::string>();
    exp->add_option("--update", *expUpdate,
                    "Rewrite only the values that differ in this existing text, keeping its "
                    "comments, order and blank lines (not with -o)");
    exp->callback([=, &exitCode] {
        if (!expUpdate->empty() && !expOut->empty())
            throw CLI::ValidationError("--update", "rewrites its own file; give it without -o");
        exitCode = expUpdate->empty() ? runExport(*expIn, *expOut, std::cout, std::cerr)
                                      : runExportUpdate(*expIn, *expUpdate, std::cerr);
    });
    describeExitCodes(*exp, {{kExitOk, "The text was written."},
                             {kExitFailure, "The codeplug cannot be opened, or the text not "
                                            "written."}});

    auto* imp =
        app.add_subcommand("import", "Apply a YAML text to a codeplug under the editors' rules");
    auto impIn = std::make_shared<std::string>();
    auto impBase = std::make_shared<std::string>();
    auto impOut = std::make_shared<std::string>();
    auto partial = std::make_shared<bool>(false);
    imp->add_option("file", *impIn, "Codeplug text (.yaml; - for standard input)")->required();
    imp->add_option("--base", *impBase, "Codeplug file the text is applied to (.ppg)")->required();
    auto check = std::make_shared<bool>(false);
    imp->add_option("-o,--output", *impOut, "Codeplug file to write (.ppg; - for standard output)")
        ->check(namedPath());
    // The dry run people otherwise try with -o /dev/null.
    imp->add_flag("--check", *check, "Write nothing; exit 0 when the text applies to the base");
    imp->add_flag("--partial", *partial,
                  "Apply only the values in the text; the base keeps every other one");
    imp->callback([=, &exitCode] {
        if (!*check && impOut->empty())
            throw CLI::RequiredError("-o,--output or --check");
        if (*check && !impOut->empty())
            throw CLI::ValidationError("--check", "writes nothing; give it without -o");
        exitCode = runImport(*impIn, *impBase, *impOut, *partial, std::cout, std::cerr);
    });
    describeExitCodes(*imp, {{kExitOk, "The text applies (and the codeplug was written)."},
                             {kExitFailure, "The editors refuse a value, the text or the base "
                                            "cannot be read, or the output cannot be written; "
                                            "nothing is written."}});

    auto* schema =
        app.add_subcommand("schema", "Write the JSON Schema of codeplug texts (for editors)");
    auto schemaOut = std::make_shared<std::string>();
    schema->add_option("-o,--output", *schemaOut, "File to write (default or -: standard output)");
    schema->callback([=, &exitCode] { exitCode = runSchema(*schemaOut, std::cout, std::cerr); });
    describeExitCodes(*schema, {{kExitOk, "The schema was written."},
                                {kExitFailure, "The file cannot be written."}});

    auto* diff = app.add_subcommand("diff", "Compare two codeplugs (.ppg or .yaml) value by value");
    auto diffA = std::make_shared<std::string>();
    auto diffB = std::make_shared<std::string>();
    auto json = std::make_shared<bool>(false);
    diff->add_option("a", *diffA, "First codeplug (.ppg or .yaml; - for a text on standard input)")
        ->required();
    diff->add_option("b", *diffB, "Second codeplug (.ppg or .yaml)")->required();
    diff->add_flag("--json", *json, "Print JSON");
    diff->callback(
        [=, &exitCode] { exitCode = runDiff(*diffA, *diffB, *json, std::cout, std::cerr); });
    describeExitCodes(*diff, {{kExitOk, "The two are equal."},
                              {kExitFailure, "They differ."},
                              {kExitDiffError, "A side cannot be read, or a usage error."}});
}

} // namespace quorl::cli
