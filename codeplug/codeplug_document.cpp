#include "codeplug/codeplug_document.h"

#include "codeplug/checksums.h"
#include "codeplug/codeplug_texts.h"
#include "codeplug/ppg_file.h"

#include <filesystem>

namespace quorl {

std::string CodeplugDocument::fileNameOf(const std::string& path) {
    return std::filesystem::path(path).filename().string();
}

std::string CodeplugDocument::absolutePathOf(const std::string& path) {
    if (path.empty())
        return path;
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(path, ec);
    return ec ? path : absolute.lexically_normal().string();
}

void CodeplugDocument::choose(const std::string& path) {
    // Stored in the settings and used again from any folder: never relative.
    state_.currentPath = absolutePathOf(path);
    state_.currentFileName = fileNameOf(path);
}

std::string CodeplugDocument::initialFolder() {
    const std::string dir = host_.workingDir();
    if (dir.empty() || dir == "0")
        return host_.libFolder();
    const auto cut = dir.find_last_of('/');
    if (cut == std::string::npos || cut == 0)
        return cut == 0 ? std::string("/") : host_.libFolder();
    return dir.substr(0, cut);
}

bool CodeplugDocument::writeFile(const std::string& path, const CodeplugImage& image,
                                 std::string& problem) {
    if (otherFormat_ && otherFormat_->handles(path))
        return otherFormat_->save(path, image, problem);
    return writePpgFile(path, image, &problem);
}

OpenResult CodeplugDocument::openFile(bool setTitle) {
    PpgReadResult read;
    if (otherFormat_ && otherFormat_->handles(state_.currentPath)) {
        // The format said why it could not be used.
        const auto image = otherFormat_->open(state_.currentPath);
        if (!image)
            return OpenResult::InvalidFormat;
        read.status = PpgReadStatus::Ok;
        read.image = *image;
    } else {
        read = readPpgFile(state_.currentPath);
    }
    if (read.status == PpgReadStatus::CannotOpen) {
        host_.showError(texts::kFileError1);
        return OpenResult::CannotOpen;
    }
    if (read.status == PpgReadStatus::InvalidFormat) {
        host_.showError(texts::kFileError2);
        return OpenResult::InvalidFormat;
    }
    state_.loadBoth(read.image);
    state_.modified = false;
    if (!state_.checkImage()) {
        host_.showError(texts::kFileError2);
        state_.loaded = false;
        host_.documentChanged();
        return OpenResult::CheckFailed;
    }
    host_.storeWorkingDir(state_.currentPath);
    state_.loaded = true;
    if (setTitle)
        host_.setDocumentTitle(state_.currentFileName);
    host_.documentChanged();
    host_.openUserData();
    return OpenResult::Loaded;
}

void CodeplugDocument::showSaveError(const std::string& problem) {
    // The numbered message, then why, naming the file (a device or FIFO at the
    // chosen name is refused, never replaced).
    host_.showError(problem.empty() ? std::string(texts::kFileError3)
                                    : std::string(texts::kFileError3) + "\r\n\r\n" + problem);
}

bool CodeplugDocument::askToSaveChanges() {
    switch (host_.askYesNoCancel(texts::kSaveChangesQuestion)) {
    case Answer::Yes:
        // Going on after a failed save would throw the edits away: stop, so the user
        // can save them elsewhere.
        return state_.currentPath.empty() ? onFileSaveAs() : onFileSave();
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

void CodeplugDocument::onFileOpen() {
    if (state_.busy)
        return;
    state_.clearFirmwareVersion();
    if (state_.loaded && state_.modified && !askToSaveChanges())
        return;
    const auto chosen = host_.chooseOpenFile(initialFolder());
    if (!chosen)
        return;
    // A file that cannot be read leaves the image of the previous file in memory,
    // so the previous file stays the target of a later Save.
    const std::string previousPath = state_.currentPath;
    const std::string previousName = state_.currentFileName;
    choose(*chosen);
    const OpenResult result = openFile(true);
    if (result == OpenResult::CannotOpen || result == OpenResult::InvalidFormat) {
        state_.currentPath = previousPath;
        state_.currentFileName = previousName;
    }
}

bool CodeplugDocument::settleBeforeRead() {
    if (state_.busy)
        return false;
    if (!state_.loaded)
        return true;
    if (state_.currentPath.empty()) {
        switch (host_.askYesNoCancel(texts::kOverwriteQuestion)) {
        case Answer::Yes:
            return true;
        case Answer::No:
            // Reading over an image that could not be saved would lose it.
            return onFileSaveAs();
        case Answer::Cancel:
            return false;
        }
    }
    return !state_.modified || askToSaveChanges();
}

bool CodeplugDocument::onFileSave() {
    if (state_.busy)
        return false;
    if (state_.currentPath.empty())
        return onFileSaveAs();
    const CodeplugImage toWrite = preparedForFile(state_.image);
    if (std::string problem; !writeFile(state_.currentPath, toWrite, problem)) {
        showSaveError(problem);
        return false;
    }
    state_.image = toWrite;
    host_.storeWorkingDir(state_.currentPath);
    state_.modified = false;
    return true;
}

bool CodeplugDocument::onFileSaveAs() {
    if (state_.busy)
        return false;
    const auto chosen = host_.chooseSaveFile(initialFolder(), SaveDialogKind::SaveAs);
    if (!chosen)
        return false;
    // Prepare the record on a copy: a failed write leaves image, names and flags
    // as they were.
    const CodeplugImage prepared = preparedForFile(state_.committedEdits());
    if (std::string problem; !writeFile(*chosen, prepared, problem)) {
        showSaveError(problem);
        return false;
    }
    choose(*chosen);
    state_.image = prepared;
    host_.storeWorkingDir(state_.currentPath);
    state_.modified = false;
    host_.setDocumentTitle(state_.currentFileName);
    host_.documentChanged();
    return true;
}

bool CodeplugDocument::saveOnExit() {
    if (!state_.modified)
        return true;
    if (!state_.currentPath.empty())
        return askToSaveChanges();
    switch (host_.askYesNoCancel(texts::kSaveChangesQuestion)) {
    case Answer::No:
        return true;
    case Answer::Cancel:
        return false;
    case Answer::Yes:
        break;
    }
    const auto chosen = host_.chooseSaveFile(initialFolder(), SaveDialogKind::SaveOnExit);
    if (!chosen)
        return false;
    // This path writes the committed edits as they are: no checksum update, no
    // mirror refresh and no "WorkingDir".
    const CodeplugImage prepared = state_.committedEdits();
    if (std::string problem; !writeFile(*chosen, prepared, problem)) {
        showSaveError(problem);
        return false;
    }
    choose(*chosen);
    state_.image = prepared;
    return true;
}

} // namespace quorl
