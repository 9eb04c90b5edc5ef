#include "editors/ui/data_tab_dlg.h"
#include "codeplug/checksums.h"
#include "widgets/screen_placement.h"
#include "widgets/system_text.h"

#include "editors/ui/channel_f1_dlg.h"
#include "editors/ui/edit_step_names.h"
#include "editors/ui/main_dlg.h"
#include "editors/ui/option_dlg.h"
#include "editors/ui/switch_dlg.h"
#include "editors/ui/user_data_undo.h"
#include "editors/user_data_texts.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QStyle>
#include <QTabBar>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

namespace quorl {

namespace {} // namespace

CDataTabDlg::CDataTabDlg(CodeplugState& state, AuditionPort& audition,
                         std::function<bool()> cradleConnected, QWidget* parent)
    : QDialog(parent), state_(state), cradleConnected_(std::move(cradleConnected)), session_(state),
      undo_(nullptr) {
    setObjectName(QStringLiteral("userDataWindow"));
    setWindowTitle(systemText(texts::kUserDataTitle));
    setMinimumSize(410, 385);
    AuditionState::process().allow();

    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("userDataTabs"));
    // Clicking a tab takes the focus first, so an edit box being typed in checks
    // its value before the page changes.
    tabs_->setFocusPolicy(Qt::StrongFocus);
    const auto labels = userDataTabLabels(state_.image);
    for (const auto& label : labels)
        tabs_->addTab(QString::fromStdString(label));

    stack_ = new QStackedWidget;
    general_ = new CMainDlg(state_, stack_);
    options_ = new COptionDlg(state_, stack_);
    switches_ = new CSwitchDlg(state_, audition, cradleConnected_, stack_);
    // One channel page serves Channel F1 to F5.
    channel_ = new CChannelF1Dlg(state_, audition, stack_);
    channel_->setCradleConnected(cradleConnected_);
    stack_->addWidget(general_);
    stack_->addWidget(options_);
    stack_->addWidget(switches_);
    stack_->addWidget(channel_);
    stack_->setCurrentIndex(GeneralPage);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(stack_);
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    viewCustomAudio_ = new QPushButton(systemText(texts::kViewCustomAudio), this);
    ok->setObjectName(QStringLiteral("okButton"));
    cancel->setObjectName(QStringLiteral("cancelButton"));
    viewCustomAudio_->setObjectName(QStringLiteral("viewCustomAudio"));
    viewCustomAudio_->setEnabled(false);
    for (auto* b : {ok, cancel, viewCustomAudio_}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(ok, &QPushButton::clicked, this, &CDataTabDlg::onOk);
    connect(cancel, &QPushButton::clicked, this, &CDataTabDlg::onCancel);
    connect(viewCustomAudio_, &QPushButton::clicked, this, [this] {
        if (customAudioOpener_)
            customAudioOpener_();
    });
    connect(tabs_, &QTabBar::currentChanged, this, &CDataTabDlg::tabChanged);

    // Tab reads the window left to right: the pages, then "View Custom Audio", OK, Cancel.
    QWidget::setTabOrder(viewCustomAudio_, ok);
    QWidget::setTabOrder(ok, cancel);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(viewCustomAudio_);
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    // The steps start from the images as the pages left them after filling.
    undo_ = new UserDataUndo(
        state_, [this](int tab) { reshow(tab); }, this);
    options_->setEditRecorder([this](const QString& n) { undo_->record(n, ModelOptionsPage); });
    switches_->setEditRecorder(
        [this](const QString& n) { undo_->record(n, FunctionSwitchesPage); });
    channel_->setEditRecorder(
        [this](const QString& n) { undo_->record(n, ChannelPage + channel_->currentChannel()); });
    auto* layout = new QVBoxLayout(this);
    buildEditMenu();
    layout->setMenuBar(menuBar_);
    // The arrows share the menu's line, which leaves the pages the height a laptop's
    // screen can give them.
    menuBar_->setCornerWidget(tools_, Qt::TopRightCorner);
    layout->addWidget(tabs_);
    layout->addWidget(scroll_, 1);
    layout->addLayout(buttons);
}

CDataTabDlg::~CDataTabDlg() {
    // The stack and the boxes outlive this part of the window while its children
    // are deleted: neither may call back into it then.
    undo_->stack()->disconnect(this);
    for (QLineEdit* box : stack_->findChildren<QLineEdit*>())
        box->removeEventFilter(this);
}

void CDataTabDlg::buildEditMenu() {
    QUndoStack* stack = undo_->stack();
    undoAction_ = new QAction(this);
    redoAction_ = new QAction(this);
    undoAction_->setObjectName(QStringLiteral("undoAction"));
    redoAction_->setObjectName(QStringLiteral("redoAction"));
    undoAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    redoAction_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    undoAction_->setIcon(
        QIcon::fromTheme(QStringLiteral("edit-undo"), style()->standardIcon(QStyle::SP_ArrowBack)));
    redoAction_->setIcon(QIcon::fromTheme(QStringLiteral("edit-redo"),
                                          style()->standardIcon(QStyle::SP_ArrowForward)));
    const auto name = [](QAction* action, const QString& verb, const QString& step, bool enabled) {
        action->setText(step.isEmpty() ? verb : verb + QLatin1Char(' ') + step);
        action->setToolTip(action->text().remove(QLatin1Char('&')));
        action->setEnabled(enabled);
    };
    const auto update = [this, stack, name] {
        name(undoAction_, QStringLiteral("&Undo"), stack->undoText(), stack->canUndo());
        name(redoAction_, QStringLiteral("&Redo"), stack->redoText(), stack->canRedo());
    };
    connect(stack, &QUndoStack::indexChanged, this, update);
    update();
    connect(undoAction_, &QAction::triggered, this, [this] { undoOrRedo(true); });
    connect(redoAction_, &QAction::triggered, this, [this] { undoOrRedo(false); });

    menuBar_ = new QMenuBar(this);
    auto* edit = menuBar_->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("editMenu"));
    edit->addAction(undoAction_);
    edit->addAction(redoAction_);
    edit->addSeparator();
    importTextAction_ = edit->addAction(QStringLiteral("&Import Text..."));
    importTextAction_->setObjectName(QStringLiteral("importTextAction"));
    importTextAction_->setVisible(false);
    connect(importTextAction_, &QAction::triggered, this, &CDataTabDlg::importText);
    tools_ = new QToolBar(this);
    tools_->setObjectName(QStringLiteral("undoToolBar"));
    tools_->setAccessibleName(QStringLiteral("Undo and Redo"));
    tools_->addAction(undoAction_);
    tools_->addAction(redoAction_);

