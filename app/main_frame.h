#pragma once

#include "app/command_rules.h"
#include "app/pager_operation_runner.h"
#include "codeplug/codeplug_image.h"
#include "editors/audition_port.h"
#include "widgets/help_viewer.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <atomic>
#include <functional>
#include <memory>

class QAction;
class QMenu;
class QToolBar;

namespace quorl {

class CVoicePagerDoc;
class CVoicePagerView;
class QtOperationHost;
class QtProfileStore;
class CProgressBarDlg;
class SummaryReport;
struct ToneUse;

// The frame window: menus, accelerators, toolbar, status bar and the command
// handlers with their enabling and busy rules.
class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    CMainFrame(QtProfileStore& profile, CVoicePagerDoc& document, QWidget* parent = nullptr);
    ~CMainFrame() override;

    QAction* action(Command command) const { return actions_.value(command); }
    // The help window while it is open.
    CHelpViewer* helpViewer() const { return helpViewer_; }
    CVoicePagerView* view() const { return view_; }
    QtOperationHost& operationHost() { return *host_; }
    PagerOperationRunner& operations() { return runner_; }
    AuditionPort& auditionPort() { return *auditionPort_; }
    void setAuditionPort(std::unique_ptr<AuditionPort> port) { auditionPort_ = std::move(port); }

    // What the later subsystems plug in.
    void setCradleProbe(std::function<bool()> probe) { cradleProbe_ = std::move(probe); }
    void setSystemSetup(std::function<void()> dialog) { systemSetup_ = std::move(dialog); }
    void setUserDataWindow(std::function<void()> window) { userData_ = std::move(window); }
    void setCustomAudioWindow(std::function<void()> window) { customAudio_ = std::move(window); }
    void setCustomAudioCloseCheck(std::function<bool()> check) {
        customAudioCloseCheck_ = std::move(check);
    }
    void setAnySlotMarked(std::function<bool()> marked) { anySlotMarked_ = std::move(marked); }
    // Where Tools > Find Tones' "Use for..." sends a page's tones.
    void setToneUse(std::function<void(const ToneUse&)> use) { toneUse_ = std::move(use); }

    // The frame's title follows the document: "name - Tessaly VI Quorl".
    void updateTitle();
    // The main view's words: the codeplug loaded (model, serial number, channels),
    // or how to begin when none is.
    QString viewNote() const;
    // Recomputes every command's enabled state.
    void updateCommandUI();
    bool cradleConnected() const { return cradleConnected_; }

    // Runs one of the three pager operations (F3, F7, Write Custom Audio). A read
    // asks about the image in memory first, before the operation holds the document.
    void runPagerOperation(PagerOperation op);
    // Called by an operation's body, on its worker, when it worked; the status bar
    // then says so once the operation has ended, and a read opens its User Data window.
    void operationSucceeded() { operationSucceeded_ = true; }
    // A whole read has become the document: until it is saved it has no file, so the
    // title loses the file's name; then its User Data window opens.
    void showReadCodeplug();

public slots:
    void onFileOpen();
    void onFileSave();
    void onFileSaveAs();
    void onPrintPreview();
    void onPrint();
    void onExportPdf();
    void onExportText();
    void onImportText();
    void onReadCodeplug();
    // View > Inventory, and the codeplug it hands back as the document.
    void onInventory();
    void openInventoryCodeplug(const CodeplugImage& image, const std::string& title);
    void onWriteCodeplug();
    void onWriteCustomAudio();
    void onWriteToAllCradles();
    void onUserData();
    void onCustomAudio();
    void onSystemSetup();
    void onHelp();
    void onHelpFromKeyboard();
    void onAbout();
    void refreshCradles();

signals:
    void pagerOperationFinished();
    // The main window has been painted once; what it need not wait for runs now.
    void firstPainted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void createActions();
    void applyIcons();
    void createMenus();
    // View > Theme: System, Light, Dark, remembered in the profile.
    QMenu* createThemeMenu();
    void createToolBar();
    void rebuildRecentFiles();
    void onFirstUpdate();
    void showOperationNote();
    bool busy() const;
    // The manual, at `section` when one is named.
    void openHelpAt(const QString& section);
    SummaryReport summaryReport() const;
    // "Saved ..." / "Exported ..." in the status bar, after the file was read back.
    static constexpr int kWrittenNoteMs = 8000;
    void noteWritten(const char* note, const QString& path);
    void noteSaved();
    // A modal window runs with timer 0 stopped.
    void runWithTimerStopped(const std::function<void()>& window);

    QtProfileStore& profile_;
    CVoicePagerDoc& document_;
    CVoicePagerView* view_ = nullptr;
    std::unique_ptr<QtOperationHost> host_;
    std::unique_ptr<AuditionPort> auditionPort_;
    std::unique_ptr<CProgressBarDlg> progress_;
    PagerOperationRunner runner_;
    QMap<Command, QAction*> actions_;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    QList<QAction*> recentActions_;
    QToolBar* toolBar_ = nullptr;
    bool previewOpen_ = false;
    bool cradleConnected_ = false;
    bool helpFromKeyboard_ = false; // dialogs read it to skip their own F1 handling
    std::atomic<bool> operationSucceeded_{false};
    PagerOperation runningOperation_ = PagerOperation::ReadCodeplug;
    // The operation's own time: from its start, after any question about the image in
    // memory, to the progress window closing.
    QElapsedTimer operationClock_;
    qint64 operationMs_ = -1;

    std::function<bool()> cradleProbe_;
    std::function<void()> systemSetup_;
    std::function<void()> userData_;
    std::function<void()> customAudio_;
    std::function<void(const ToneUse&)> toneUse_;
    std::function<bool()> customAudioCloseCheck_;
    std::function<bool()> anySlotMarked_;
    std::function<void()> closePreview_;
    QPointer<CHelpViewer> helpViewer_;
};

} // namespace quorl
