#include "app/main_frame.h"
#include "link/cradle_discovery.h"
#include "link/ui/fleet_write_dlg.h"
#include "widgets/help_viewer.h"

#include "app/about_dialog.h"
#include "app/app_texts.h"
#include "app/background_picture.h"
#include "app/codeplug_text_dialogs.h"
#include "app/installation.h"
#include "app/inventory_window.h"
#include "app/keyboard_indicators.h"
#include "app/link_audition_port.h"
#include "app/message_box.h"
#include "app/program_theme.h"
#include "app/qt_operation_host.h"
#include "app/qt_profile_store.h"
#include "app/report_printing.h"
#include "app/suggested_file_name.h"
#include "app/summary_report.h"
#include "app/toolbar_icons.h"
#include "app/voice_pager_doc.h"
#include "app/voice_pager_view.h"
#include "base/decimal_text.h"
#include "codeplug/general_block.h"
#include "codeplug/ppg_file.h"
#include "inventory/inventory_recorder.h"
#include "inventory/operation_record.h"
#include "link/port_choice.h"
#include "link/ui/link_dialogs.h"
#include "link/ui/progress_bar_dlg.h"
#include "textplug/text_file.h"
#include "tones/ui/find_tones_dlg.h"
#include "tones/ui/test_page_dlg.h"
#include "tones/ui/tones_ui_texts.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTime>
#include <QToolBar>

namespace quorl {

namespace {

struct CommandEntry {
    Command command;
    const char* text;
    QKeySequence key;
    const char* prompt; // status-bar prompt "\n" tooltip
    int icon;           // ToolbarIcon, or -1
};

const CommandEntry kCommands[] = {
    {Command::Open, texts::kCmdOpen, QKeySequence(Qt::CTRL | Qt::Key_O), texts::kPromptOpen,
     static_cast<int>(ToolbarIcon::Open)},
    {Command::Save, texts::kCmdSave, QKeySequence(Qt::CTRL | Qt::Key_S), texts::kPromptSave,
     static_cast<int>(ToolbarIcon::Save)},
    {Command::SaveAs, texts::kCmdSaveAs, {}, texts::kPromptSaveAs, -1},
    {Command::PrintPreview, texts::kCmdPrintPreview, {}, texts::kPromptPrintPreview, -1},
    {Command::Print, texts::kCmdPrint, QKeySequence(Qt::CTRL | Qt::Key_P), texts::kPromptPrint,
     static_cast<int>(ToolbarIcon::Print)},
    {Command::ExportPdf, texts::kCmdExportPdf, {}, texts::kPromptExportPdf, -1},
    {Command::ExportText, texts::kCmdExportText, {}, texts::kPromptExportText, -1},
    {Command::ImportText, texts::kCmdImportText, {}, texts::kPromptImportText, -1},
    {Command::Exit, texts::kCmdExit, {}, texts::kPromptExit, -1},
    {Command::ReadCodeplug, texts::kCmdReadCodeplug, QKeySequence(Qt::Key_F3),
     texts::kPromptReadCodeplug, static_cast<int>(ToolbarIcon::ReadCodeplug)},
    {Command::WriteCodeplug, texts::kCmdWriteCodeplug, QKeySequence(Qt::Key_F7),
     texts::kPromptWriteCodeplug, static_cast<int>(ToolbarIcon::WriteCodeplug)},
    {Command::WriteCustomAudio,
     texts::kCmdWriteCustomAudio,
     {},
     texts::kPromptWriteCustomAudio,
     static_cast<int>(ToolbarIcon::WriteCustomAudio)},
    {Command::UserData, texts::kCmdUserData, QKeySequence(Qt::Key_F5), texts::kPromptUserData,
     static_cast<int>(ToolbarIcon::UserData)},
    {Command::CustomAudio,
     texts::kCmdCustomAudio,
     {},
     texts::kPromptCustomAudio,
     static_cast<int>(ToolbarIcon::CustomAudio)},
    {Command::Toolbar, texts::kCmdToolbar, {}, texts::kPromptToolbar, -1},
    {Command::StatusBar, texts::kCmdStatusBar, {}, texts::kPromptStatusBar, -1},
    {Command::SystemSetup, texts::kCmdSystemSetup, QKeySequence(Qt::Key_F9),
     texts::kPromptSystemSetup, static_cast<int>(ToolbarIcon::SystemSetup)},
    {Command::Help, texts::kCmdHelp, QKeySequence(Qt::Key_F1), texts::kPromptHelp,
     static_cast<int>(ToolbarIcon::Help)},
    {Command::About, texts::kCmdAbout, QKeySequence(Qt::CTRL | Qt::Key_H), texts::kPromptAbout,
     static_cast<int>(ToolbarIcon::About)},
};

} // namespace

CMainFrame::CMainFrame(QtProfileStore& profile, CVoicePagerDoc& document, QWidget* parent)
    : QMainWindow(parent), profile_(profile), document_(document), runner_(document.state()) {
    setObjectName(QStringLiteral("mainFrame"));
    setWindowIcon(toolbarIcon(ToolbarIcon::Application));
    setMinimumSize(400, 300);
    view_ = new CVoicePagerView(this);
    setCentralWidget(view_);
    host_ = std::make_unique<QtOperationHost>(this, [this] { view_->viewport()->update(); });
    document_.setDialogOwner(this);
    auditionPort_ = std::make_unique<LinkAuditionPort>(*host_, [this] {
        // Said where the press was: a modal window (Custom Audio, User Data) covers
        // the status bar.
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != this)
            showInformation(modal, texts::kOperationRunningNote);
        else
            statusBar()->showMessage(QString::fromUtf8(texts::kOperationRunningNote), 5000);
    });
    // The "Progress Indicator" of the pager operations, owned by the frame.
    host_->setProgressWindow({[this](const QString& text) {
                                  progress_ = std::make_unique<CProgressBarDlg>(this);
                                  progress_->setText(text);
                                  progress_->setPosition(0);
                                  progress_->show();
                              },
                              [this](int percent, const QString& text) {
                                  if (!progress_)
                                      return;
                                  progress_->setText(text);
                                  progress_->setPosition(percent);
                                  progress_->repaint();
                              },
                              [this] {
                                  if (progress_)
                                      progress_->close();
                                  progress_.reset();
                                  if (operationClock_.isValid())
                                      operationMs_ = operationClock_.elapsed();
                              }});
    // The time the status bar reports is the link's work: the user's pick of a
    // cradle is not part of it.
    host_->setAfterDeviceChoice([this] {
        if (operationClock_.isValid())
            operationClock_.start();
    });
    cradleProbe_ = [] { return refreshCradlePresence(); };
    systemSetup_ = [this] { runSystemSetup(this); };