    // Ctrl+Tab and Ctrl+PgDn go to the next tab, with Shift or PgUp back, as in
    // every tabbed window.
    const auto stepTab = [this](int by) {
        const int n = tabs_->count();
        tabs_->setCurrentIndex((tabs_->currentIndex() + by + n) % n);
    };
    for (auto [keys, by] :
         {std::pair{QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Tab),
                                        QKeySequence(Qt::CTRL | Qt::Key_PageDown)},
                    1},
          std::pair{QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                                        QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
                    -1}}) {
        auto* action = new QAction(this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [stepTab, by = by] { stepTab(by); });
        addAction(action);
    }

    // Ctrl+Z in a number box takes back the last step of the window, not the
    // box's own typing: what the box shows is the step's value either way.
    for (QLineEdit* box : stack_->findChildren<QLineEdit*>())
        box->installEventFilter(this);
}

bool CDataTabDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            undoAction_->shortcuts().contains(QKeySequence(key->keyCombination())) ||
            redoAction_->shortcuts().contains(QKeySequence(key->keyCombination())))
            return true; // left unaccepted: the window's shortcut takes the key
    }
    return QDialog::eventFilter(watched, event);
}

void CDataTabDlg::undoOrRedo(bool undo) {
    // A change no action named (none is expected) joins the stack first, so the
    // step taken back is exactly the last one.
    undo_->record(QStringLiteral("Edit"), tabs_->currentIndex());
    if (undo)
        undo_->stack()->undo();
    else
        undo_->stack()->redo();
}

void CDataTabDlg::setTextImporter(TextImporter importer) {
    textImporter_ = std::move(importer);
    importTextAction_->setVisible(static_cast<bool>(textImporter_));
}

void CDataTabDlg::importText() {
    if (!textImporter_)
        return;
    const int tab = tabs_->currentIndex();
    // A value being typed is checked, and stored as its own step, before the text
    // builds on it.
    leaveTab(tab);
    // Onto the edit image: the text's rules are checked against what the window
    // holds now, and Cancel still drops the import with the rest.
    const auto image = textImporter_(this, state_.editImage);
    // A text that says what the window holds already changes nothing but the
    // checksums a save computes anyway: no step.
    if (!image || *image == preparedForFile(state_.editImage))
        return;
    const CodeplugImage committed = state_.image;
    state_.editImage = *image;
    reshow(tab);
    state_.image = committed;
    state_.modified = true;
    undo_->record(step_names::importText(), tab);
}

void CDataTabDlg::reshow(int tab) {
    scrollOfTab_[shownTab_] = scroll_->verticalScrollBar()->value();
    {
        // Not a tab change by the user: nothing the pages show is stored on the way.
        const QSignalBlocker block(tabs_);
        tabs_->setCurrentIndex(tab);
    }
    shownTab_ = tab;
    // The pages fill from the committed image; here they must show the edit image.
    // The undo stack puts both images back once the pages are filled.
    state_.image = state_.editImage;
    options_->reload();
    switches_->reload();
    if (tab >= ChannelPage) {
        channel_->setCurrentChannel(tab - ChannelPage);
        channel_->updateDutyState();
        channel_->showCallTones();
        channel_->showGroupTones();
        channel_->loadChannel();
    }
    stack_->setCurrentIndex(std::min(tab, static_cast<int>(ChannelPage)));
    scroll_->verticalScrollBar()->setValue(scrollOfTab_.value(tab, 0));
}

