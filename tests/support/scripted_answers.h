#pragma once

#include "codeplug/document_host.h"

#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace quorl::test {

// The user of a test: answers each question with the next answer of the script,
// Cancel once it runs out, and keeps every question asked.
struct ScriptedAnswers {
    std::vector<std::string> questions;
    std::deque<Answer> answers;

    Answer answer(std::string_view question) {
        questions.emplace_back(question);
        if (answers.empty())
            return Answer::Cancel;
        const Answer next = answers.front();
        answers.pop_front();
        return next;
    }
};

} // namespace quorl::test
