#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorl {

enum class Answer { Yes, No, Cancel };

// Which save dialog is meant: Save As prompts before overwriting; the dialog of the
// exit path confirms before replacing an existing file too.
enum class SaveDialogKind { SaveAs, SaveOnExit };

// What the file operations need from the program around them: message boxes, the
// file dialogs, the profile, the title and the User Data window. The Qt document
// implements it with real dialogs; tests and the command-line tool answer from a
// script.
class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    // Modal error box, stop icon, caption "Tessaly VI Quorl".
    virtual void showError(std::string_view text) = 0;
    // Yes/No/Cancel box with a question icon.
    virtual Answer askYesNoCancel(std::string_view question) = 0;

    virtual std::optional<std::string> chooseOpenFile(const std::string& initialFolder) = 0;
    virtual std::optional<std::string> chooseSaveFile(const std::string& initialFolder,
                                                      SaveDialogKind kind) = 0;

    // "Settings"/"WorkingDir": the last file opened or saved.
    virtual std::string workingDir() = 0;
    virtual void storeWorkingDir(const std::string& path) = 0;

    // The folder the file dialogs fall back to (Lib in the installation folder).
    virtual std::string libFolder() = 0;

    virtual void setDocumentTitle(const std::string& title) = 0;
    // Opens the User Data window on the newly loaded image.
    virtual void openUserData() = 0;
    // The main view repaints after the image or its file name changed.
    virtual void documentChanged() = 0;
};

} // namespace quorl
