#include "cli/inventory_commands.h"

#include "base/atomic_file_write.h"
#include "base/printable_text.h"
#include "cli/codeplug_commands.h"
#include "cli/field_report.h"
#include "cli/json_writer.h"
#include "codeplug/checksums.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/load_like_open.h"
#include "codeplug/ppg_file.h"
#include "inventory/inventory_recorder.h"
#include "link/programming_log.h"
#include "link/sha256.h"
#include "textplug/codeplug_fields.h"
#include "textplug/text_diff.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <cstring>
#include <iostream>
#include <memory>

namespace quorl::cli {

namespace {

using inventory::InventoryRecord;
using inventory::InventoryStore;

std::unique_ptr<InventoryStore> openChosenStore() {
    const std::string url = inventory::chosenInventoryUrl(inventory::inventoryUrlSetting());
    std::string problem;
    const auto location = inventory::parseInventoryUrl(url, problem);
    try {
        if (location && location->kind == inventory::InventoryLocation::Kind::None)
            problem = "the inventory is turned off (none)";
        else if (location)
            return inventory::openInventory(*location);
    } catch (const inventory::SqlError& e) {
        problem = inventory::withoutPassword(url) + ": " + e.what();
    }
    std::cerr << "quorl: cannot open the inventory: " << printableText(problem) << '\n';
    return nullptr;
}

// Runs a question on the store; a store that fails mid-way is a failure, not an
// empty answer.
int ask(const std::function<int(InventoryStore&)>& question) {
    const auto store = openChosenStore();
    if (!store)
        return kExitFailure;
    try {
        return question(*store);
    } catch (const inventory::SqlError& e) {
        std::cerr << "quorl: the inventory failed: " << printableText(e.what()) << '\n';
        return kExitFailure;
    }
}

constexpr const char* kHeadings[] = {
    "time",     "station",   "user",   "cradle",  "serial",          "model",
    "firmware", "operation", "result", "message", "codeplug_sha256", "voice_sha256"};

std::vector<std::string> fieldsOf(const InventoryRecord& r) {
    return {r.at,       r.station,   r.user,   r.cradle,  r.serialNumber,   r.model,
            r.firmware, r.operation, r.result, r.message, r.codeplugSha256, r.voiceSha256};
}

// Station and user names, pager texts and messages are recorded as given: escaped
// here, so none can drive a terminal or add a column.
void printTable(const std::vector<InventoryRecord>& records) {
    for (const auto& r : records) {
        const auto fields = fieldsOf(r);
        for (std::size_t i = 0; i < fields.size(); ++i)
            std::cout << (i ? "\t" : "")
                      << (fields[i].empty() ? std::string("-") : printableText(fields[i]));
        std::cout << '\n';
    }
}

void printJson(const std::vector<InventoryRecord>& records) {
    std::cout << '[';
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i)
            std::cout << ',';
        JsonWriter json(std::cout);
        json.beginObject();
        json.field("id", records[i].id);
        const auto fields = fieldsOf(records[i]);
        for (std::size_t k = 0; k < fields.size(); ++k)
            json.field(kHeadings[k], fields[k]);
        json.endObject();
    }
    std::cout << "]\n";
}

void print(const std::vector<InventoryRecord>& records, bool asJson) {
    if (asJson)
        printJson(records);
    else
        printTable(records);
}

// A date alone means the whole of that day.
std::string endOf(const std::string& when) {
    return when.size() == 10 ? when + "T23:59:59.999999Z" : when;
}

bool holdsCodeplug(const InventoryRecord& r) {
    return r.result == "succeeded" && !r.codeplugSha256.empty() &&
           (r.operation == "read" || r.operation == "write");
}

