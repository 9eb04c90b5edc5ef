#pragma once

#include "codeplug/codeplug_file_format.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/document_host.h"

#include <string>

namespace quorl {

enum class OpenResult { Loaded, CannotOpen, InvalidFormat, CheckFailed };

// Open, Save, Save As and the save prompt on exit, step by step, over a
// CodeplugState. Every message, question and dialog goes through the host.
class CodeplugDocument {
public:
    CodeplugDocument(CodeplugState& state, DocumentHost& host) : state_(state), host_(host) {}

    // Reads `currentPath` into both images and checks it. The caller has set
    // currentPath/currentFileName.
    OpenResult openFile(bool setTitle = true);

    // Files `format` handles are opened and saved through it, every other one as .ppg.
    void setOtherFormat(CodeplugFileFormat* format) { otherFormat_ = format; }

    void onFileOpen();
    // Both return true when the file was written.
    bool onFileSave();
    bool onFileSaveAs();

    // The questions before a pager read replaces the image in memory, asked before
    // the read starts so that Save and Save As can run: true when the read may go
    // on, false when the user cancelled or the image could not be saved.
    bool settleBeforeRead();

    // The codeplug's part of closing the frame; true when the frame may close.
    bool saveOnExit();

    // Where the file dialogs start: the folder of "WorkingDir", or Lib when that
    // value is empty or "0".
    std::string initialFolder();

    // The path as an absolute one (".." and "." folded, links kept), so that what is
    // stored as "WorkingDir" means the same file from any folder.
    static std::string absolutePathOf(const std::string& path);
    static std::string fileNameOf(const std::string& path);

private:
    // " Do you want to save the changes current codeplug ?  ": Yes saves (Save As
    // without a current file), No goes on, Cancel stops. True when the caller may go
    // on: the edits were saved, or the user let them go.
    bool askToSaveChanges();
    void showSaveError(const std::string& problem);
    void choose(const std::string& path);
    bool writeFile(const std::string& path, const CodeplugImage& image, std::string& problem);

    CodeplugState& state_;
    DocumentHost& host_;
    CodeplugFileFormat* otherFormat_ = nullptr;
};

} // namespace quorl
