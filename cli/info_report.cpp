#include "cli/info_report.h"

#include "base/printable_text.h"
#include "cli/json_writer.h"

#include <cctype>

#include <ostream>

namespace quorl::cli {

InfoNode& InfoNode::add(std::string k, std::string v) {
    children.push_back({std::move(k), std::move(v), {}, false});
    return *this;
}

InfoNode& InfoNode::number(std::string k, std::string v) {
    add(std::move(k), std::move(v));
    children.back().isNumber = true;
    return *this;
}

InfoNode& InfoNode::section(std::string k) {
    children.push_back({std::move(k), {}, {}, false});
    return children.back();
}

InfoNode& InfoNode::list(std::string k) {
    children.push_back({std::move(k), {}, {}, true});
    return children.back();
}

InfoNode& InfoNode::item() {
    children.push_back({});
    return children.back();
}

namespace {

bool isLeaf(const InfoNode& n) {
    return n.children.empty() && !n.isList;
}

// A decimal as JSON writes numbers: optional minus, digits, optional fraction.
bool isJsonNumber(const std::string& v) {
    std::size_t i = v.size() > 1 && v[0] == '-' ? 1 : 0;
    const std::size_t intStart = i;
    while (i < v.size() && std::isdigit(static_cast<unsigned char>(v[i])))
        ++i;
    if (i == intStart || (v[intStart] == '0' && i - intStart > 1))
        return false;
    if (i < v.size() && v[i] == '.') {
        const std::size_t fracStart = ++i;
        while (i < v.size() && std::isdigit(static_cast<unsigned char>(v[i])))
            ++i;
        if (i == fracStart)
            return false;
    }
    return i == v.size();
}

void jsonValue(const InfoNode& leaf, std::ostream& out) {
    if (leaf.isNumber && leaf.value.empty())
        out << "null";
    else if (leaf.isNumber && isJsonNumber(leaf.value))
        out << leaf.value;
    else
        JsonWriter::writeString(out, leaf.value);
}

void text(const InfoNode& node, std::ostream& out, int depth) {
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    int index = 1;
    for (const auto& child : node.children) {
        // A list item is named by its number. Written straight to the stream: a
        // "[" + std::string text trips GCC 12's -Wrestrict at -O3.
        out << indent;
        if (node.isList)
            out << '[' << index++ << ']';
        else
            out << printableText(child.key);
        if (isLeaf(child)) {
            out << ": " << printableText(child.value) << '\n';
        } else {
            out << ":\n";
            text(child, out, depth + 1);
        }
    }
}

void json(const InfoNode& node, std::ostream& out) {
    out << (node.isList ? '[' : '{');
    bool first = true;
    for (const auto& child : node.children) {
        if (!first)
            out << ',';
        first = false;
        if (!node.isList) {
            JsonWriter::writeString(out, child.key);
            out << ':';
        }
        if (isLeaf(child))
            jsonValue(child, out);
        else
            json(child, out);
    }
    out << (node.isList ? ']' : '}');
}

} // namespace

void printText(const InfoNode& root, std::ostream& out) {
    text(root, out, 0);
}

void printJson(const InfoNode& root, std::ostream& out) {
    json(root, out);
    out << '\n';
}

} // namespace quorl::cli
