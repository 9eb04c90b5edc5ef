#include "editors/ui/channel_f1_dlg.h"
#include "editors/ui/edit_step_names.h"

#include "codeplug/channel_option_lists.h"
#include "editors/channel_audition.h"
#include "editors/channel_texts.h"
#include "editors/ui/falshing_dlg.h"
#include "editors/ui/tone_table_dlg.h"
#include "tones/page_sequence.h"
#include "tones/page_synthesis.h"
#include "tones/ui/test_page_player.h"
#include "tones/ui/tones_ui_texts.h"
#include "widgets/decimal_point_validator.h"
#include "widgets/level_scale.h"
#include "widgets/level_slider.h"
#include "widgets/message_box.h"
#include "widgets/spin_buttons.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorl {

namespace txt = texts::channel;

namespace {

QString qs(std::string_view s) {
    return systemText(s);
}

template <std::size_t N>
QComboBox* combo(QWidget* owner, const std::array<std::string_view, N>& items) {
    auto* c = new QComboBox(owner);
    for (auto item : items)
        c->addItem(qs(item));
    return c;
}

void setTextIfChanged(QLineEdit* edit, const std::string& text) {
    const QString q = QString::fromStdString(text);
    if (edit->text() != q)
        edit->setText(q);
}

void setIndexQuietly(QComboBox* c, int index) {
    const QSignalBlocker block(c);
    c->setCurrentIndex(index);
}

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

CChannelF1Dlg::CChannelF1Dlg(CodeplugState& state, AuditionPort& audition, QWidget* parent)
    : QWidget(parent), state_(state), audition_(audition), messages_(this), tab_(state, messages_),
      auditionTimer_(new QTimer(this)), testPlayer_(new CTestPagePlayer(this)) {
    setObjectName(QStringLiteral("channelPage"));
    // The row whose test page sounds offers to stop it.
    connect(testPlayer_, &CTestPagePlayer::playingChanged, this, [this](bool playing) {
        if (testPageRow_ >= 0)
            rows_[static_cast<std::size_t>(testPageRow_)].testPage->setText(
                qs(playing ? texts::tones::kStopButton : texts::tones::kTestPageButton));
    });
    auditionTimer_->setSingleShot(true);
    connect(auditionTimer_, &QTimer::timeout, this, &CChannelF1Dlg::auditionEnded);
    // A new window starts with auditions possible; a page destroyed during an
    // audition must not leave every later page locked.
    channelPlayReady() = true;
    build();
    tab_.create();
    refresh();
}

QLineEdit* CChannelF1Dlg::toneEdit(ToneSlot slot) const {
    return tones_[static_cast<std::size_t>(toneBoxIndex(slot))].edit;
}

QToolButton* CChannelF1Dlg::pickerButton(ToneSlot slot) const {
    return tones_[static_cast<std::size_t>(toneBoxIndex(slot))].picker;
}

void CChannelF1Dlg::build() {
    auto* outer = new QVBoxLayout(this);
    auto* top = new QGridLayout;
    outer->addLayout(top);

    frequency_ = new QLineEdit(this);
    frequency_->setMaxLength(11);
    frequency_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000.0000000")) + 16);
    bandwidth_ = combo(this, options::kBandwidth);
    toneSystem_ = combo(this, options::kToneSystem);
    codingOption_ = combo(this, options::kCodingOption);
    resetFunction_ = combo(this, options::kResetFunction);
    timer_ = new QLineEdit(this);
    timer_->setMaxLength(6);
    timer_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000.0")) + 16);
    // The arrow pair of the Model Options tab's boxes: one look for every stepped box.
    timerSpin_ = new SpinButtons(this);
    timerUp_ = timerSpin_->upButton();
    timerDown_ = timerSpin_->downButton();
    timerSec_ = new QLabel(qs(txt::kSec), this);
    auto* squelch = new LevelSlider(options::kSquelchPositions, this);
    squelch_ = squelch;
    dutyLabel_ = new QLabel(this);
    clearAll_ = new QPushButton(qs(txt::kClearAllTones), this);
    // The S key's dialog, where it can be seen.
    falsing_ = new QPushButton(qs(txt::kFalsingButton), this);
    falsing_->setObjectName(QStringLiteral("falsingButton"));
    falsing_->setAutoDefault(false);

    int r = 0;
    top->addWidget(new QLabel(qs(txt::kReceiverFrequency), this), r, 0);
    top->addWidget(frequency_, r++, 1);
    top->addWidget(new QLabel(qs(txt::kBandwidth), this), r, 0);
    top->addWidget(bandwidth_, r++, 1, Qt::AlignLeft);
    top->addWidget(new QLabel(qs(txt::kSquelch), this), r, 0);
    auto* squelchBox = new QVBoxLayout;
    // As wide as the old scale's text, with each name laid under its tick.
    squelch_->setFixedWidth(fontMetrics().horizontalAdvance(qs(txt::kSquelchScale)));
    auto* scale = new LevelScale(squelch, qs(txt::kSquelchScale), this);
    scale->setObjectName(QStringLiteral("squelchScale"));
    squelchBox->setSpacing(0);
    squelchBox->addWidget(squelch_);
    squelchBox->addWidget(scale);
    top->addLayout(squelchBox, r++, 1);
    r = 0;
    top->addWidget(new QLabel(qs(txt::kToneSystem), this), r, 2);
    top->addWidget(toneSystem_, r++, 3);
    top->addWidget(new QLabel(qs(txt::kCodingOption), this), r, 2);
    top->addWidget(codingOption_, r++, 3);
    top->addWidget(new QLabel(qs(txt::kResetFunction), this), r, 2);
    top->addWidget(resetFunction_, r++, 3);
    auto* timerBox = new QHBoxLayout;
    timerBox->addWidget(timer_);
    timerBox->addWidget(timerSpin_);
    timerBox->addWidget(timerSec_);
    top->addLayout(timerBox, r++, 3);
    top->addWidget(dutyLabel_, r, 0, 1, 2);
    top->addWidget(falsing_, r, 2, Qt::AlignLeft);
    top->addWidget(clearAll_, r, 3);
    top->setColumnStretch(4, 1);

    auto* grid = new QGridLayout;
    outer->addLayout(grid);
    buildRows(grid);
    outer->addStretch(1);

    setReadingTabOrder();

    // Edits: the keyboard rules, Enter and focus loss validate.
    for (QLineEdit* edit : {frequency_, timer_})
        edit->setValidator(new DecimalPointValidator(edit));
    frequency_->installEventFilter(this);
    timer_->installEventFilter(this);
    connect(frequency_, &QLineEdit::textEdited, this, [this](const QString& t) {
        tab_.otherKeyPressed();
        tab_.frequencyText = t.toStdString();
    });
    connect(timer_, &QLineEdit::textEdited, this, [this](const QString& t) {
        tab_.otherKeyPressed();
        tab_.timerText = t.toStdString();
    });
    for (int i = 0; i < kToneBoxes; ++i) {
        const ToneSlot slot = toneBoxSlot(i);
        QLineEdit* edit = tones_[static_cast<std::size_t>(i)].edit;
        edit->setValidator(new DecimalPointValidator(edit));
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, slot](const QString& t) {
            runEdit(step_names::tone(slot), [&] { tab_.toneTextEdited(slot, t.toStdString()); });
        });
        connect(tones_[static_cast<std::size_t>(i)].picker, &QToolButton::clicked, this,
                [this, slot] { pickTone(slot); });
    }

    // Combos and the slider store at once.
    const auto onIndex = [this](QComboBox* c, const QString& name, auto action) {
        connect(c, &QComboBox::currentIndexChanged, this, [this, name, action](int i) {
            if (i >= 0)
                runEdit(name, [&] { action(i); });
        });
    };
    onIndex(bandwidth_, QStringLiteral("Bandwidth"), [this](int i) { tab_.setBandwidth(i); });
    onIndex(toneSystem_, QStringLiteral("Tone System"), [this](int i) { tab_.setToneSystem(i); });
    onIndex(codingOption_, QStringLiteral("Coding Option"),
            [this](int i) { tab_.setCodingOption(i); });
    onIndex(resetFunction_, QStringLiteral("Reset Function"),
            [this](int i) { tab_.setResetFunction(i); });
    for (int row = 0; row < kEntryRows; ++row) {
        const Row& w = rows_[static_cast<std::size_t>(row)];
        onIndex(w.alert, step_names::row("Alert", row),
                [this, row](int i) { tab_.setAlert(row, i); });
        onIndex(w.vibrate, step_names::row("Vibrate", row),
                [this, row](int i) { tab_.setVibrate(row, i); });
        onIndex(w.duty, step_names::row("Duty", row), [this, row](int i) { tab_.setDuty(row, i); });
        connect(w.play, &QPushButton::clicked, this, [this, row] { playAlert(row); });
        connect(w.testPage, &QPushButton::clicked, this, [this, row] { playTestPage(row); });
    }
    connect(squelch_, &QSlider::valueChanged, this,
            [this](int v) { runEdit(QStringLiteral("Squelch"), [&] { tab_.setSquelch(v); }); });
    // The arrows take no focus, so they step from whatever the box shows.
    connect(timerUp_, &QToolButton::clicked, this, [this] {
        syncText(timer_);
        runEdit(QStringLiteral("Reset Timer"), [&] { tab_.stepResetTimer(true); });
    });
    connect(timerDown_, &QToolButton::clicked, this, [this] {
        syncText(timer_);
        runEdit(QStringLiteral("Reset Timer"), [&] { tab_.stepResetTimer(false); });
    });
    connect(falsing_, &QPushButton::clicked, this, &CChannelF1Dlg::openFalsingAdjustment);
    connect(clearAll_, &QPushButton::clicked, this,
            [this] { runEdit(QStringLiteral("Clear All Tones"), [&] { tab_.clearAllTones(); }); });

    // Every other control: the S key, and Enter and Escape kept from the window.
    for (QWidget* w : findChildren<QWidget*>())
        if (!qobject_cast<QLineEdit*>(w))
            w->installEventFilter(this);
}

