#include "editors/ui/data_tab_dlg.h"
#include "widgets/screen_placement.h"
#include "widgets/system_text.h"

#include "editors/ui/channel_f1_dlg.h"
#include "editors/ui/main_dlg.h"
#include "editors/ui/option_dlg.h"
#include "editors/ui/switch_dlg.h"
#include "editors/user_data_texts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace quorl {

namespace {} // namespace

CDataTabDlg::CDataTabDlg(CodeplugState& state, AuditionPort& audition,
                         std::function<bool()> cradleConnected, QWidget* parent)
    : QDialog(parent), state_(state), cradleConnected_(std::move(cradleConnected)),
      session_(state) {
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
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(scroll_, 1);
    layout->addLayout(buttons);
}

CDataTabDlg::~CDataTabDlg() = default;

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
    if (index >= ChannelPage)
        channel_->setFocus();
}

void CDataTabDlg::fitToScreen() {
    // The designed size holds the largest page without scrolling.
    QSize page;
    for (int i = 0; i < stack_->count(); ++i)
        page = page.expandedTo(stack_->widget(i)->sizeHint());
    const QSize designed(page.width() + 40, page.height() + tabs_->sizeHint().height() +
                                                viewCustomAudio_->sizeHint().height() + 60);
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
