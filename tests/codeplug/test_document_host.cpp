#include "test_document_host.h"

#include <stdexcept>

namespace quorl::test {

namespace {
template <typename T> T next(std::deque<T>& q, const char* what) {
    if (q.empty())
        throw std::logic_error(std::string("unexpected ") + what);
    T v = q.front();
    q.pop_front();
    return v;
}
} // namespace

Answer ScriptedDocumentHost::askYesNoCancel(std::string_view q) {
    questions.emplace_back(q);
    return next(answers, "question");
}

std::optional<std::string> ScriptedDocumentHost::chooseOpenFile(const std::string& folder) {
    dialogFolders.push_back(folder);
    return next(openChoices, "open dialog");
}

std::optional<std::string> ScriptedDocumentHost::chooseSaveFile(const std::string& folder,
                                                                SaveDialogKind kind) {
    dialogFolders.push_back(folder);
    saveKinds.push_back(kind);
    return next(saveChoices, "save dialog");
}

} // namespace quorl::test
