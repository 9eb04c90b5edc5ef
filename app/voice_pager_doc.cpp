#include "app/voice_pager_doc.h"
#include "app/suggested_file_name.h"

#include "app/app_texts.h"
#include "app/installation.h"
#include "app/message_box.h"
#include "app/qt_profile_store.h"
#include "codeplug/codeplug_texts.h"
#include "codeplug/load_like_open.h"

#include <QFileDialog>
#include <utility>

namespace quorl {

namespace {
const QString kOpenFilter = QString::fromUtf8(texts::kOpenFilterWithText);
const QString kSaveFilter = QString::fromUtf8(texts::kSaveFilterWithText);
} // namespace

CVoicePagerDoc::CVoicePagerDoc(QtProfileStore& profile, QObject* parent)
    : QObject(parent), profile_(profile), state_(std::make_unique<CodeplugState>()),
      textFormat_(*state_), document_(*state_, *this), title_(QString::fromUtf8(texts::kUntitled)) {
    document_.setOtherFormat(&textFormat_);
}

CVoicePagerDoc::~CVoicePagerDoc() = default;

void CVoicePagerDoc::openAtStartup(const QString& startupPath) {
    // The start-up path loses its double quotes; what remains, if anything, is opened.
    QString path = startupPath;
    path.remove(QLatin1Char('"'));
    state_->currentPath = CodeplugDocument::absolutePathOf(path.toStdString());
    if (path.isEmpty())
        return;
    state_->currentFileName = CodeplugDocument::fileNameOf(state_->currentPath);
    state_->clearFirmwareVersion();
    const OpenResult r = document_.openFile(true);
    if (r == OpenResult::CannotOpen || r == OpenResult::InvalidFormat) {
        state_->currentPath.clear();
        state_->currentFileName.clear();
    }
}

void CVoicePagerDoc::openRecent(const QString& path) {
    pendingOpen_ = path;
    document_.onFileOpen();
    pendingOpen_.clear();
}

void CVoicePagerDoc::resetTitle() {
    setDocumentTitle(texts::kUntitled);
}

void CVoicePagerDoc::showError(std::string_view text) {
    if (text != texts::kFileError2 || state_->currentPath.empty()) {
        showStopMessage(owner_, text);
        return;
    }
    // The numbered message alone does not say what is wrong with the file; the
    // command-line tool prints the cause under it, and so does the window. A codeplug
    // text that was read refuses only for the image check.
    const std::string& path = state_->currentPath;
    const std::string why =
        textFormat_.handles(path) ? std::string(kFailsImageCheck) : whyNotOpened(path);
    showStopMessage(owner_, std::string(text) + "\r\n\r\n" + path + ": " + why);
}

Answer CVoicePagerDoc::askYesNoCancel(std::string_view question) {
    return quorl::askYesNoCancel(owner_, question);
}

std::optional<std::string> CVoicePagerDoc::chooseOpenFile(const std::string& initialFolder) {
    if (!pendingOpen_.isEmpty())
        return pendingOpen_.toStdString();
    QFileDialog dialog(owner_, QString(), QString::fromStdString(initialFolder), kOpenFilter);
    dialog.setObjectName(QStringLiteral("openCodeplugDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("ppg"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> CVoicePagerDoc::chooseSaveFile(const std::string& initialFolder,
                                                          SaveDialogKind) {
    // Both save dialogs let the user name a new file and confirm before replacing
    // an existing one.
    QFileDialog dialog(owner_, QString::fromUtf8(texts::kSaveAsTitle),
                       QString::fromStdString(initialFolder), kSaveFilter);
    dialog.setObjectName(QStringLiteral("saveCodeplugDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("ppg"));
    // A name typed without an extension takes the one of the chosen kind.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        dialog.setDefaultSuffix(f.contains(QStringLiteral("*.yaml")) ? QStringLiteral("yaml")
                                                                     : QStringLiteral("ppg"));
    });
    // After a read there is no file yet: the pager's serial number is offered.
    if (state().currentFileName.empty())
        dialog.selectFile(QString::fromStdString(suggestedFileBase(state())) +
                          QStringLiteral(".ppg"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().first().toStdString();
}

std::string CVoicePagerDoc::workingDir() {
    return profile_.readString("Settings", "WorkingDir", "");
}

void CVoicePagerDoc::storeWorkingDir(const std::string& path) {
    profile_.writeString("Settings", "WorkingDir", path);
    profile_.addRecentFile(QString::fromStdString(path));
    emit recentFilesChanged();
}

std::string CVoicePagerDoc::libFolder() {
    return quorl::libFolder().string();
}

void CVoicePagerDoc::setDocumentTitle(const std::string& title) {
    // A file name is shown as written; "[*]" in a title would be read as the
    // marker of unsaved edits unless doubled.
    title_ = fieldText(title).replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    emit titleChanged(title_);
}

void CVoicePagerDoc::openUserData() {
    if (userDataHeld_) {
        userDataWaiting_ = true;
        return;
    }
    if (userDataOpener_)
        userDataOpener_();
}

void CVoicePagerDoc::holdUserData(bool held) {
    userDataHeld_ = held;
    if (!held && std::exchange(userDataWaiting_, false))
        openUserData();
}

void CVoicePagerDoc::documentChanged() {
    emit changed();
}

} // namespace quorl
