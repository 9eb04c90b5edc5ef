#include "link/link_trace.h"

#include "base/printable_text.h"
#include "base/whole_write.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace quorl {

namespace {

std::string hexBytes(const std::uint8_t* bytes, std::size_t count) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(count * 3);
    for (std::size_t i = 0; i < count; ++i) {
        if (i != 0)
            out.push_back(' ');
        out.push_back(kDigits[bytes[i] >> 4]);
        out.push_back(kDigits[bytes[i] & 0x0F]);
    }
    return out;
}

// Messages carry line breaks and pager text anything at all; a trace line stays one
// line and holds nothing a terminal would obey.
std::string oneLine(std::string_view text) {
    return printableText(text);
}

std::unique_ptr<LinkTrace>& traceSlot() {
    static std::unique_ptr<LinkTrace> trace;
    return trace;
}

} // namespace

std::unique_ptr<LinkTrace> LinkTrace::open(const std::string& path, std::string* problem) {
    const int fd = openForAppend(path, problem);
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<LinkTrace>(new LinkTrace(fd, path));
}

std::string LinkTrace::problem() const {
    std::lock_guard lock(mutex_);
    return problem_;
}

LinkTrace::~LinkTrace() {
    ::close(fd_);
}

void LinkTrace::sent(std::string_view port, const std::uint8_t* bytes, std::size_t count) {
    line(port, "TX", hexBytes(bytes, count));
}

void LinkTrace::received(std::string_view port, const std::uint8_t* bytes, std::size_t count) {
    line(port, "RX", hexBytes(bytes, count));
}

void LinkTrace::dropped(std::string_view port, std::size_t count) {
    line(port, "DROP", std::to_string(count) + " byte(s): the reply buffer is full");
}

void LinkTrace::step(std::string_view port, std::string_view text) {
    line(port, "STEP", oneLine(text));
}

void LinkTrace::message(std::string_view port, std::string_view text) {
    line(port, "MSG", oneLine(text));
}

void LinkTrace::line(std::string_view port, std::string_view kind, std::string_view payload) {
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                        std::chrono::steady_clock::now().time_since_epoch())
                        .count();
    std::string text = std::to_string(us);
    text += ' ';
    text += port.empty() ? std::string("-") : printableText(port);
    text += ' ';
    text += kind;
    text += ' ';
    text += payload;
    text += '\n';
    // One write per line: with O_APPEND the lines of several links never interleave,
    // and the lock keeps a line cut off on a full disk from taking another link's with it.
    // A full disk must not stop the operation: the loss is kept to be reported at the end.
    std::lock_guard lock(mutex_);
    if (!appendWhole(fd_, text) && problem_.empty())
        problem_ = path_ + ": " + std::strerror(errno);
}

LinkTrace* activeLinkTrace() {
    return traceSlot().get();
}

bool startLinkTrace(const std::string& path, std::string* problem) {
    auto trace = LinkTrace::open(path, problem);
    if (!trace)
        return false;
    traceSlot() = std::move(trace);
    return true;
}

void stopLinkTrace() {
    traceSlot().reset();
}

} // namespace quorl
