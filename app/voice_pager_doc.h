#pragma once

#include "app/codeplug_text_format.h"
#include "codeplug/codeplug_document.h"
#include "codeplug/codeplug_state.h"

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace quorl {

class QtProfileStore;

// The program's one document: owns the codeplug state for the life of the process
// and answers the file steps with real dialogs, message boxes and the profile.
class CVoicePagerDoc : public QObject, public DocumentHost {
    Q_OBJECT

public:
    CVoicePagerDoc(QtProfileStore& profile, QObject* parent = nullptr);
    ~CVoicePagerDoc() override;

    CodeplugState& state() { return *state_; }
    CodeplugDocument& document() { return document_; }

    void setDialogOwner(QWidget* owner) {
        owner_ = owner;
        textFormat_.setDialogOwner(owner);
    }
    // Opens a file named on the command line at start.
    void openAtStartup(const QString& startupPath);
    // Opens one of the recent files, with the save question first.
    void openRecent(const QString& path);

    QString title() const { return title_; }
    // The framework's title for a document without a file.
    void resetTitle();

    // The User Data window, once it exists, registers here.
    void setUserDataOpener(std::function<void()> opener) { userDataOpener_ = std::move(opener); }
    // While the Custom Audio window is open, a User Data window that a read or an
    // Open asks for waits, so the two never work on the same slots at once; it opens
    // when the hold ends.
    void holdUserData(bool held);

    // DocumentHost
    void showError(std::string_view text) override;
    Answer askYesNoCancel(std::string_view question) override;
    std::optional<std::string> chooseOpenFile(const std::string& initialFolder) override;
    std::optional<std::string> chooseSaveFile(const std::string& initialFolder,
                                              SaveDialogKind kind) override;
    std::string workingDir() override;
    void storeWorkingDir(const std::string& path) override;
    std::string libFolder() override;
    void setDocumentTitle(const std::string& title) override;
    void openUserData() override;
    void documentChanged() override;

signals:
    void titleChanged(const QString& title);
    void changed();
    void recentFilesChanged();

private:
    QtProfileStore& profile_;
    std::unique_ptr<CodeplugState> state_;
    CodeplugTextFormat textFormat_;
    CodeplugDocument document_;
    QWidget* owner_ = nullptr;
    QString title_;
    QString pendingOpen_; // a recent file chosen from the menu skips the dialog
    std::function<void()> userDataOpener_;
    bool userDataHeld_ = false;
    bool userDataWaiting_ = false;
};

} // namespace quorl