void CChannelF1Dlg::setReadingTabOrder() {
    // Tab follows the page as it is read: the left column of the channel settings,
    // the right column, then each call row from its tones to its Play button.
    std::vector<QWidget*> order{frequency_,     bandwidth_, squelch_, toneSystem_, codingOption_,
                                resetFunction_, timer_,     falsing_, clearAll_};
    for (int row = 0; row < kEntryRows; ++row) {
        const bool call = row < kCallCount;
        const auto addTone = [&](ToneSlot slot) {
            const ToneWidgets& t = tones_[static_cast<std::size_t>(toneBoxIndex(slot))];
            order.push_back(t.edit);
            order.push_back(t.picker);
        };
        if (call) {
            addTone({ToneKind::Tone1, row + 1});
            addTone({ToneKind::Tone2, row + 1});
        } else {
            addTone({ToneKind::Group, row - kCallCount + 1});
        }
        const Row& w = rows_[static_cast<std::size_t>(row)];
        for (QWidget* x : {static_cast<QWidget*>(w.alert), static_cast<QWidget*>(w.vibrate),
                           static_cast<QWidget*>(w.duty), static_cast<QWidget*>(w.play),
                           static_cast<QWidget*>(w.testPage)})
            order.push_back(x);
    }
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
}

void CChannelF1Dlg::buildRows(QGridLayout* grid) {
    grid->addWidget(new QLabel(qs(txt::kCsHeading), this), 0, 1);
    grid->addWidget(new QLabel(qs(txt::kTone1), this), 0, 2);
    grid->addWidget(new QLabel(qs(txt::kTone2), this), 0, 4);
    grid->addWidget(new QLabel(qs(txt::kAlert), this), 0, 6);
    grid->addWidget(new QLabel(qs(txt::kVibrate), this), 0, 7);
    auto* duty = new QLabel(qs(txt::kDutyHeading), this);
    duty->setObjectName(QStringLiteral("dutyHeading"));
    grid->addWidget(duty, 0, 8);
    grid->setColumnStretch(11, 1);
    for (int row = 0; row < kEntryRows; ++row) {
        Row& w = rows_[static_cast<std::size_t>(row)];
        const bool call = row < kCallCount;
        const QString name = call
                                 ? qs(txt::kCallRowPrefix) + QString::number(row + 1)
                                 : qs(txt::kGroupRowPrefix) + QString::number(row - kCallCount + 1);
        w.name = new QLabel(name, this);
        w.cs = new QLabel(this);
        w.alert = combo(this, options::kAlert);
        w.vibrate = combo(this, options::kVibrate);
        w.duty = combo(this, options::kDuty);
        w.play = new QPushButton(qs(txt::kPlayPager), this);
        w.testPage = new QPushButton(qs(texts::tones::kTestPageButton), this);
        w.testPage->setAccessibleName(qs(texts::tones::kTestPageButton) + QLatin1Char(' ') + name);
        const int g = row + 1;
        grid->addWidget(w.name, g, 0);
        grid->addWidget(w.cs, g, 1);
        grid->addWidget(w.alert, g, 6);
        grid->addWidget(w.vibrate, g, 7);
        grid->addWidget(w.duty, g, 8);
        grid->addWidget(w.play, g, 9);
        grid->addWidget(w.testPage, g, 10);
        const auto addTone = [&](ToneSlot slot, int column) {
            auto& t = tones_[static_cast<std::size_t>(toneBoxIndex(slot))];
            t.edit = new QLineEdit(this);
            t.edit->setMaxLength(6);
            t.edit->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000.00")) + 16);
            t.picker = new QToolButton(this);
            t.picker->setText(qs(txt::kPickerButton));
            grid->addWidget(t.edit, g, column);
            grid->addWidget(t.picker, g, column + 1);
        };
        if (call) {
            addTone({ToneKind::Tone1, row + 1}, 2);
            addTone({ToneKind::Tone2, row + 1}, 4);
        } else {
            addTone({ToneKind::Group, row - kCallCount + 1}, 2);
        }
    }
}