    createActions();
    createMenus();
    createToolBar();
    statusBar()->showMessage(QString::fromUtf8(texts::kPromptReady));
    new KeyboardIndicators(statusBar());

    connect(&document_, &CVoicePagerDoc::titleChanged, this, &CMainFrame::updateTitle);
    connect(&document_, &CVoicePagerDoc::changed, this, [this] {
        view_->viewport()->update();
        updateCommandUI();
    });
    connect(&document_, &CVoicePagerDoc::recentFilesChanged, this, &CMainFrame::rebuildRecentFiles);
    connect(view_, &CVoicePagerView::firstUpdate, this, &CMainFrame::onFirstUpdate);
    // The cradle scan waits until the window is on the screen.
    connect(view_, &CVoicePagerView::firstPainted, this, &CMainFrame::refreshCradles);
    connect(view_, &CVoicePagerView::firstPainted, this, &CMainFrame::firstPainted);
    view_->setCradleRefresh([this] { refreshCradles(); });
    // The worker ends on its own thread; the frame takes it up on the interface thread.
    connect(
        this, &CMainFrame::pagerOperationFinished, this,
        [this] {
            runner_.join();
            const bool readWhole =
                runningOperation_ == PagerOperation::ReadCodeplug && operationSucceeded_;
            showOperationNote();
            // Timer 0 starts again once the read's User Data window has closed.
            if (readWhole)
                showReadCodeplug();
            view_->startTimer0();
            view_->viewport()->update();
            updateTitle();
            updateCommandUI();
        },
        Qt::QueuedConnection);
    updateTitle();
    updateCommandUI();
}

CMainFrame::~CMainFrame() {
    runner_.join();
}

