#pragma once

#include "codeplug/document_host.h"

#include <deque>
#include <string>
#include <vector>

namespace quorl::test {

// Answers from a script and records every call, so a test can assert the exact
// sequence of messages and questions a user would see.
class ScriptedDocumentHost : public DocumentHost {
public:
    std::deque<Answer> answers;
    std::deque<std::optional<std::string>> openChoices;
    std::deque<std::optional<std::string>> saveChoices;
    std::string storedWorkingDir;
    std::string lib = "/opt/quorl/share/tessaly-vi-quorl/Lib";

    std::vector<std::string> errors;
    std::vector<std::string> questions;
    std::vector<std::string> dialogFolders;
    std::vector<SaveDialogKind> saveKinds;
    std::string title;
    int userDataOpened = 0;

    void showError(std::string_view text) override { errors.emplace_back(text); }
    Answer askYesNoCancel(std::string_view q) override;
    std::optional<std::string> chooseOpenFile(const std::string& folder) override;
    std::optional<std::string> chooseSaveFile(const std::string& folder,
                                              SaveDialogKind kind) override;
    std::string workingDir() override { return storedWorkingDir; }
    void storeWorkingDir(const std::string& p) override { storedWorkingDir = p; }
    std::string libFolder() override { return lib; }
    void setDocumentTitle(const std::string& t) override { title = t; }
    void openUserData() override { ++userDataOpened; }
    void documentChanged() override {}
};

} // namespace quorl::test
