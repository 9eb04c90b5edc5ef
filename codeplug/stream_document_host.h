#pragma once

#include "codeplug/document_host.h"

#include <iosfwd>

namespace quorl {

// Runs the document's file steps without a window (the command-line tool, the
// report printer): errors go to a stream with line breaks of the terminal, questions
// are answered No, no dialog opens and nothing is stored in the user's profile.
class StreamDocumentHost : public DocumentHost {
public:
    explicit StreamDocumentHost(std::ostream& errors) : errors_(errors) {}

    void showError(std::string_view text) override;
    Answer askYesNoCancel(std::string_view) override { return Answer::No; }
    std::optional<std::string> chooseOpenFile(const std::string&) override { return {}; }
    std::optional<std::string> chooseSaveFile(const std::string&, SaveDialogKind) override {
        return {};
    }
    std::string workingDir() override { return {}; }
    void storeWorkingDir(const std::string&) override {}
    std::string libFolder() override { return {}; }
    void setDocumentTitle(const std::string&) override {}
    void openUserData() override {}
    void documentChanged() override {}

private:
    std::ostream& errors_;
};

// A message box text ("... #2 \r\n\r\nCannot ...") as terminal lines.
std::string terminalText(std::string_view messageBoxText);

} // namespace quorl
