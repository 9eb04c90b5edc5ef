// quorl-pager-sim: a Tessaly VI pager in its programming cradle, on a pseudo-terminal.
#include "codeplug/default_codeplug.h"
#include "codeplug/ppg_file.h"
#include "link/cradle_discovery.h"
#include "link/sim/pager_simulator.h"

#include <CLI/CLI.hpp>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <pthread.h>
#include <quorl_version.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace {

bool parseVersion(const std::string& text, std::array<std::uint8_t, 5>& out) {
    // "AA,BB": the two bytes the program compares with the codeplug's 0x013B/0x013C.
    const auto comma = text.find(',');
    if (comma == std::string::npos)
        return false;
    try {
        const unsigned long a = std::stoul(text.substr(0, comma), nullptr, 16);
        const unsigned long b = std::stoul(text.substr(comma + 1), nullptr, 16);
        if (a > 0xFF || b > 0xFF)
            return false;
        out = {0x00, static_cast<std::uint8_t>(a), static_cast<std::uint8_t>(b), 0x00, 0x00};
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

// A link this program leaves behind when it is killed: the user's own, pointing at a
// pseudo-terminal that went away with it. Anything else at the path is not ours.
bool isLeftOverLink(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    std::error_code ec;
    const fs::path target = fs::read_symlink(path, ec);
    return !ec && target.string().rfind("/dev/pts/", 0) == 0 &&
           !fs::exists(fs::symlink_status(target, ec));
}

// Makes the link, refusing to replace anything but a link this program left behind.
bool makeLink(const std::string& device, const std::filesystem::path& link, std::string& problem) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists(fs::symlink_status(link, ec))) {
        if (!isLeftOverLink(link)) {
            problem =
                link.string() + " already exists; not replacing what this program did not make";
            return false;
        }
        fs::remove(link, ec);
    }
    // Folders that are missing are made for this user alone (as the runtime folder
    // the link usually goes in is), not readable and searchable by everyone.
    fs::path built;
    for (const auto& part : link.parent_path()) {
        built /= part;
        ::mkdir(built.c_str(), 0700);
    }
    fs::create_symlink(device, link, ec);
    if (ec)
        problem = "cannot link " + link.string() + ": " + ec.message();
    return !ec;
}

// Removes the link only while it still points at this simulator's device.
void removeLink(const std::string& device, const std::filesystem::path& link) {
    std::error_code ec;
    if (std::filesystem::read_symlink(link, ec) == device && !ec)
        std::filesystem::remove(link, ec);
}

} // namespace

