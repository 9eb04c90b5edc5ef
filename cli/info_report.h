#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace quorl::cli {

// What `quorl info` prints: named values grouped into sections, sections may hold
// lists of further sections (channels, call addresses). Printed as indented text
// or as JSON.
struct InfoNode {
    std::string key;
    std::string value;
    std::vector<InfoNode> children;
    bool isList = false;   // children are unnamed list items
    bool isNumber = false; // JSON writes the value as a number (null when empty)

    InfoNode& add(std::string k, std::string v);
    InfoNode& number(std::string k, std::string v);
    InfoNode& section(std::string k);
    InfoNode& list(std::string k);
    InfoNode& item();
};

// Text output shows keys and values through printableText.
void printText(const InfoNode& root, std::ostream& out);
void printJson(const InfoNode& root, std::ostream& out);

} // namespace quorl::cli