void CMainFrame::createActions() {
    for (const auto& entry : kCommands) {
        auto* a = new QAction(QString::fromUtf8(entry.text), this);
        if (!entry.key.isEmpty())
            a->setShortcut(entry.key);
        const QStringList prompt = QString::fromUtf8(entry.prompt).split(QLatin1Char('\n'));
        a->setStatusTip(prompt.value(0));
        a->setToolTip(prompt.value(1, prompt.value(0)));

        actions_.insert(entry.command, a);
        addAction(a); // the accelerators work whether or not the bars are shown
    }
    applyIcons();
    // Every command passes one guard: while a pager operation runs, the commands
    // that touch the codeplug or the pager do nothing.
    auto bind = [this](Command command, auto handler) {
        connect(actions_[command], &QAction::triggered, this, [this, command, handler] {
            if (busy() && isBlockedWhileBusy(command))
                return;
            (this->*handler)();
        });
    };
    bind(Command::Open, &CMainFrame::onFileOpen);
    bind(Command::Save, &CMainFrame::onFileSave);
    bind(Command::SaveAs, &CMainFrame::onFileSaveAs);
    bind(Command::PrintPreview, &CMainFrame::onPrintPreview);
    bind(Command::Print, &CMainFrame::onPrint);
    bind(Command::ExportPdf, &CMainFrame::onExportPdf);
    bind(Command::ExportText, &CMainFrame::onExportText);
    bind(Command::ImportText, &CMainFrame::onImportText);
    bind(Command::ReadCodeplug, &CMainFrame::onReadCodeplug);
    bind(Command::WriteCodeplug, &CMainFrame::onWriteCodeplug);
    bind(Command::WriteCustomAudio, &CMainFrame::onWriteCustomAudio);
    bind(Command::UserData, &CMainFrame::onUserData);
    bind(Command::CustomAudio, &CMainFrame::onCustomAudio);
    bind(Command::SystemSetup, &CMainFrame::onSystemSetup);
    bind(Command::Help, &CMainFrame::onHelpFromKeyboard);
    bind(Command::About, &CMainFrame::onAbout);
    connect(actions_[Command::Exit], &QAction::triggered, this, &QWidget::close);
    auto* toolbar = actions_[Command::Toolbar];
    auto* statusbar = actions_[Command::StatusBar];
    toolbar->setCheckable(true);
    toolbar->setChecked(true);
    statusbar->setCheckable(true);
    statusbar->setChecked(true);
    connect(toolbar, &QAction::toggled, this, [this](bool on) { toolBar_->setVisible(on); });
    connect(statusbar, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
}

QMenu* CMainFrame::createThemeMenu() {
    auto* menu = new QMenu(QString::fromUtf8(texts::kMenuTheme), this);
    menu->setObjectName(QStringLiteral("themeMenu"));
    auto* group = new QActionGroup(menu);
    const ProgramTheme saved = savedTheme(profile_.settings());
    const std::pair<ProgramTheme, const char*> choices[] = {
        {ProgramTheme::System, texts::kThemeSystem},
        {ProgramTheme::Light, texts::kThemeLight},
        {ProgramTheme::Dark, texts::kThemeDark}};
    for (const auto& [theme, text] : choices) {
        QAction* a = menu->addAction(QString::fromUtf8(text));
        a->setCheckable(true);
        a->setChecked(theme == saved);
        group->addAction(a);
        connect(a, &QAction::triggered, this, [this, theme = theme] {
            saveTheme(profile_.settings(), theme);
            applyTheme(*qApp, theme);
        });
    }
    return menu;
}

void CMainFrame::applyIcons() {
    for (const auto& entry : kCommands)
        if (entry.icon >= 0)
            actions_[entry.command]->setIcon(toolbarIcon(static_cast<ToolbarIcon>(entry.icon)));
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // A desktop switching between light and dark themes gets pictures to match.
    if (event->type() == QEvent::PaletteChange)
        applyIcons();
}

void CMainFrame::createMenus() {
    fileMenu_ = menuBar()->addMenu(QString::fromUtf8(texts::kMenuFile));
    fileMenu_->addAction(actions_[Command::Open]);
    fileMenu_->addAction(actions_[Command::Save]);
    fileMenu_->addAction(actions_[Command::SaveAs]);
    fileMenu_->addSeparator();
    fileMenu_->addAction(actions_[Command::PrintPreview]);
    fileMenu_->addAction(actions_[Command::Print]);
    fileMenu_->addAction(actions_[Command::ExportPdf]);
    fileMenu_->addAction(actions_[Command::ExportText]);
    fileMenu_->addAction(actions_[Command::ImportText]);
    recentSeparator_ = fileMenu_->addSeparator();
    fileMenu_->addSeparator();
    fileMenu_->addAction(actions_[Command::Exit]);
    rebuildRecentFiles();

    auto* operation = menuBar()->addMenu(QString::fromUtf8(texts::kMenuOperation));
    operation->addAction(actions_[Command::ReadCodeplug]);
    operation->addAction(actions_[Command::WriteCodeplug]);
    operation->addAction(actions_[Command::WriteCustomAudio]);
    operation->addSeparator();
    operation->addAction(QString::fromUtf8(texts::kWriteToAllCradles), this,
                         &CMainFrame::onWriteToAllCradles);

    auto* viewMenu = menuBar()->addMenu(QString::fromUtf8(texts::kMenuView));
    viewMenu->addAction(actions_[Command::UserData]);
    viewMenu->addAction(actions_[Command::CustomAudio]);
    viewMenu->addAction(QString::fromUtf8(texts::kMenuInventory), this, &CMainFrame::onInventory);
    viewMenu->addSeparator();
    viewMenu->addAction(actions_[Command::Toolbar]);
    viewMenu->addAction(actions_[Command::StatusBar]);
    viewMenu->addMenu(createThemeMenu());

    auto* tools = menuBar()->addMenu(QString::fromUtf8(texts::kMenuTools));
    tools->addAction(actions_[Command::SystemSetup]);
    tools->addSeparator();
    // Test pages and found tones sound on the computer, not the pager: they need
    // no cradle, only no pager operation running.
    tools->addAction(QString::fromUtf8(texts::tones::kTestPageMenu), this, [this] {
        if (busy())
            return;
        runWithTimerStopped([this] {
            CTestPageDlg dialog(document_.state().image, this);
            dialog.exec();
        });
    });
    tools->addAction(QString::fromUtf8(texts::tones::kFindTonesMenu), this, [this] {
        if (busy())
            return;
        runWithTimerStopped([this] {
            const CodeplugState& state = document_.state();
            CFindTonesDlg dialog(state.loaded ? &state.image : nullptr, this);
            dialog.setToneUse(toneUse_);
            dialog.exec();
        });
    });

    auto* help = menuBar()->addMenu(QString::fromUtf8(texts::kMenuHelp));
    help->addAction(actions_[Command::Help]);
    help->addAction(QString::fromUtf8(texts::kAboutLinkTrace), this,
                    [this] { openHelpAt("trace"); });
    help->addAction(actions_[Command::About]);

    for (auto* menu : menuBar()->findChildren<QMenu*>())
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandUI);
}

