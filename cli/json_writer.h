#pragma once

#include <iosfwd>
#include <string_view>

namespace quorl::cli {

// Just enough JSON for the tool's reports: one flat or nested object of strings,
// numbers and booleans, with proper string escaping.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}
    void beginObject(std::string_view key = {});
    void endObject();
    void field(std::string_view key, std::string_view value);
    void field(std::string_view key, long long value);
    void field(std::string_view key, bool value);

    static void writeString(std::ostream& out, std::string_view s);

private:
    void separator();
    void key(std::string_view k);
    std::ostream& out_;
    bool first_ = true;
};

} // namespace quorl::cli
