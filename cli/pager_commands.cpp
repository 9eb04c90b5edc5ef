#include "cli/pager_commands.h"

#include "cli/cli_document_host.h"
#include "cli/cli_operation_host.h"
#include "cli/codeplug_commands.h"
#include "cli/cradle_options.h"
#include "cli/field_report.h"
#include "cli/fleet_commands.h"
#include "cli/named_path.h"
#include "cli/port_problem.h"
#include "cli/printable_text.h"
#include "cli/trace_option.h"
#include "codeplug/atomic_file_write.h"
#include "codeplug/checksums.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/codeplug_texts.h"
#include "codeplug/ppg_file.h"
#include "inventory/operation_record.h"
#include "link/codeplug_operation.h"
#include "link/port_choice.h"
#include "textplug/codeplug_fields.h"

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

int runRead(const std::string& port, const std::string& output) {
    auto state = std::make_unique<CodeplugState>();
    // Found out before the pager is read, not after.
    if (std::string problem; !canWriteFileAtomically(output, problem)) {
        std::cerr << terminalText(texts::kFileError3) << '\n' << problemLine(problem);
        return kExitFailure;
    }
    CliOperationHost host(std::cerr, stderrIsTerminal());
    state->busy = true;
    const auto outcome = runOn(
        port, host,
        [&](PagerLink& link, OperationHost& h) { return readCodeplug(link, *state, h); },
        OperationSelector::CodeplugRead);
    inventory::recordOperations(
        {inventory::documentRecord("read", port, *state, outcome, host.firstMessage())});
    if (outcome != OperationOutcome::Succeeded)
        return kExitFailure;
    // Written as Save As writes it.
    if (std::string problem;
        !writePpgFile(output, preparedForFile(state->committedEdits()), &problem)) {
        std::cerr << terminalText(texts::kFileError3) << '\n' << problemLine(problem);
        return kExitFailure;
    }
    std::cerr << "Read " << printableText(state->firmwareVersionText()) << " pager into "
              << printableText(output) << '\n';
    return kExitOk;
}

int runWrite(const std::string& port, const std::string& file, bool verify) {
    auto state = std::make_unique<CodeplugState>();
    if (!loadLikeOpen(file, *state, std::cerr))
        return kExitFailure;
    CliOperationHost host(std::cerr, stderrIsTerminal());
    state->busy = true;
    const auto outcome = runOn(
        port, host,
        [&](PagerLink& link, OperationHost& h) { return writeCodeplug(link, *state, h); },
        OperationSelector::CodeplugWrite);
    inventory::recordOperations(
        {inventory::documentRecord("write", port, *state, outcome, host.firstMessage())});
    if (outcome != OperationOutcome::Succeeded)
        return kExitFailure;
    std::cerr << "Wrote " << printableText(file) << '\n';
    return verify ? verifyAgainst(port, *state, host) : kExitOk;
}

int runVerify(const std::string& port, const std::string& file) {
    auto state = std::make_unique<CodeplugState>();
    if (!loadLikeOpen(file, *state, std::cerr))
        return kExitFailure;
    CliOperationHost host(std::cerr, stderrIsTerminal());
    return verifyAgainst(port, *state, host);
}

void addPagerCommands(CLI::App& app, int& exitCode) {
    auto read = app.add_subcommand("read", "Read the codeplug of the pager in the cradle");
    auto readChoice = std::make_shared<CradleChoice>();
    auto output = std::make_shared<std::string>();
    addCradleOptions(*read, *readChoice, "Read every connected cradle at once");
    read->add_option("-o,--output", *output,
                     "Codeplug file to write (with --all: folder, files named by serial number)")
        ->required()
        ->check(namedPath());
    read->callback([readChoice, output, &exitCode] {
        const CradleChoice& c = *readChoice;
        exitCode = c.all ? runFleetRead(*output, c.fleet(), std::cout, std::cerr)
                         : runRead(c.port, *output);
    });

    auto write = app.add_subcommand("write", "Write a codeplug file to the pager");
    auto writeChoice = std::make_shared<CradleChoice>();
    auto file = std::make_shared<std::string>();
    auto verify = std::make_shared<bool>(false);
    addCradleOptions(*write, *writeChoice, "Write every connected cradle at once");
    write->add_flag("--verify", *verify, "Read back and compare after writing");
    write->add_option("file", *file, "Codeplug file (.ppg)")->required();
    write->callback([writeChoice, file, verify, &exitCode] {
        const CradleChoice& c = *writeChoice;
        exitCode = c.all ? runFleetWrite(*file, *verify, c.fleet(), std::cout, std::cerr)
                         : runWrite(c.port, *file, *verify);
    });

    auto check = app.add_subcommand("verify", "Compare the pager with a codeplug file");
    auto port = std::make_shared<std::string>();
    check->add_option("--port", *port, "Serial device or port name (default: the cradle)");
    check->add_option("file", *file, "Codeplug file (.ppg)")->required();
    addTraceOption(*check);
    check->callback([port, file, &exitCode] { exitCode = runVerify(*port, *file); });
}

} // namespace quorl::cli