void CMainFrame::createToolBar() {
    toolBar_ = addToolBar(QStringLiteral("Standard"));
    toolBar_->setObjectName(QStringLiteral("standardToolBar"));
    toolBar_->setIconSize(QSize(16, 15));
    toolBar_->setMovable(false);
    toolBar_->addAction(actions_[Command::Open]);
    toolBar_->addAction(actions_[Command::Save]);
    toolBar_->addSeparator();
    toolBar_->addAction(actions_[Command::ReadCodeplug]);
    toolBar_->addAction(actions_[Command::WriteCodeplug]);
    toolBar_->addAction(actions_[Command::WriteCustomAudio]);
    toolBar_->addSeparator();
    toolBar_->addAction(actions_[Command::UserData]);
    toolBar_->addAction(actions_[Command::CustomAudio]);
    toolBar_->addSeparator();
    toolBar_->addAction(actions_[Command::SystemSetup]);
    toolBar_->addSeparator();
    toolBar_->addAction(actions_[Command::Print]);
    toolBar_->addSeparator();
    toolBar_->addAction(actions_[Command::About]);
    toolBar_->addAction(actions_[Command::Help]);
}

void CMainFrame::rebuildRecentFiles() {
    for (auto* a : recentActions_) {
        fileMenu_->removeAction(a);
        a->deleteLater();
    }
    recentActions_.clear();
    const QStringList files = profile_.recentFiles();
    int n = 1;
    for (const QString& f : files) {
        auto* a = new QAction(QStringLiteral("&%1 %2").arg(n++).arg(f), this);
        a->setStatusTip(QStringLiteral("Open this document"));
        connect(a, &QAction::triggered, this, [this, f] {
            if (!busy())
                document_.openRecent(f);
        });
        fileMenu_->insertAction(recentSeparator_, a);
        recentActions_ << a;
    }
}

