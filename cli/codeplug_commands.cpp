#include "cli/codeplug_commands.h"

#include "base/printable_text.h"
#include "cli/channel_info.h"
#include "cli/info_report.h"
#include "codeplug/frequency_encoding.h"
#include "codeplug/general_block.h"
#include "codeplug/load_like_open.h"
#include "codeplug/ppg_file.h"
#include "codeplug/summary_texts.h"
#include "textplug/editor_session.h"

#include <CLI/CLI.hpp>
#include <iostream>
#include <memory>

namespace quorl::cli {

namespace {

std::string bandSplitText(std::uint8_t code) {
    BandRange range{};
    if (!bandRangeForCode(code, range))
        return "unknown (code " + std::to_string(code) + ")";
    return std::to_string(range.lowMHz) + "-" + std::to_string(range.highMHz) + " MHz";
}

} // namespace

int runCheck(const std::string& path, std::ostream& out, std::ostream& err) {
    auto state = std::make_unique<CodeplugState>();
    if (!loadLikeOpen(path, *state, err))
        return kExitFailure;
    out << printableText(path) << ": OK\n";
    return kExitOk;
}

void addIdentity(InfoNode& root, const CodeplugState& state) {
    const GeneralBlock general(state.image);
    root.add("file", state.currentFileName)
        .add("serialNumber", general.serialNumber())
        .add("modelNumber", general.modelNumber())
        .add("tanapa", general.tanapa())
        .add("codeplugVersion", general.codeplugVersionText())
        .add("bandSplit", bandSplitText(general.bandCode()))
        .add("channelType", channelCountText(general.channelCount()))
        .number("channelCount", std::to_string(general.channelCount()))
        .number("intermediateFrequencyMHz",
                formatIntermediateFrequency(static_cast<std::uint32_t>(kIntermediateFrequencyHz)))
        .number("tcxoMHz", general.tcxo134() ? "13.400000" : "12.800000");
}

void addModelOptions(InfoNode& root, const CodeplugImage& image) {
    InfoNode& options = root.section("modelOptions");
    for (const auto& [label, value] : summaryModelOptions(image)) {
        // "Priority Scan Time : " -> "Priority Scan Time"
        std::string key = label.substr(0, label.find(" : "));
        options.add(key, value);
    }
    if (const auto fixed = summaryFixedAlertDuration(image))
        options.add("Fixed Alert Duration", *fixed);
}

void addSwitches(InfoNode& root, const CodeplugImage& image) {
    InfoNode& list = root.list("functionSwitches");
    const auto switches = summarySwitches(image);
    for (std::size_t k = 0; k < switches.size(); ++k) {
        const SummarySwitch& s = switches[k];
        InfoNode& item = list.item();
        item.add("switch", std::string("SW-") + static_cast<char>('A' + k));
        item.add("Mode", s.mode);
        if (s.disabled)
            continue;
        item.add("Alert Type", s.alertType)
            .add("Announcement", s.announcement)
            .add("On/Off Duty", s.onOffDuty)
            .add("PTL", s.pushToListen);
        if (s.scanning)
            item.add("1st Scan CH", s.scan1).add("2nd Scan CH", s.scan2);
    }
}

int runInfo(const std::string& path, bool json, std::ostream& out, std::ostream& err) {
    auto state = std::make_unique<CodeplugState>();
    if (!loadLikeOpen(path, *state, err))
        return kExitFailure;
    InfoNode root;
    addIdentity(root, *state);
    // Values as the editors show them, out-of-range bytes included.
    const CodeplugImage shown = textplug::shownImage(state->image);
    addModelOptions(root, shown);
    addSwitches(root, shown);
    addChannels(root, shown);
    if (json)
        printJson(root, out);
    else
        printText(root, out);
    return kExitOk;
}

void addCodeplugCommands(CLI::App& app, int& exitCode) {
    auto* check = app.add_subcommand("check", "Open a .ppg file as the program does and check it");
    auto checkPath = std::make_shared<std::string>();
    check->add_option("file", *checkPath, "Codeplug file (.ppg)")->required();
    check->callback(
        [checkPath, &exitCode] { exitCode = runCheck(*checkPath, std::cout, std::cerr); });

    auto* info = app.add_subcommand("info", "Print the identity of a codeplug file");
    auto infoPath = std::make_shared<std::string>();
    auto infoJson = std::make_shared<bool>(false);
    info->add_option("file", *infoPath, "Codeplug file (.ppg)")->required();
    info->add_flag("--json", *infoJson, "Print JSON");
    info->callback([infoPath, infoJson, &exitCode] {
        exitCode = runInfo(*infoPath, *infoJson, std::cout, std::cerr);
    });
}

} // namespace quorl::cli