void CChannelF1Dlg::refresh() {
    setTextIfChanged(frequency_, tab_.frequencyText);
    setTextIfChanged(timer_, tab_.timerText);
    setIndexQuietly(bandwidth_, tab_.bandwidth);
    setIndexQuietly(toneSystem_, tab_.toneSystem);
    setIndexQuietly(codingOption_, tab_.codingOption);
    setIndexQuietly(resetFunction_, tab_.resetFunction);
    {
        const QSignalBlocker block(squelch_);
        squelch_->setValue(tab_.squelch);
    }
    for (QWidget* w : {static_cast<QWidget*>(timer_), static_cast<QWidget*>(timerSpin_),
                       static_cast<QWidget*>(timerSec_)})
        w->setVisible(tab_.timerVisible);
    dutyLabel_->setText(QString::fromStdString(tab_.dutyLabel));

    for (int row = 0; row < kEntryRows; ++row) {
        const EntryRowView& v = tab_.rows[static_cast<std::size_t>(row)];
        const Row& w = rows_[static_cast<std::size_t>(row)];
        for (QWidget* x : {static_cast<QWidget*>(w.name), static_cast<QWidget*>(w.cs),
                           static_cast<QWidget*>(w.alert), static_cast<QWidget*>(w.vibrate),
                           static_cast<QWidget*>(w.duty), static_cast<QWidget*>(w.play),
                           static_cast<QWidget*>(w.testPage)})
            x->setVisible(v.visible);
        w.cs->setText(QString::fromStdString(v.label));
        setIndexQuietly(w.alert, v.alert);
        setIndexQuietly(w.vibrate, v.vibrate);
        setIndexQuietly(w.duty, v.duty);
        w.duty->setEnabled(tab_.dutyEnabled);
    }
    for (int i = 0; i < kToneBoxes; ++i) {
        const ToneBoxView& v = tab_.tones[static_cast<std::size_t>(i)];
        const ToneWidgets& w = tones_[static_cast<std::size_t>(i)];
        const ToneSlot s = toneBoxSlot(i);
        const int row = s.kind == ToneKind::Group ? kCallCount + s.index - 1 : s.index - 1;
        const bool visible = tab_.rows[static_cast<std::size_t>(row)].visible;
        setTextIfChanged(w.edit, v.text);
        w.edit->setVisible(visible);
        w.edit->setEnabled(v.enabled);
        w.picker->setVisible(visible && v.pickerVisible);
    }
}