void CMainFrame::updateTitle() {
    // Desktop shells show the file and whether it has unsaved edits ("name* - ...").
    const QString title = document_.title() +
                          (document_.state().modified ? QStringLiteral("*") : QString()) +
                          QStringLiteral(" - ") + QString::fromUtf8(texts::kFrameTitle);
    if (windowTitle() != title)
        setWindowTitle(title);
    view_->setNote(viewNote());
}

QString CMainFrame::viewNote() const {
    const CodeplugState& state = document_.state();
    if (!state.loaded)
        return QString::fromUtf8(kStartNote);
    // The codeplug in memory, named the way the pager's label names it.
    const GeneralBlock general(state.image);
    const int channels = general.channelCount();
    return QStringLiteral("Codeplug loaded: model %1, serial number %2, %3 %4. Press F5 to edit "
                          "it, F7 to write it to the pager in the cradle.")
        .arg(fieldText(general.modelNumber()).trimmed(),
             fieldText(general.serialNumber()).trimmed())
        .arg(channels)
        .arg(channels == 1 ? QStringLiteral("channel") : QStringLiteral("channels"));
}

bool CMainFrame::busy() const {
    return document_.state().busy.load();
}

void CMainFrame::updateCommandUI() {
    CommandContext ctx;
    ctx.loaded = document_.state().loaded;
    ctx.anySlotMarked = anySlotMarked_ && anySlotMarked_();
    ctx.cradleConnected = cradleConnected_;
    for (auto it = actions_.begin(); it != actions_.end(); ++it)
        it.value()->setEnabled(isCommandEnabled(it.key(), ctx));
    // The editors mark the codeplug modified without a signal; the title follows here.
    updateTitle();
}

void CMainFrame::onFirstUpdate() {
    // Fit the frame to the 920 x 550 view.
    const QSize chrome = size() - view_->size();
    const QSize fit = CVoicePagerView::scrollSize() + chrome;
    const QScreen* s = screen();
    const QRect avail = s ? s->availableGeometry() : QRect(0, 0, 1920, 1080);
    // On a small screen the frame takes the work area (less its title bar and
    // borders) and the view shows the picture scaled down, whole.
    const QSize decoration = frameGeometry().size() - geometry().size();
    resize(fit.boundedTo(avail.size() - decoration.expandedTo(QSize(0, 0))));
    view_->startTimer0();
}

void CMainFrame::refreshCradles() {
    // Timer 0: assume no cradle until the refresh finds one.
    cradleConnected_ = cradleProbe_ && cradleProbe_();
    updateCommandUI();
}

void CMainFrame::runWithTimerStopped(const std::function<void()>& window) {
    view_->stopTimer0();
    window();
    view_->startTimer0();
    updateCommandUI();
}

void CMainFrame::onFileOpen() {
    if (busy())
        return;
    document_.document().onFileOpen();
    updateCommandUI();
}

void CMainFrame::onFileSave() {
    if (busy())
        return;
    if (document_.document().onFileSave())
        noteSaved();
    updateCommandUI();
}

void CMainFrame::onFileSaveAs() {
    if (busy())
        return;
    if (document_.document().onFileSaveAs())
        noteSaved();
    updateCommandUI();
}

SummaryReport CMainFrame::summaryReport() const {
    const CodeplugState& s = document_.state();
    return SummaryReport(s.image, s.currentFileName, s.shownFirmwareVersion);
}

void CMainFrame::onPrintPreview() {
    if (busy())
        return;
    previewOpen_ = true;
    view_->stopTimer0();
    showReportPreview(
        this, [this] { return summaryReport(); },
        [this](std::function<void()> close) { closePreview_ = std::move(close); });
    view_->startTimer0();
    previewOpen_ = false;
}

void CMainFrame::onPrint() {
    if (busy())
        return;
    printReport(this, summaryReport());
}

