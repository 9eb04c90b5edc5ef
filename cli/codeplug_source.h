#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <utility>

namespace quorl {
struct CodeplugState;
}

namespace quorl::cli {

// What `write` and `verify` take: a .ppg file, or a codeplug text (.yaml, .yml, or
// "-" for standard input) applied onto a base under the editors' rules.
struct CodeplugSource {
    CodeplugSource() = default;
    // A .ppg file alone, as the commands took before texts.
    CodeplugSource(std::string codeplugFile) : file(std::move(codeplugFile)) {}
    CodeplugSource(std::string text, std::string baseFile, bool keepMissing)
        : file(std::move(text)), base(std::move(baseFile)), partial(keepMissing) {}

    std::string file;
    std::string base; // a .ppg file; empty: the pager's own codeplug, read first
    bool partial = false;
};

// Whether `file` names a codeplug text rather than a .ppg file.
bool isCodeplugText(const std::string& file);

// Loads `source` into `state` as Open would load the result. For a text without
// --base, `readBase` reads the pager's codeplug into the state it is given (false
// when the read failed, after saying why). Problems go to `err`.
bool loadCodeplugSource(const CodeplugSource& source, CodeplugState& state, std::ostream& err,
                        const std::function<bool(CodeplugState&)>& readBase);

} // namespace quorl::cli
