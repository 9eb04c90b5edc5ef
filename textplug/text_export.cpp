#include "textplug/text_export.h"

#include "textplug/text_format.h"
#include "textplug/text_reader.h"
#include "textplug/text_schema.h"

#include <yaml-cpp/yaml.h>

namespace quorl::textplug {

std::string_view programVersion() {
    return QUORL_TEXTPLUG_PROGRAM_VERSION;
}

namespace {

// Keeps the emitter's open maps in step with the path of the next field.
class MapStack {
public:
    explicit MapStack(YAML::Emitter& out) : out_(out) {}

    void moveTo(const std::vector<std::string>& path) {
        // Close the maps the new path leaves.
        std::size_t common = 0;
        while (common < open_.size() && common + 1 < path.size() && open_[common] == path[common])
            ++common;
        while (open_.size() > common) {
            out_ << YAML::EndMap;
            open_.pop_back();
        }
        // Open the ones it enters.
        while (open_.size() + 1 < path.size()) {
            const std::string& key = path[open_.size()];
            out_ << YAML::Key << key << YAML::Value;
            if (open_.empty() && key == kIdentitySection)
                out_ << YAML::Comment("read-only: import takes the identity from the base");
            out_ << YAML::BeginMap;
            open_.push_back(key);
        }
    }
    void closeAll() {
        for (; !open_.empty(); open_.pop_back())
            out_ << YAML::EndMap;
    }

private:
    YAML::Emitter& out_;
    std::vector<std::string> open_;
};

} // namespace

std::string exportText(const std::vector<TextField>& fields, std::string_view sourceName) {
    YAML::Emitter out;
    out.SetIndent(2);
    out << YAML::BeginMap;
    out << YAML::Key << kFormatKey << YAML::Value << formatValue();
    MapStack maps(out);
    for (const TextField& f : fields) {
        maps.moveTo(f.path);
        out << YAML::Key << f.path.back() << YAML::Value;
        if (f.value.empty())
            out << YAML::DoubleQuoted << "";
        else
            out << f.value;
        if (!f.comment.empty())
            out << YAML::Comment(f.comment);
    }
    maps.closeAll();
    out << YAML::EndMap;

    // Editors with YAML support (yaml-language-server) check the text against it.
    std::string text = "# yaml-language-server: $schema=" + installedSchemaPath() + "\n";
    text += "# Tessaly VI Quorl " + std::string(programVersion()) + " codeplug text\n";
    // A file name with a line break must not end the comment early.
    std::string source(sourceName);
    for (char& c : source)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = '?';
    text += "# Source: " + source + "\n";
    text += "# Units: frequencies in MHz, tones in Hz, times in seconds.\n";
    text += out.c_str();
    text += '\n';
    return text;
}

} // namespace quorl::textplug