void CChannelF1Dlg::runGuarded(const std::function<void()>& action) {
    const bool outer = !busy_;
    busy_ = true;
    action();
    if (outer) {
        busy_ = false;
        refresh();
    }
}

void CChannelF1Dlg::runEdit(const QString& name, const std::function<void()>& action) {
    const bool outer = !busy_;
    runGuarded(action);
    if (outer && recorder_)
        recorder_(name);
}

QString CChannelF1Dlg::boxStepName(ChannelTab::Box box, ToneSlot slot) const {
    switch (box) {
    case ChannelTab::Box::Frequency:
        return QStringLiteral("Frequency");
    case ChannelTab::Box::Timer:
        return QStringLiteral("Reset Timer");
    case ChannelTab::Box::Tone:
        break;
    }
    return step_names::tone(slot);
}

void CChannelF1Dlg::setCurrentChannel(int channel) {
    tab_.setCurrentChannel(channel);
}

void CChannelF1Dlg::updateDutyState() {
    runGuarded([&] { tab_.updateDutyState(); });
}

void CChannelF1Dlg::showCallTones() {
    runGuarded([&] { tab_.showCallTones(); });
}

void CChannelF1Dlg::showGroupTones() {
    runGuarded([&] { tab_.showGroupTones(); });
}

void CChannelF1Dlg::loadChannel() {
    runGuarded([&] { tab_.loadChannel(); });
}

