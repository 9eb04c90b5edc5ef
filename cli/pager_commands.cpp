#include "cli/pager_commands.h"

#include "base/atomic_file_write.h"
#include "base/printable_text.h"
#include "cli/cli_operation_host.h"
#include "cli/codeplug_commands.h"
#include "cli/codeplug_source.h"
#include "cli/cradle_options.h"
#include "cli/field_report.h"
#include "cli/fleet_commands.h"
#include "cli/named_path.h"
#include "cli/port_problem.h"
#include "cli/tool_help.h"
#include "cli/trace_option.h"
#include "codeplug/checksums.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/codeplug_texts.h"
#include "codeplug/ppg_file.h"
#include "codeplug/stream_document_host.h"
#include "inventory/operation_record.h"
#include "link/codeplug_operation.h"
#include "link/port_choice.h"
#include "textplug/codeplug_fields.h"
#include "textplug/text_export.h"
#include "textplug/text_file.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <iostream>
#include <memory>

namespace quorl::cli {

namespace {

int verifyAgainst(const std::string& port, const CodeplugState& state, CliOperationHost& host) {
    // What Write Codeplug sends: checksums and the model-options mirror refreshed.
    CodeplugImage expected = state.image;
    updateChecksums(expected);
    refreshModelOptionsMirror(expected);
    std::vector<Address> differences;
    CodeplugImage pager = expected;
    const auto outcome = runOn(
        port, host,
        [&](PagerLink& link, OperationHost& h) {
            return verifyCodeplug(link, expected, h, differences, &pager);
        },
        OperationSelector::CodeplugRead);
    const bool holds = outcome == OperationOutcome::Succeeded && differences.empty();
    std::string verdict = host.firstMessage();
    if (outcome == OperationOutcome::Succeeded)
        verdict = holds ? "verified" : std::to_string(differences.size()) + " byte(s) differ";
    inventory::recordOperations({inventory::documentRecord(
        "verify", port, state, holds ? OperationOutcome::Succeeded : OperationOutcome::Failed,
        verdict)});
    if (outcome != OperationOutcome::Succeeded)
        return kExitFailure;
    if (differences.empty()) {
        std::cout << "The pager holds the codeplug.\n";
        return kExitOk;
    }
    // First in the editors' words, then byte by byte.
    std::cout << "Values that differ (file \u2192 pager):\n";
    printFieldDifferences(
        textplug::diffFields(textplug::codeplugFields(expected), textplug::codeplugFields(pager)),
        std::cout);
    std::cout << differences.size() << " byte(s) differ:\n";
    for (const Address a : differences) {
        // Through the same stream as the lines above, so they stay in order.
        char line[48];
        std::snprintf(line, sizeof line, "  0x%04X: file 0x%02X, pager 0x%02X\n", a, expected.at(a),
                      pager.at(a));
        std::cout << line;
    }
    return kExitFailure;
}

} // namespace

OperationOutcome runOn(const std::string& port, CliOperationHost& host, const OperationBody& body,
                       OperationSelector selector) {
    std::string device;
    if (!port.empty()) {
        device = deviceNameForOpen(port);
    } else {
        const auto chosen = choosePort(host);
        if (!chosen)
            return outcomeWithoutPort();
        device = chosen->deviceName;
    }
    const OperationOutcome outcome = runOperationOnDevice(device, host, body, selector);
    if (host.connectFailed())
        host.errors() << fileProblemLine(device, describePortProblem(device));
    return outcome;
}

namespace {

// A pager read as text: to a .yaml file, or to standard output for "-".
bool writeReadAsText(const std::string& output, const CodeplugState& state,
                     const CodeplugImage& image) {
    const std::string text =
        textplug::exportText(textplug::codeplugFields(image, state.firmwareVersion),
                             "pager " + state.firmwareVersionText());
    if (textplug::isStandardStream(output)) {
        std::cout << text;
        std::cout.flush();
        return static_cast<bool>(std::cout);
    }
    std::string problem;
    if (writeFileAtomically(output, std::as_bytes(std::span(text.data(), text.size())), &problem))
        return true;
    std::cerr << terminalText(texts::kFileError3) << '\n' << problemLine(problem);
    return false;
}

// Reads the pager's codeplug into `base`, as the first step of writing or
// verifying a text that names no --base.
bool readBaseFromPager(const std::string& port, CliOperationHost& host, CodeplugState& base) {
    const auto outcome = runOn(
        port, host, [&](PagerLink& link, OperationHost& h) { return readCodeplug(link, base, h); },
        OperationSelector::CodeplugRead);
    return outcome == OperationOutcome::Succeeded;
}

} // namespace

int runRead(const std::string& port, const std::string& output) {
    auto state = std::make_unique<CodeplugState>();
    const bool asText = isCodeplugText(output);
    // Found out before the pager is read, not after.
    if (std::string problem;
        !textplug::isStandardStream(output) && !canWriteFileAtomically(output, problem)) {
        std::cerr << terminalText(texts::kFileError3) << '\n' << problemLine(problem);
        return kExitFailure;
    }
    CliOperationHost host(std::cerr, stderrIsTerminal());
    const auto outcome = runOn(
        port, host,
        [&](PagerLink& link, OperationHost& h) { return readCodeplug(link, *state, h); },
        OperationSelector::CodeplugRead);
    inventory::recordOperations(
        {inventory::documentRecord("read", port, *state, outcome, host.firstMessage())});
    if (outcome != OperationOutcome::Succeeded)
        return kExitFailure;
    // Written as Save As writes it.
    const CodeplugImage image = preparedForFile(state->committedEdits());
    if (asText) {
        if (!writeReadAsText(output, *state, image))
            return kExitFailure;
    } else if (std::string problem; !writePpgFile(output, image, &problem)) {
        std::cerr << terminalText(texts::kFileError3) << '\n' << problemLine(problem);
        return kExitFailure;
    }
    std::cerr << "Read " << printableText(state->firmwareVersionText()) << " pager into "
              << (textplug::isStandardStream(output) ? std::string("standard output")
                                                     : printableText(output))
              << '\n';
    return kExitOk;
}

int runWrite(const std::string& port, const CodeplugSource& source, bool verify) {
    auto state = std::make_unique<CodeplugState>();
    CliOperationHost host(std::cerr, stderrIsTerminal());
    if (!loadCodeplugSource(source, *state, std::cerr, [&](CodeplugState& base) {
            return readBaseFromPager(port, host, base);
        }))
        return kExitFailure;
    const auto outcome = runOn(
        port, host,
        [&](PagerLink& link, OperationHost& h) { return writeCodeplug(link, *state, h); },
        OperationSelector::CodeplugWrite);
    inventory::recordOperations(
        {inventory::documentRecord("write", port, *state, outcome, host.firstMessage())});
    if (outcome != OperationOutcome::Succeeded)
        return kExitFailure;
    std::cerr << "Wrote " << printableText(source.file) << '\n';
    return verify ? verifyAgainst(port, *state, host) : kExitOk;
}

int runVerify(const std::string& port, const CodeplugSource& source) {
    auto state = std::make_unique<CodeplugState>();
    CliOperationHost host(std::cerr, stderrIsTerminal());
    if (!loadCodeplugSource(source, *state, std::cerr, [&](CodeplugState& base) {
            return readBaseFromPager(port, host, base);
        }))
        return kExitFailure;
    return verifyAgainst(port, *state, host);
}

namespace {

void addSourceOptions(CLI::App& command, CodeplugSource& source) {
    command
        .add_option("file", source.file,
                    "Codeplug file (.ppg) or text (.yaml, - for standard input)")
        ->required();
    command.add_option("--base", source.base,
                       "Codeplug file a text is applied to (default: the pager's own, read first)");
    command.add_flag("--partial", source.partial,
                     "Keep the base's value where the text gives none");
}

} // namespace

void addPagerCommands(CLI::App& app, int& exitCode) {
    auto read = app.add_subcommand("read", "Read the codeplug of the pager in the cradle");
    auto readChoice = std::make_shared<CradleChoice>();
    auto output = std::make_shared<std::string>();
    addCradleOptions(*read, *readChoice, "Read every connected cradle at once");
    read->add_option("-o,--output", *output,
                     "Codeplug file to write (.ppg, or .yaml for text; - for text on standard "
                     "output; with --all: folder, files named by serial number)")
        ->required()
        ->check(namedPath());
    read->callback([readChoice, output, &exitCode] {
        const CradleChoice& c = *readChoice;
        exitCode = c.all ? runFleetRead(*output, c.fleet(), std::cout, std::cerr)
                         : runRead(c.port, *output);
    });
    describeExitCodes(*read, {{kExitOk, "The codeplug was read and written (with --all: from "
                                        "every pager)."},
                              {kExitFailure, "The read failed or the output cannot be written."}});

    auto write = app.add_subcommand("write", "Write a codeplug file or text to the pager");
    auto writeChoice = std::make_shared<CradleChoice>();
    auto source = std::make_shared<CodeplugSource>();
    auto verify = std::make_shared<bool>(false);
    addCradleOptions(*write, *writeChoice, "Write every connected cradle at once");
    write->add_flag("--verify", *verify, "Read back and compare after writing");
    addSourceOptions(*write, *source);
    write->callback([writeChoice, source, verify, &exitCode] {
        const CradleChoice& c = *writeChoice;
        exitCode = c.all ? runFleetWrite(*source, *verify, c.fleet(), std::cout, std::cerr)
                         : runWrite(c.port, *source, *verify);
    });
    describeExitCodes(*write, {{kExitOk, "Written (with --verify: and read back equal; with "
                                         "--all: to every pager)."},
                               {kExitFailure, "The file or text is refused, the pager is another "
                                              "model, or the write or read-back failed."}});

    auto check = app.add_subcommand("verify", "Compare the pager with a codeplug file or text");
    auto port = std::make_shared<std::string>();
    auto checked = std::make_shared<CodeplugSource>();
    check->add_option("--port", *port, "Serial device or port name (default: the cradle)");
    addSourceOptions(*check, *checked);
    addTraceOption(*check);
    check->callback([port, checked, &exitCode] { exitCode = runVerify(*port, *checked); });
    describeExitCodes(*check, {{kExitOk, "The pager holds the codeplug."},
                               {kExitFailure, "It differs, the file or text is refused, or the "
                                              "read failed."}});
}

} // namespace quorl::cli
