#include "text_edit.h"

#include <gtest/gtest.h>
#include <sstream>

namespace quorl::test {

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const auto& l : lines)
        out += l + "\n";
    return out;
}

// The index of the line of `path`: each key is searched below the previous one at
// two more blanks of indentation.
std::size_t find(const std::vector<std::string>& lines, const std::vector<std::string>& path) {
    std::size_t at = 0;
    for (std::size_t depth = 0; depth < path.size(); ++depth) {
        const std::string wanted = std::string(2 * depth, ' ') + path[depth] + ":";
        while (at < lines.size() && lines[at].rfind(wanted, 0) != 0)
            ++at;
        if (at == lines.size()) {
            ADD_FAILURE() << "no " << path[depth] << " in the text";
            return 0;
        }
        if (depth + 1 < path.size())
            ++at;
    }
    return at;
}

} // namespace

ValuePlace setValue(std::string& text, const std::vector<std::string>& path,
                    const std::string& value) {
    auto lines = linesOf(text);
    const std::size_t at = find(lines, path);
    const std::string head = std::string(2 * (path.size() - 1), ' ') + path.back() + ": ";
    lines[at] = head + value;
    text = joined(lines);
    return {static_cast<int>(at) + 1, static_cast<int>(head.size()) + 1};
}

ValuePlace removeValue(std::string& text, const std::vector<std::string>& path) {
    auto lines = linesOf(text);
    const std::size_t at = find(lines, path);
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(at));
    text = joined(lines);
    return {static_cast<int>(at) + 1, 1};
}

} // namespace quorl::test
