#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace quorl {

// A record of what went over the line, for support: one line per event,
//   <microseconds> <port> TX|RX|DROP|STEP|MSG <bytes in hex, or the text>
// with a monotonic time stamp. Every line goes to the file in one write the moment it
// happens, so the trace of a run that crashed ends with the last thing that happened.
// Several links (a fleet of cradles) may share one trace; their lines are whole.
class LinkTrace {
public:
    // Appends to `path`; null when the file cannot be opened.
    static std::unique_ptr<LinkTrace> open(const std::string& path);
    ~LinkTrace();
    LinkTrace(const LinkTrace&) = delete;
    LinkTrace& operator=(const LinkTrace&) = delete;

    void sent(std::string_view port, const std::uint8_t* bytes, std::size_t count);
    void received(std::string_view port, const std::uint8_t* bytes, std::size_t count);
    // Bytes read off the line and thrown away because the reply buffer was full.
    void dropped(std::string_view port, std::size_t count);
    // An operation's step (progress text) or a message shown to the user (escaped as
    // printable text: pager text may hold anything).
    void step(std::string_view port, std::string_view text);
    void message(std::string_view port, std::string_view text);

private:
    explicit LinkTrace(int fd) : fd_(fd) {}
    void line(std::string_view port, std::string_view kind, std::string_view payload);

    int fd_;
};

// The trace every link opened from now on writes to (null: none). The command-line
// tool sets it from --trace, the program from QUORL_TRACE.
LinkTrace* activeLinkTrace();
// False, with the trace unchanged, when the file cannot be opened.
bool startLinkTrace(const std::string& path);
// Links opened from now on record nothing (links still open must be closed first).
void stopLinkTrace();

} // namespace quorl
