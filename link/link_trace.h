#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
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
    // Appends to `path` (opened as a log is, see openForAppend); null when the file
    // cannot be opened, with `problem`, when given, naming the file and the cause.
    static std::unique_ptr<LinkTrace> open(const std::string& path, std::string* problem = nullptr);
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

    // Empty while every line reached the file; after the first line that did not (it
    // is cut off whole, and the operation goes on), the file and the cause.
    std::string problem() const;

private:
    LinkTrace(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    void line(std::string_view port, std::string_view kind, std::string_view payload);

    int fd_;
    std::string path_;
    mutable std::mutex mutex_;
    std::string problem_;
};

// The trace every link opened from now on writes to (null: none). The command-line
// tool sets it from --trace, the program from QUORL_TRACE.
LinkTrace* activeLinkTrace();
// False, with the trace unchanged, when the file cannot be opened; `problem`, when
// given, says why.
bool startLinkTrace(const std::string& path, std::string* problem = nullptr);
// Links opened from now on record nothing (links still open must be closed first).
void stopLinkTrace();

} // namespace quorl
