#include "cli/cli_operation_host.h"

#include "base/printable_text.h"
#include "codeplug/stream_document_host.h"
#include "link/link_texts.h"
#include "link/port_choice.h"

#include <ostream>
#include <string>

namespace quorl::cli {

void CliOperationHost::showMessage(std::string_view text, MessageIcon) {
    closeProgress();
    connectFailed_ = connectFailed_ || text == link_texts::kUnableToConnect;
    if (firstMessage_.empty())
        firstMessage_ = text;
    err_ << terminalText(text) << '\n';
}

void CliOperationHost::bar(int percent, std::string_view text) {
    constexpr int kWidth = 30;
    const int filled = percent * kWidth / 100;
    err_ << '\r' << '[' << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(kWidth - filled), ' ') << "] " << text << "    "
         << std::flush;
    barShown_ = true;
}

void CliOperationHost::openProgress(std::string_view text) {
    if (terminal_)
        bar(0, text);
    else
        err_ << text << '\n';
}

void CliOperationHost::updateProgress(int percent, std::string_view text) {
    if (terminal_)
        bar(percent, text);
    else
        err_ << text << '\n';
}

void CliOperationHost::closeProgress() {
    if (barShown_)
        err_ << '\n';
    barShown_ = false;
}

void CliOperationHost::runConnectedDevicesDialog() {
    err_ << "Several programming cradles are connected; choose one with --port:\n";
    for (const auto& name : openConnectedDevices())
        err_ << "  " << printableText(name) << '\n';
    cancelConnectedDevices();
}

} // namespace quorl::cli