int main(int argc, char** argv) {
    using namespace quorl;
    CLI::App app{"Tessaly VI pager simulator on a pseudo-terminal", "quorl-pager-sim"};
    app.set_version_flag("--version", std::string("quorl-pager-sim ") + QUORL_VERSION,
                         "Print the version and exit");
    std::string ppg, linkPath, firmware = "V0107", model, version;
    bool registerCradle = false, noSerial = false;
    int eraseMs = 300;
    sim::SimulatorOptions options;
    std::vector<std::string> drops, naks, badSums, splits, lates, duplicates, refusals;
    app.add_option("--ppg", ppg,
                   "Codeplug the pager holds (.ppg); default: the VHF five-channel one");
    app.add_option("--link", linkPath, "Create a symbolic link to the device at this path");
    app.add_flag("--register", registerCradle,
                 "List the simulator as a connected cradle (per-user runtime file)");
    app.add_flag("--log", options.log, "Log frames and replies to standard error");
    app.add_option("--firmware", firmware, "Five firmware version characters");
    app.add_option("--model", model, "Model number the pager reports (twelve characters)");
    app.add_option("--supported-version", version,
                   "Supported codeplug version bytes as hex AA,BB (default: the codeplug's)");
    app.add_flag("--no-serial", noSerial, "Report no serial number");
    app.add_flag("--silent", options.silent, "Answer nothing");
    app.add_option("--erase-ms", eraseMs, "Time a voice-memory erase takes")
        ->check(CLI::Range(0, 60000));
    app.add_option("--hang-up-after", options.hangUpAfter,
                   "Hang up (as an unplugged cradle) when frame N+1 arrives");
    bool pace = false;
    sim::LinePace linePace;
    app.add_flag("--pace", pace,
                 "Send replies at the line's real rate in USB pieces, as a real cradle does");
    app.add_option("--pace-baud", linePace.baud, "Line rate under --pace (11 bits a byte)")
        ->check(CLI::Range(1200, 4000000));
    app.add_option("--pace-piece", linePace.pieceBytes, "Largest piece a 1 ms USB frame carries")
        ->check(CLI::Range(1, 4096));
    app.add_flag("--any-line-settings", options.anyLineSettings,
                 "Answer even when the program's side of the line is not set to 57600 8N2 raw "
                 "(experiments only)");
    app.add_option("--split-gap-ms", options.splitGapMs, "Gap inside a split reply")
        ->check(CLI::Range(0, 10000));
    app.add_option("--late-ms", options.lateMs, "How much later a --late reply comes")
        ->check(CLI::Range(0, 60000));
    app.add_option("--duplicate-gap-ms", options.duplicateGapMs,
                   "Gap between a --duplicate reply and its copy")
        ->check(CLI::Range(0, 60000));
    app.add_option("--reply-delay-ms", options.replyDelayMs,
                   "Answer every frame this much later (a slow pager)")
        ->check(CLI::Range(0, 60000));
    const std::string ruleForm =
        "CMD[@ADDR][:N] (hex command or *, hex address, times; 0 = always)";
    app.add_option("--drop", drops, "Drop replies: " + ruleForm);
    app.add_option("--nak", naks, "NAK instead of replying: " + ruleForm);
    app.add_option("--bad-checksum", badSums, "Reply with a wrong checksum: " + ruleForm);
    app.add_option("--split", splits, "Split the reply in two writes: " + ruleForm);
    app.add_option("--late", lates, "Reply --late-ms later: " + ruleForm);
    app.add_option("--duplicate", duplicates, "Send the reply twice: " + ruleForm);
    app.add_option("--refuse", refusals, "Do not carry out the command, answer NAK: " + ruleForm);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // --help is not a usage error; everything else the parser rejects is. Help that
        // did not reach the output (a full disk, a closed pipe) is no success either.
        const int code = app.exit(e) == 0 ? 0 : 2;
        errno = 0;
        if (std::fflush(stdout) == 0 && !std::ferror(stdout))
            return code;
        std::fprintf(stderr, "quorl-pager-sim: cannot write the output: %s\n",
                     std::strerror(errno != 0 ? errno : EIO));
        return code == 0 ? 1 : code;
    }
    if (pace)
        options.pace = linePace;

    const std::pair<sim::FaultKind, const std::vector<std::string>*> kinds[] = {
        {sim::FaultKind::Drop, &drops},          {sim::FaultKind::Nak, &naks},
        {sim::FaultKind::BadChecksum, &badSums}, {sim::FaultKind::Split, &splits},
        {sim::FaultKind::Late, &lates},          {sim::FaultKind::Duplicate, &duplicates},
        {sim::FaultKind::Refuse, &refusals}};
    for (const auto& [kind, list] : kinds) {
        for (const auto& text : *list) {
            sim::FaultRule rule;
            if (!sim::parseFaultRule(kind, text, rule)) {
                std::cerr << "quorl-pager-sim: bad fault rule '" << text << "'\n";
                return 2;
            }
            options.faults.push_back(rule);
        }
    }

    CodeplugImage image;
    if (ppg.empty()) {
        image = makeDefaultCodeplug(vhfFiveChannelFactory());
    } else {
        const auto r = readPpgFile(ppg);
        if (r.status != PpgReadStatus::Ok) {
            std::cerr << "quorl-pager-sim: cannot load " << ppg << ": " << r.problem << '\n';
            return 1;
        }
        image = r.image;
    }
    sim::PagerIdentity identity;
    identity.firmware = firmware;
    identity.hasSerialNumber = !noSerial;
    if (!model.empty())
        identity.modelNumber = model;
    if (!version.empty()) {
        std::array<std::uint8_t, 5> v{};
        if (!parseVersion(version, v)) {
            std::cerr << "quorl-pager-sim: --supported-version wants AA,BB in hex\n";
            return 2;
        }
        identity.supportedVersion = v;
    }
    sim::PagerModel pager(image, identity);
    pager.setEraseDelayMs(eraseMs);

    // Block the stop signals before any thread starts, then wait for one here.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    sim::PagerSimulator simulator(std::move(pager), options);
    std::string error;
    if (!simulator.start(error)) {
        std::cerr << "quorl-pager-sim: " << error << '\n';
        return 1;
    }
    std::string listed = simulator.devicePath();
    if (!linkPath.empty()) {
        if (!makeLink(simulator.devicePath(), linkPath, error)) {
            std::cerr << "quorl-pager-sim: " << error << '\n';
            simulator.stop();
            return 1;
        }
        listed = linkPath;
    }
    const std::filesystem::path registry = defaultSimRegistryFile();
    if (registerCradle && !registerSimulatedCradle(registry, listed, error)) {
        std::cerr << "quorl-pager-sim: cannot register the simulated cradle: " << error << '\n';
        simulator.stop();
        if (!linkPath.empty())
            removeLink(simulator.devicePath(), linkPath);
        return 1;
    }
    std::cout << simulator.devicePath() << std::endl;

    int sig = 0;
    while (simulator.running()) {
        timespec poll{0, 200'000'000};
        siginfo_t info{};
        sig = sigtimedwait(&stopSignals, &info, &poll);
        if (sig > 0)
            break;
    }
    simulator.stop();
    if (registerCradle)
        unregisterSimulatedCradle(registry, listed);
    if (!linkPath.empty())
        removeLink(simulator.devicePath(), linkPath);
    return 0;
}
