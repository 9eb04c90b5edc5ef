#include "app/voice_pager_app.h"

#include "app/app_texts.h"
#include "app/codeplug_text_dialogs.h"
#include "app/desktop_look.h"
#include "app/found_tone_use.h"
#include "app/installation.h"
#include "app/main_frame.h"
#include "app/message_box.h"
#include "app/program_theme.h"
#include "app/qt_operation_host.h"
#include "app/qt_profile_store.h"
#include "app/voice_pager_doc.h"
#include "audio/custom_audio_model.h"
#include "audio/custom_audio_slots.h"
#include "audio/slot_recording_file.h"
#include "audio/ui/custom_audio_dlg.h"
#include "audio/voice_build.h"
#include "editors/ui/data_tab_dlg.h"
#include "inventory/operation_record.h"
#include "inventory/recorded_operation.h"
#include "link/codeplug_operation.h"
#include "link/custom_audio_download.h"
#include "tones/ui/find_tones_dlg.h"

#include <QTimer>
#include <quorl_version.h>

namespace quorl {

namespace {
// The custom audio questions asked by the frame itself (when it closes).
class FrameAudioMessages : public AudioMessages {
public:
    explicit FrameAudioMessages(QWidget* owner) : owner_(owner) {}
    void error(std::string_view text) override { showStopMessage(owner_, text); }
    Answer askYesNoCancel(std::string_view q) override { return quorl::askYesNoCancel(owner_, q); }

private:
    QWidget* owner_;
};
} // namespace

CVoicePagerApp::CVoicePagerApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromUtf8(texts::kFrameTitle));
    setOrganizationName(QString::fromUtf8(texts::kProfileCompany));
    setApplicationVersion(QStringLiteral(QUORL_VERSION));
    setDesktopFileName(QStringLiteral("tessaly-vi-quorl"));
    applyDesktopLook(*this);
    // The desktop program initialised OLE here for its print and clipboard
    // plumbing; Qt needs nothing of the kind, so there is no start-up failure to report.
    profile_ = std::make_unique<QtProfileStore>();
    // Before the first window, so it opens in the theme the user chose.
    applyTheme(*this, savedTheme(profile_->settings()));
    document_ = std::make_unique<CVoicePagerDoc>(*profile_);
    frame_ = std::make_unique<CMainFrame>(*profile_, *document_);
    customAudio_ = std::make_unique<CustomAudioModel>(installationFolder(),
                                                      buildFolder() / kSlotStateFileName);
    frame_->setAnySlotMarked([this] { return customAudio_->anySlotMarked(); });
    // The slot state (it enables Write Custom Audio) is read once the window shows.
    connect(frame_.get(), &CMainFrame::firstPainted, this, [this] {
        customAudio_->loadQuietly();
        frame_->updateCommandUI();
    });
    frame_->operations().setBody(PagerOperation::WriteCustomAudio, [this](PagerOperation) {
        std::array<DownloadSlot, kDownloadSlots> marked{};
        for (int i = 0; i < kDownloadSlots; ++i)
            marked[static_cast<std::size_t>(i)] = {customAudio_->slot(i).write,
                                                   customAudio_->activePath(i)};
        const OperationOutcome outcome = inventory::runRecordedAudioWrite(
            document_->state(), frame_->operationHost(), marked, buildFolder());
        if (outcome == OperationOutcome::Succeeded)
            frame_->operationSucceeded();
    });
    frame_->setUserDataWindow([this] { runUserData(); });
    frame_->setToneUse([this](const ToneUse& use) {
        runUserData([&use](CDataTabDlg& window) { applyToneUse(window, use); });
    });
    // Read Codeplug and Write Codeplug run on the worker with the frame's host.
    for (auto op : {PagerOperation::ReadCodeplug, PagerOperation::WriteCodeplug})
        frame_->operations().setBody(op, [this](PagerOperation which) {
            if (inventory::runRecordedOperation(
                    which == PagerOperation::ReadCodeplug ? OperationSelector::CodeplugRead
                                                          : OperationSelector::CodeplugWrite,
                    document_->state(), frame_->operationHost()) == OperationOutcome::Succeeded)
                frame_->operationSucceeded();
        });
    frame_->setCustomAudioWindow([this] { runCustomAudio(); });
    // Closing the frame first lets unsaved custom audio choices be saved.
    frame_->setCustomAudioCloseCheck([this] {
        FrameAudioMessages messages(frame_.get());
        return customAudio_->settleForUserDataClose(messages);
    });
    // After an Open (or a pager read) the window opens by itself.
    document_->setUserDataOpener([this] { frame_->onUserData(); });
}