void CMainFrame::onExportPdf() {
    if (busy())
        return;
    const QString suggested =
        QString::fromStdString(suggestedFileBase(document_.state())) + QStringLiteral(".pdf");
    const QString folder = QString::fromStdString(document_.document().initialFolder());
    const QString path =
        QFileDialog::getSaveFileName(this, QString::fromUtf8(texts::kExportPdfTitle),
                                     folder + "/" + suggested, QStringLiteral("PDF Files(*.pdf)"));
    if (path.isEmpty())
        return;
    // The dialog's name in the file system's own bytes.
    if (std::string problem;
        !exportReportPdf(summaryReport(), QFile::encodeName(path).toStdString(), &problem)) {
        showStopMessage(this, std::string(texts::kPdfFailed) + path.toStdString() + "\n" + problem);
        return;
    }
    // Noted only for a file that is there and begins as a PDF does.
    QFile written(path);
    if (written.open(QIODevice::ReadOnly) && written.read(5) == "%PDF-")
        noteWritten(texts::kExportedNote, path);
}

void CMainFrame::noteWritten(const char* note, const QString& path) {
    statusBar()->showMessage(QString::fromUtf8(note).arg(fieldText(path)), kWrittenNoteMs);
}

void CMainFrame::noteSaved() {
    // The file read back: a codeplug file must hold the image saved, a text must read.
    const CodeplugState& state = document_.state();
    const std::string path = state.currentPath;
    const bool text = QFileInfo(QString::fromStdString(path))
                          .suffix()
                          .startsWith(QLatin1String("y"), Qt::CaseInsensitive);
    bool whole = false;
    if (text) {
        std::string why;
        whole = textplug::readTextFile(path, why).has_value();
    } else {
        const PpgReadResult back = readPpgFile(path);
        whole = back.status == PpgReadStatus::Ok && back.image == state.image;
    }
    if (whole)
        noteWritten(texts::kSavedNote, QString::fromStdString(path));
}

void CMainFrame::onExportText() {
    if (busy())
        return;
    const QString written = exportTextWithDialog(
        this, document_.state(), QString::fromStdString(document_.document().initialFolder()));
    if (!written.isEmpty())
        noteWritten(texts::kExportedNote, written);
}

void CMainFrame::onImportText() {
    if (busy())
        return;
    if (importTextWithDialog(this, document_.state(),
                             QString::fromStdString(document_.document().initialFolder())))
        document_.documentChanged();
}

void CMainFrame::runPagerOperation(PagerOperation op) {
    if (busy() || !runner_.hasBody(op))
        return;
    // Save and Save As refuse to run under an operation: the questions come first.
    if (op == PagerOperation::ReadCodeplug && !document_.document().settleBeforeRead())
        return;
    runner_.start(
        op,
        [this, op] {
            runningOperation_ = op;
            operationSucceeded_ = false;
            operationMs_ = -1;
            operationClock_.start();
            statusBar()->clearMessage();
            view_->stopTimer0();
            updateCommandUI();
        },
        [this] { emit pagerOperationFinished(); });
}

void CMainFrame::showOperationNote() {
    const qint64 ms = operationMs_ >= 0 ? operationMs_ : operationClock_.elapsed();
    operationClock_.invalidate();
    if (!operationSucceeded_.exchange(false))
        return; // a failure has had its message box; Cancel needs no word
    const char* note = runningOperation_ == PagerOperation::ReadCodeplug    ? texts::kNoteReadDone
                       : runningOperation_ == PagerOperation::WriteCodeplug ? texts::kNoteWriteDone
                                                                            : texts::kNoteAudioDone;
    statusBar()->showMessage(QString::fromUtf8(note).arg(
        QString::fromStdString(decimalText(static_cast<double>(ms) / 1000.0, 1)),
        QTime::currentTime().toString(QStringLiteral("HH:mm"))));
}

void CMainFrame::showReadCodeplug() {
    if (document_.state().currentPath.empty())
        document_.resetTitle();
    document_.openUserData();
}

void CMainFrame::onReadCodeplug() {
    runPagerOperation(PagerOperation::ReadCodeplug);
}
void CMainFrame::onWriteCodeplug() {
    runPagerOperation(PagerOperation::WriteCodeplug);
}
void CMainFrame::onWriteCustomAudio() {
    runPagerOperation(PagerOperation::WriteCustomAudio);
}

void CMainFrame::onWriteToAllCradles() {
    // As Write Codeplug: the committed image, nothing while another operation runs.
    if (busy() || !document_.state().loaded)
        return;
    std::vector<std::string> devices;
    for (const auto& c : listCradles(false).cradles)
        devices.push_back(c.devicePath);
    {
        // The fleet's pagers get the committed image: nothing may change it meanwhile.
        const BusyClaim claim(document_.state().busy);
        if (!claim)
            return;
        view_->stopTimer0();
        updateCommandUI();
        CFleetWriteDlg dialog(document_.state().image, devices, this,
                              document_.state().currentPath);
        dialog.setPagerEnded(inventory::recordFleetWrite);
        dialog.exec();
    }
    view_->startTimer0();
    updateCommandUI();
}

