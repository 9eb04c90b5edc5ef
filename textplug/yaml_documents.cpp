#include "textplug/yaml_documents.h"

#include "textplug/textplug_texts.h"

#include <sstream>
#include <vector>
#include <yaml-cpp/eventhandler.h>
#include <yaml-cpp/exceptions.h>
#include <yaml-cpp/parser.h>

namespace quorl::textplug {

namespace {

// Notes where each document's first node stands; nothing else is kept.
class FirstNodeMarks : public YAML::EventHandler {
public:
    std::vector<YAML::Mark> marks;

    void OnDocumentStart(const YAML::Mark& mark) override {
        start_ = mark;
        seen_ = false;
    }
    void OnDocumentEnd() override {
        if (!seen_)
            marks.push_back(start_);
    }
    void OnNull(const YAML::Mark& mark, YAML::anchor_t) override { node(mark); }
    void OnAlias(const YAML::Mark& mark, YAML::anchor_t) override { node(mark); }
    void OnScalar(const YAML::Mark& mark, const std::string&, YAML::anchor_t,
                  const std::string&) override {
        node(mark);
    }
    void OnSequenceStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t,
                         YAML::EmitterStyle::value) override {
        node(mark);
    }
    void OnSequenceEnd() override {}
    void OnMapStart(const YAML::Mark& mark, const std::string&, YAML::anchor_t,
                    YAML::EmitterStyle::value) override {
        node(mark);
    }
    void OnMapEnd() override {}

private:
    void node(const YAML::Mark& mark) {
        if (!seen_)
            marks.push_back(mark);
        seen_ = true;
    }
    YAML::Mark start_;
    bool seen_ = false;
};

TextMark place(const YAML::Mark& m) {
    return m.is_null() ? TextMark{} : TextMark{m.line + 1, m.column + 1};
}

} // namespace

std::optional<TextProblem> documentProblem(std::string_view text) {
    std::istringstream in{std::string(text)};
    YAML::Parser parser(in);
    FirstNodeMarks handler;
    // Three documents at most: enough to see a second one, and to see the parser
    // standing still.
    for (int n = 0; n < 3 && parser.HandleNextDocument(handler); ++n) {
    }
    const auto& marks = handler.marks;
    if (marks.size() < 2)
        return std::nullopt;
    if (marks.size() > 2 && marks[1].pos == marks[2].pos) {
        const auto pos = static_cast<std::size_t>(marks[1].pos);
        const bool comma = pos < text.size() && text[pos] == ',';
        return TextProblem{place(marks[1]),
                           {},
                           std::string(msg::kNotYaml) +
                               std::string(comma ? msg::kStrayComma : msg::kParserStuck)};
    }
    return TextProblem{place(marks[1]), {}, std::string(msg::kSecondDocument)};
}

} // namespace quorl::textplug