int runCodeplugAt(InventoryStore& store, const std::string& serial, const std::string& at,
                  const std::string& output) {
    const auto history = store.history(serial);
    const InventoryRecord* held = nullptr;
    for (const auto& r : history)
        if (holdsCodeplug(r) && (at.empty() || r.at <= endOf(at)))
            held = &r;
    if (!held) {
        std::cerr << "quorl: no codeplug of " << printableText(serial)
                  << (at.empty() ? "" : " by " + printableText(at)) << " in the inventory\n";
        return kExitFailure;
    }
    const auto bytes = store.codeplug(held->codeplugSha256);
    // The hash names the bytes: what comes back is checked against it.
    if (!bytes || bytes->size() != kImageSize || sha256Hex(*bytes) != held->codeplugSha256) {
        std::cerr << "quorl: the inventory's codeplug " << held->codeplugSha256
                  << " is missing or damaged\n";
        return kExitFailure;
    }
    CodeplugImage image;
    std::copy(bytes->begin(), bytes->end(), image.bytes().begin());
    if (std::string problem; !writePpgFile(output, image, &problem)) {
        std::cerr << "quorl: cannot write " << printableText(output) << ": "
                  << printableText(problem) << '\n';
        return kExitFailure;
    }
    std::cerr << "Codeplug of " << printableText(serial) << " as " << held->operation << " on "
              << held->at << " into " << printableText(output) << '\n';
    return kExitOk;
}

int runOutdated(InventoryStore& store, const std::string& currentFile, const std::string& model,
                bool asJson) {
    auto current = std::make_unique<CodeplugState>();
    if (!loadLikeOpen(currentFile, *current, std::cerr))
        return kExitFailure;
    // Compared as Write Codeplug would send it.
    CodeplugImage sent = current->image;
    updateChecksums(sent);
    refreshModelOptionsMirror(sent);
    const std::string currentSha = sha256Hex(sent.bytes());
    const auto currentFields = textplug::codeplugFields(sent);
    int outdated = 0;
    if (asJson)
        std::cout << '[';
    for (const auto& pager : store.pagers({})) {
        const auto history = store.history(pager.serialNumber);
        const auto lastWrite = std::find_if(history.rbegin(), history.rend(), [](const auto& r) {
            return r.operation == "write" && holdsCodeplug(r);
        });
        if (lastWrite == history.rend() || lastWrite->codeplugSha256 == currentSha)
            continue;
        if (!model.empty() && lastWrite->model != model)
            continue;
        const auto bytes = store.codeplug(lastWrite->codeplugSha256);
        if (!bytes || bytes->size() != kImageSize)
            continue;
        CodeplugImage held;
        std::copy(bytes->begin(), bytes->end(), held.bytes().begin());
        const auto differences =
            textplug::diffFields(textplug::codeplugFields(held), currentFields);
        if (asJson) {
            std::cout << (outdated ? "," : "") << "{\"serial\":";
            JsonWriter::writeString(std::cout, pager.serialNumber);
            std::cout << ",\"written\":";
            JsonWriter::writeString(std::cout, lastWrite->at);
            std::cout << ",\"diff\":";
            printFieldDifferencesJson(differences, 0, {}, std::cout);
            std::cout << '}';
        } else {
            std::cout << printableText(pager.serialNumber) << "  written " << lastWrite->at
                      << "  (pager \u2192 current)\n";
            printFieldDifferences(differences, std::cout);
        }
        ++outdated;
    }
    if (asJson)
        std::cout << "]\n";
    return kExitOk;
}

void exportCsv(InventoryStore& store) {
    std::string header = "id";
    for (const char* h : kHeadings)
        header.append(",").append(h);
    std::cout << header << "\r\n";
    for (const auto& r : store.all()) {
        std::string line = csvField(r.id);
        for (const auto& f : fieldsOf(r))
            line.append(",").append(csvField(f));
        std::cout << line << "\r\n";
    }
}

} // namespace