void CMainFrame::onInventory() {
    if (busy())
        return;
    runWithTimerStopped([this] {
        std::unique_ptr<inventory::InventoryStore> store;
        std::string problem;
        const std::string url = inventory::chosenInventoryUrl(inventory::inventoryUrlSetting());
        try {
            if (const auto location = inventory::parseInventoryUrl(url, problem))
                store = location->kind == inventory::InventoryLocation::Kind::None
                            ? nullptr
                            : inventory::openInventory(*location);
            if (!store && problem.empty())
                problem = "the inventory is turned off (none)";
        } catch (const inventory::SqlError& e) {
            problem = inventory::withoutPassword(url) + ": " + e.what();
        }
        const CodeplugState& state = document_.state();
        CInventoryWnd window(std::move(store), problem, state.loaded ? &state.image : nullptr,
                             this);
        window.setCodeplugOpener([this](const CodeplugImage& image, const std::string& title) {
            openInventoryCodeplug(image, title);
        });
        window.exec();
    });
}

void CMainFrame::openInventoryCodeplug(const CodeplugImage& image, const std::string& title) {
    CodeplugState& state = document_.state();
    if (state.modified && document_.askYesNoCancel(texts::kReplaceUnsaved) != Answer::Yes)
        return;
    // A codeplug of the inventory has no file: Save asks where it goes.
    state.loadBoth(image);
    state.checkImage();
    state.clearFirmwareVersion();
    state.currentPath.clear();
    state.currentFileName.clear();
    state.loaded = true;
    state.modified = true;
    document_.setDocumentTitle(title);
    document_.documentChanged();
    updateCommandUI();
}

void CMainFrame::onUserData() {
    if (busy() || !userData_)
        return;
    runWithTimerStopped(userData_);
}

void CMainFrame::onCustomAudio() {
    if (!customAudio_)
        return;
    runWithTimerStopped(customAudio_);
}

void CMainFrame::onSystemSetup() {
    if (busy())
        return;
    refreshCradles();
    if (!cradleConnected_ || !systemSetup_) {
        showStopMessage(this, texts::kCommunicationError1);
        return;
    }
    runWithTimerStopped(systemSetup_);
}

void CMainFrame::onHelp() {
    if (busy())
        return;
    openHelpAt("");
    helpFromKeyboard_ = false;
}

void CMainFrame::openHelpAt(const QString& section) {
    const auto file = helpFile();
    const QString path = QString::fromStdString(file.string());
    if (!QFileInfo::exists(path)) {
        showStopMessage(this, std::string(texts::kHelpMissing) + file.string());
        return;
    }
    // The manual opens in the program's own window, which needs no browser. Over a
    // modal window (User Data) it must belong to that window, or it could not be
    // used until the modal window closed.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = this;
    if (!helpViewer_ || helpViewer_->parentWidget() != owner) {
        delete helpViewer_;
        helpViewer_ = new CHelpViewer(path, owner);
        helpViewer_->setAttribute(Qt::WA_DeleteOnClose);
    }
    helpViewer_->showSection(section);
    helpViewer_->show();
    helpViewer_->raise();
    helpViewer_->activateWindow();
}

void CMainFrame::onHelpFromKeyboard() {
    // Recorded so that a dialog's own F1 handling does not open the manual twice.
    helpFromKeyboard_ = true;
    onHelp();
}

void CMainFrame::onAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    if (previewOpen_) {
        // Closing the frame during a preview ends the preview only.
        if (closePreview_)
            closePreview_();
        event->ignore();
        return;
    }
    // A pager operation cannot be abandoned half-way: a pager left in programming
    // mode, or half written, is worse than a frame that waits.
    if (busy()) {
        statusBar()->showMessage(QString::fromUtf8(texts::kOperationRunningNote), 5000);
        event->ignore();
        return;
    }
    if (customAudioCloseCheck_ && !customAudioCloseCheck_()) {
        event->ignore();
        return;
    }
    if (!document_.document().saveOnExit()) {
        event->ignore();
        return;
    }
    view_->stopTimer0();
    event->accept();
}

} // namespace quorl