bool CChannelF1Dlg::validateFrequency(bool suppressOutOfBandWarning) {
    bool ok = false;
    runGuarded([&] { ok = tab_.validateFrequency(suppressOutOfBandWarning); });
    return ok;
}

void CChannelF1Dlg::syncText(QLineEdit* edit) {
    const std::string t = edit->text().toStdString();
    if (edit == frequency_)
        tab_.frequencyText = t;
    else if (edit == timer_)
        tab_.timerText = t;
    else
        for (int i = 0; i < kToneBoxes; ++i)
            if (tones_[static_cast<std::size_t>(i)].edit == edit)
                tab_.tones[static_cast<std::size_t>(i)].text = t;
}

bool CChannelF1Dlg::editKey(QLineEdit* edit, QKeyEvent* key) {
    const int k = key->key();
    const auto mods = key->modifiers() & ~Qt::KeypadModifier;
    if (!isEnter(k))
        tab_.otherKeyPressed();
    switch (k) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Delete:
    case Qt::Key_F1: // the window's help
        return false;
    case Qt::Key_Space:
        return true;
    default:
        break;
    }
    if (mods == Qt::ControlModifier) {
        if (k == Qt::Key_C) {
            edit->copy();
            return true;
        }
        if (k == Qt::Key_V) {
            edit->paste();
            syncText(edit);
            return true;
        }
        return false;
    }
    if (isEnter(k)) {
        ChannelTab::Box box = ChannelTab::Box::Tone;
        ToneSlot slot{};
        if (edit == frequency_)
            box = ChannelTab::Box::Frequency;
        else if (edit == timer_)
            box = ChannelTab::Box::Timer;
        else
            for (int i = 0; i < kToneBoxes; ++i)
                if (tones_[static_cast<std::size_t>(i)].edit == edit)
                    slot = toneBoxSlot(i);
        syncText(edit);
        runEdit(boxStepName(box, slot), [&] { tab_.enterPressed(box, slot); });
        return true;
    }
    // A comma, from the main keys or a decimal-comma keypad, is the decimal point:
    // the box's validator turns it into one.
    if (k == Qt::Key_Backspace || k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_Period ||
        k == Qt::Key_Comma || (k >= Qt::Key_0 && k <= Qt::Key_9))
        return false;
    if (k == Qt::Key_S && !(mods & (Qt::ControlModifier | Qt::AltModifier)))
        openFalsingAdjustment();
    return true; // every other key is kept out of the numeric boxes
}

bool CChannelF1Dlg::eventFilter(QObject* watched, QEvent* event) {
    auto* edit = qobject_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (edit)
            return editKey(edit, key);
        if (isEnter(key->key()) || key->key() == Qt::Key_Escape)
            return true;
        if (key->key() == Qt::Key_S &&
            !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            openFalsingAdjustment();
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::FocusOut && edit && !busy_ && edit->isVisible())
        checkBox(edit);
    return QWidget::eventFilter(watched, event);
}

void CChannelF1Dlg::checkBox(QLineEdit* edit) {
    syncText(edit);
    if (edit == frequency_)
        runEdit(QStringLiteral("Frequency"), [&] { tab_.focusLost(ChannelTab::Box::Frequency); });
    else if (edit == timer_)
        runEdit(QStringLiteral("Reset Timer"), [&] { tab_.focusLost(ChannelTab::Box::Timer); });
    else
        for (int i = 0; i < kToneBoxes; ++i)
            if (tones_[static_cast<std::size_t>(i)].edit == edit)
                runEdit(step_names::tone(toneBoxSlot(i)),
                        [&] { tab_.focusLost(ChannelTab::Box::Tone, toneBoxSlot(i)); });
}