void CDataTabDlg::setCustomAudioOpener(std::function<void()> opener) {
    customAudioOpener_ = std::move(opener);
    viewCustomAudio_->setEnabled(static_cast<bool>(customAudioOpener_));
}

void CDataTabDlg::leaveTab(int index) {
    // The tab bar takes the focus first, so a box being typed in checks its value.
    tabs_->setFocus();
    if (index >= ChannelPage)
        channel_->validateFrequency(true);
}

void CDataTabDlg::tabChanged(int index) {
    leaveTab(shownTab_);
    scrollOfTab_[shownTab_] = scroll_->verticalScrollBar()->value();
    shownTab_ = index;
    const int remaining = AuditionState::process().remainingMs();
    switch (index) {
    case ModelOptionsPage:
        options_->applyPriorityScanRule();
        break;
    case FunctionSwitchesPage:
        switches_->rearmAuditionTimer(remaining);
        break;
    case GeneralPage:
        break;
    default:
        channel_->setCurrentChannel(index - ChannelPage);
        channel_->updateDutyState();
        channel_->showCallTones();
        channel_->showGroupTones();
        channel_->loadChannel();
        channel_->rearmAuditionTimer(remaining);
        break;
    }
    stack_->setCurrentIndex(std::min(index, static_cast<int>(ChannelPage)));
    widenForPage();
    // Each tab opens where it was left, at the top the first time.
    scroll_->verticalScrollBar()->setValue(scrollOfTab_.value(index, 0));
    if (index >= ChannelPage)
        channel_->setFocus();
}

void CDataTabDlg::fitToScreen() {
    // The designed size holds the largest page without scrolling.
    QSize page = stack_->sizeHint().expandedTo(stack_->minimumSizeHint());
    for (int i = 0; i < stack_->count(); ++i)
        page = page.expandedTo(stack_->widget(i)->sizeHint());
    // Beside the page the window holds its menu line, the tabs, the buttons, its
    // margins and the scroll area's frame, as laid out now.
    layout()->activate();
    const QSize designed = page + (size() - scroll_->viewport()->size());
    const QScreen* s = screen();
    const QSize avail = s ? s->availableGeometry().size() : QSize(1920, 1080);
    const WindowSize fit =
        fitUserDataWindow({designed.width(), designed.height()}, {avail.width(), avail.height()});
    resize(std::max(fit.width, minimumWidth()), std::max(fit.height, minimumHeight()));
    if (s)
        move(s->availableGeometry().center() - rect().center());
    // The rule counts the whole screen; panels and the title bar take part of it.
    ScreenPlacement::place(*this);
}

void CDataTabDlg::widenForPage() {
    // A channel page is as wide as its rows only once a channel is loaded: wider
    // than the first fit. The window grows while the screen has room.
    const int need = stack_->minimumSizeHint().width() - scroll_->viewport()->width();
    const QScreen* s = screen();
    if (!fitted_ || need <= 0 || !s)
        return;
    resize(std::min(width() + need, s->availableGeometry().width()), height());
    ScreenPlacement::place(*this);
}

void CDataTabDlg::showEvent(QShowEvent* event) {
    if (!fitted_) {
        fitted_ = true;
        fitToScreen();
    }
    QDialog::showEvent(event);
}

void CDataTabDlg::onOk() {
    if (!session_.ok())
        return; // the Custom Audio window had a missing file; both stay open
    closing_ = true;
    accept();
}

void CDataTabDlg::onCancel() {
    session_.cancel();
    closing_ = true;
    reject();
}

void CDataTabDlg::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape must not close the window behind a page's back.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    case Qt::Key_F1:
        if (!event->isAutoRepeat() && helpOpener_)
            helpOpener_();
        event->accept();
        return;
    case Qt::Key_S:
        // A click on the "Channel F1" header leaves the focus on the tab bar, whose
        // keys end here rather than on the page: S still belongs to the channel shown.
        if (stack_->currentIndex() == ChannelPage &&
            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            channel_->openFalsingAdjustment();
            event->accept();
            return;
        }
        QDialog::keyPressEvent(event);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CDataTabDlg::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    if (!session_.closeByTitleBar()) {
        event->ignore();
        return;
    }
    closing_ = true;
    event->accept();
    QDialog::reject();
}

void CDataTabDlg::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow())
        return;
    const bool cradle = cradleConnected_ && cradleConnected_();
    if (AuditionState::process().allowed()) {
        switches_->setPlayButtonsEnabled(cradle);
        channel_->setPlayButtonsEnabled(cradle);
    } else if (stack_->currentIndex() == FunctionSwitchesPage) {
        switches_->rearmAuditionTimer(AuditionState::process().remainingMs());
    } else if (stack_->currentIndex() == ChannelPage) {
        channel_->rearmAuditionTimer(AuditionState::process().remainingMs());
    }
}

} // namespace quorl