void CVoicePagerApp::runUserData(const std::function<void(CDataTabDlg&)>& afterShow) {
    CDataTabDlg window(
        document_->state(), frame_->auditionPort(), [this] { return frame_->cradleConnected(); },
        frame_.get());
    window.setHelpOpener([this] { frame_->onHelp(); });
    window.setCustomAudioOpener([this, &window] { showCustomAudioFrom(window); });
    // Import Text under the same dialogs and rules as the main window's.
    window.setTextImporter([this](QWidget* owner, const CodeplugImage& base) {
        const QString folder = QString::fromStdString(document_->document().initialFolder());
        return importTextOnto(owner, base, importTextFileDialog(folder));
    });
    UserDataSession& session = window.session();
    // The Custom Audio window, when open, settles with the User Data window.
    session.settleCustomAudioOnOk = [this] {
        if (!modelessCustomAudio_)
            return true;
        if (!modelessCustomAudio_->settleForUserDataOk())
            return false;
        modelessCustomAudio_->close();
        return true;
    };
    session.settleCustomAudioOnClose = [this] {
        if (!modelessCustomAudio_)
            return true;
        if (!modelessCustomAudio_->settleForUserDataClose())
            return false;
        modelessCustomAudio_->close();
        return true;
    };
    session.discardCustomAudio = [this] {
        if (modelessCustomAudio_)
            modelessCustomAudio_->close();
    };
    if (afterShow)
        QTimer::singleShot(0, &window, [&window, &afterShow] { afterShow(window); });
    window.exec();
    if (modelessCustomAudio_)
        modelessCustomAudio_->close();
    frame_->updateCommandUI();
}

void CVoicePagerApp::showCustomAudioFrom(CDataTabDlg& userData) {
    // One Custom Audio window at a time, whichever way it was opened.
    for (CCustomAudioDlg* open : {modelessCustomAudio_.data(), menuCustomAudio_.data()})
        if (open) {
            open->raise();
            open->activateWindow();
            return;
        }
    auto* window = new CCustomAudioDlg(
        *customAudio_, frame_->auditionPort(), *profile_,
        [this] { return frame_->cradleConnected(); }, &userData);
    // The switch modes as the open Function Switches tab has them now.
    window->switchModes = [this] { return programmedSwitchModes(document_->state().editImage); };
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setModal(false);
    modelessCustomAudio_ = window;
    window->show();
}

void CVoicePagerApp::runCustomAudio() {
    if (menuCustomAudio_ || modelessCustomAudio_)
        return;
    CCustomAudioDlg window(
        *customAudio_, frame_->auditionPort(), *profile_,
        [this] { return frame_->cradleConnected(); }, frame_.get());
    window.switchModes = [this] { return programmedSwitchModes(document_->state().image); };
    menuCustomAudio_ = &window;
    document_->holdUserData(true);
    window.exec();
    menuCustomAudio_ = nullptr;
    frame_->updateCommandUI();
    document_->holdUserData(false); // a read that ended meanwhile shows its data now
}

CVoicePagerApp::~CVoicePagerApp() {
    frame_.reset();
    document_.reset();
    customAudio_.reset();
}

void CVoicePagerApp::initInstance() {
    frame_->show();
    // A .ppg or .yaml path handed to the program (a file manager, or the command line)
    // opens at start.
    const QStringList args = arguments();
    QString startupPath;
    for (int i = 1; i < args.size(); ++i)
        if (!args[i].startsWith(QLatin1Char('-'))) {
            startupPath = args[i];
            break;
        }
    document_->openAtStartup(startupPath);
    frame_->updateCommandUI();
}

} // namespace quorl
