#include "app/voice_pager_app.h"

#include "app/app_texts.h"
#include "app/main_frame.h"
#include "app/qt_profile_store.h"
#include "app/voice_pager_doc.h"
#include "editors/ui/data_tab_dlg.h"

namespace quorl {

CVoicePagerApp::CVoicePagerApp(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QString::fromUtf8(texts::kFrameTitle));
    setOrganizationName(QString::fromUtf8(texts::kProfileCompany));
    setApplicationVersion(QStringLiteral("R01.07"));
    setDesktopFileName(QStringLiteral("tessaly-vi-quorl"));
    // The desktop program initialised OLE here for its print and clipboard
    // plumbing; Qt needs nothing of the kind, so there is no start-up failure to report.
    profile_ = std::make_unique<QtProfileStore>();
    document_ = std::make_unique<CVoicePagerDoc>(*profile_);
    frame_ = std::make_unique<CMainFrame>(*profile_, *document_);
    frame_->setUserDataWindow([this] {
        CDataTabDlg window(document_->state(), frame_->auditionPort(),
                           [this] { return frame_->cradleConnected(); }, frame_.get());
        window.setHelpOpener([this] { frame_->onHelp(); });
        window.exec();
        frame_->updateCommandUI();
    });
    // After an Open (or a pager read) the window opens by itself.
    document_->setUserDataOpener([this] { frame_->onUserData(); });
}

CVoicePagerApp::~CVoicePagerApp() {
    frame_.reset();
    document_.reset();
}

void CVoicePagerApp::initInstance() {
    frame_->show();
    // A .ppg path handed to the program (a file manager, or the command line)
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