void CChannelF1Dlg::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event->key()) || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_S &&
        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
        openFalsingAdjustment();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CChannelF1Dlg::openFalsingAdjustment() {
    // A value typed and not yet checked is checked first: S may come before the
    // box loses the focus (and without a window manager the focus never moves).
    if (auto* edit = qobject_cast<QLineEdit*>(focusWidget());
        edit && isAncestorOf(edit) && !busy_ && edit->isVisible())
        checkBox(edit);
    runEdit(QStringLiteral("Falsing Adjustment"), [&] {
        CFalshingDlg dlg(state_, tab_.currentChannel(), this);
        dlg.exec();
    });
}

void CChannelF1Dlg::pickTone(ToneSlot slot) {
    runEdit(step_names::tone(slot), [&] {
        const ToneTable* table = tab_.beginPick(slot);
        if (!table)
            return;
        int result = QDialog::Rejected;
        const int channel = tab_.currentChannel();
        if (table == &corvaneToneTable()) {
            CCorToneTable dlg(state_, channel, this);
            result = dlg.exec();
        } else if (table == &geToneTable()) {
            CGEToneTableDlg dlg(state_, channel, this);
            result = dlg.exec();
        } else {
            CPLToneTableDlg dlg(state_, channel, this);
            result = dlg.exec();
        }
        tab_.finishPick(slot, result == QDialog::Accepted);
    });
}

void CChannelF1Dlg::playAlert(int row) {
    if (!channelPlayReady() || !AuditionState::process().allowed())
        return;
    setPlayButtonsEnabled(false);
    bool started = false;
    audition_.play(channelAlertRequest(tab_.rowAlert(row)), [this, &started](int durationMs) {
        started = true;
        channelPlayReady() = false;
        auditionTimer_->start(durationMs);
    });
    if (!started)
        setPlayButtonsEnabled(cradleConnected());
}

void CChannelF1Dlg::auditionEnded() {
    channelPlayReady() = true;
    AuditionState::process().allow();
    setPlayButtonsEnabled(cradleConnected());
}

void CChannelF1Dlg::rearmAuditionTimer(int remainingMs) {
    if (remainingMs <= 0)
        return;
    setPlayButtonsEnabled(false);
    auditionTimer_->start(remainingMs);
}

void CChannelF1Dlg::setPlayButtonsEnabled(bool enabled) {
    for (const Row& w : rows_)
        w.play->setEnabled(enabled);
}

void CChannelF1Dlg::setCradleConnected(std::function<bool()> connected) {
    cradleConnected_ = std::move(connected);
    if (!cradleConnected())
        setPlayButtonsEnabled(false);
}

} // namespace quorl

namespace quorl {

void CChannelF1Dlg::playTestPage(int row) {
    if (testPlayer_->playing()) {
        // A second press (of any row's button) stops the page that sounds.
        testPlayer_->stop();
        return;
    }
    // The tones as the tab holds them now, whether or not the window is confirmed.
    const bool call = row < kCallCount;
    const tones::PageRequest request{tab_.currentChannel(), call ? row + 1 : 0,
                                     call ? 0 : row - kCallCount + 1};
    const auto made = tones::sequenceForEntry(state_.editImage, request, {});
    if (!made.problem.empty()) {
        showMessageBox(this, QMessageBox::Information, qs(texts::tones::kCaption),
                       systemText(made.problem));
        return;
    }
    testPageRow_ = row;
    // The computer's output plays 8 kHz: ample for tones up to 3,400 Hz.
    testPlayer_->toggle(tones::synthesizePage(made.sequence, {}, 8000), this);
}

bool CChannelF1Dlg::enterTone(ToneSlot slot, const QString& text) {
    QLineEdit* edit = toneEdit(slot);
    if (!edit || !edit->isEnabled())
        return false;
    edit->setText(text);
    syncText(edit);
    bool accepted = false;
    runEdit(step_names::tone(slot),
            [&] { accepted = tab_.enterPressed(ChannelTab::Box::Tone, slot); });
    return accepted;
}

} // namespace quorl