void addInventoryCommands(CLI::App& app, int& exitCode) {
    app.add_option("--inventory", inventory::inventoryUrlSetting(),
                   "Inventory store: sqlite:///path/file.sqlite, postgresql://host/db or none "
                   "(default: $QUORL_INVENTORY, else the bench's own file)")
        ->check(
            [](const std::string& url) {
                std::string problem;
                return inventory::parseInventoryUrl(url, problem) ? std::string() : problem;
            },
            "URL");
    auto* inv =
        app.add_subcommand("inventory", "Every pager ever read or written, and its history");
    inv->require_subcommand(1);

    auto filter = std::make_shared<inventory::InventoryFilter>();
    auto json = std::make_shared<bool>(false);
    auto* list = inv->add_subcommand("list", "List pagers with their last operation");
    list->add_option("--serial", filter->serialNumber, "Only this serial number");
    list->add_option("--model", filter->model, "Only this model");
    list->add_option("--since", filter->since, "Last operation on or after this date (YYYY-MM-DD)");
    list->add_option("--station", filter->station, "Last operation at this station");
    list->add_flag("--json", *json, "Print JSON");
    list->callback([filter, json, &exitCode] {
        exitCode = ask([&](InventoryStore& s) {
            print(s.pagers(*filter), *json);
            return kExitOk;
        });
    });

    auto serial = std::make_shared<std::string>();
    auto* show = inv->add_subcommand("show", "One pager's history, oldest first");
    show->add_option("serial", *serial, "Serial number")->required();
    show->add_flag("--json", *json, "Print JSON");
    show->callback([serial, json, &exitCode] {
        exitCode = ask([&](InventoryStore& s) {
            const auto history = s.history(*serial);
            print(history, *json);
            return history.empty() ? kExitFailure : kExitOk;
        });
    });

    auto at = std::make_shared<std::string>();
    auto output = std::make_shared<std::string>();
    auto* codeplug = inv->add_subcommand("codeplug", "Write the codeplug a pager held then");
    codeplug->add_option("serial", *serial, "Serial number")->required();
    codeplug->add_option("--at", *at, "Date or time (default: now)");
    codeplug->add_option("-o,--output", *output, "Codeplug file to write (.ppg)")->required();
    codeplug->callback([serial, at, output, &exitCode] {
        exitCode = ask([&](InventoryStore& s) { return runCodeplugAt(s, *serial, *at, *output); });
    });

    auto current = std::make_shared<std::string>();
    auto model = std::make_shared<std::string>();
    auto* outdated = inv->add_subcommand(
        "outdated", "List pagers whose last written codeplug differs, value by value");
    outdated->add_option("--codeplug", *current, "The current codeplug (.ppg)")->required();
    outdated->add_option("--model", *model, "Only this model");
    outdated->add_flag("--json", *json, "Print JSON");
    outdated->callback([current, model, json, &exitCode] {
        exitCode = ask([&](InventoryStore& s) { return runOutdated(s, *current, *model, *json); });
    });

    auto* exp = inv->add_subcommand("export", "Write every record");
    auto csv = std::make_shared<bool>(false);
    exp->add_flag("--csv", *csv, "As CSV (the only form)")->required();
    exp->callback([csv, &exitCode] {
        if (!*csv) // required: CSV is the only form there is
            return;
        exitCode = ask([](InventoryStore& s) {
            exportCsv(s);
            return kExitOk;
        });
    });

    auto* upgrade = inv->add_subcommand(
        "upgrade", "Bring the store's tables up to this version (the database's owner)");
    upgrade->callback([&exitCode] {
        // Opening the store upgrades it; the version is read back, not assumed.
        exitCode = ask([](InventoryStore& s) {
            std::cout << "The inventory's schema is at version "
                      << inventory::schemaVersion(s.database()) << '\n';
            return kExitOk;
        });
    });

    auto* sync = inv->add_subcommand("sync", "Send the records queued while the store was away");
    sync->callback([&exitCode] {
        std::string problem;
        const auto sent = inventory::stationRecorder().sync(&problem);
        if (!sent) {
            std::cerr << "quorl: cannot reach the inventory: " << printableText(problem) << '\n';
            exitCode = kExitFailure;
            return;
        }
        std::cerr << "Sent " << *sent << " queued record(s)\n";
        exitCode = kExitOk;
    });
}

} // namespace quorl::cli
