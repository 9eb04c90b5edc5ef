#include "editors/ui/switch_dlg.h"
#include "editors/ui/edit_step_names.h"
#include "widgets/system_text.h"

#include "editors/user_data_texts.h"
#include "widgets/popup_combo_box.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace quorl {

namespace {

void setItems(QComboBox* combo, const std::vector<std::string>& items, int selected) {
    QSignalBlocker block(combo);
    QStringList wanted;
    for (const auto& i : items)
        wanted << QString::fromStdString(i);
    QStringList have;
    for (int i = 0; i < combo->count(); ++i)
        have << combo->itemText(i);
    if (have != wanted) {
        combo->clear();
        combo->addItems(wanted);
    }
    combo->setCurrentIndex(selected);
}

} // namespace

CSwitchDlg::CSwitchDlg(CodeplugState& state, AuditionPort& audition,
                       std::function<bool()> cradleConnected, QWidget* parent)
    : QWidget(parent), logic_(state, AuditionState::process()), audition_(audition),
      cradleConnected_(std::move(cradleConnected)) {
    setObjectName(QStringLiteral("functionSwitchesTab"));
    auto* layout = new QVBoxLayout(this);
    // Eight rows: close together, so that the tab needs no scrolling on a laptop.
    layout->setSpacing(2);
    const QMargins outer = layout->contentsMargins();
    layout->setContentsMargins(outer.left(), 4, outer.right(), 4);
    for (int k = 0; k < kSwitchCount; ++k)
        buildRow(k);
    for (int k = 0; k < kSwitchCount; ++k)
        layout->addWidget(rows_[static_cast<std::size_t>(k)].mode->parentWidget());
    layout->addStretch(1);

    auditionTimer_.setSingleShot(true);
    connect(&auditionTimer_, &QTimer::timeout, this, [this] {
        logic_.setCradleConnected(cradleConnected_ && cradleConnected_());
        logic_.auditionFinished();
        refresh();
    });
    logic_.open(cradleConnected_ && cradleConnected_());
    refresh();
}

void CSwitchDlg::buildRow(int k) {
    auto* box = new QGroupBox(QStringLiteral("SW-%1").arg(QChar('A' + k)), this);
    box->setObjectName(QStringLiteral("switchRow%1").arg(k));
    auto* grid = new QGridLayout(box);
    const QMargins m = grid->contentsMargins();
    grid->setContentsMargins(m.left(), 1, m.right(), 1);
    grid->setVerticalSpacing(1);
    RowWidgets& w = rows_[static_cast<std::size_t>(k)];
    w.mode = new QComboBox(box);
    w.alert = new QComboBox(box);
    w.announcement = new QComboBox(box);
    w.play = new QPushButton(systemText(texts::kPlayPager), box);
    w.play->setAutoDefault(false);
    w.duty = new QCheckBox(systemText(texts::kEnableDuty), box);
    w.pushToListen = new QCheckBox(systemText(texts::kPushToListen), box);
    w.scanLabel = new QLabel(systemText(texts::kScanChannel), box);
    w.scan1 = new QComboBox(box);
    w.scan2 = new PopupComboBox(box);
    w.priority = new QLabel(box);
    w.mode->setObjectName(QStringLiteral("mode"));
    w.alert->setObjectName(QStringLiteral("alertType"));
    w.announcement->setObjectName(QStringLiteral("announcement"));
    w.play->setObjectName(QStringLiteral("playPager"));
    w.duty->setObjectName(QStringLiteral("onOffDuty"));
    w.pushToListen->setObjectName(QStringLiteral("pushToListen"));
    w.scan1->setObjectName(QStringLiteral("scan1"));
    w.scan2->setObjectName(QStringLiteral("scan2"));
    w.priority->setObjectName(QStringLiteral("priorityNote"));
    grid->addWidget(new QLabel(systemText(texts::kModeLabel), box), 0, 0);
    grid->addWidget(w.mode, 0, 1);
    grid->addWidget(new QLabel(systemText(texts::kAlertTypeLabel), box), 0, 3);
    grid->addWidget(w.alert, 0, 4);
    grid->addWidget(new QLabel(systemText(texts::kAnnouncementLabel), box), 0, 5);
    grid->addWidget(w.announcement, 0, 6);
    grid->addWidget(w.play, 0, 7);
    // Under Play Pager, not between the mode list and "Alert Type :", which it
    // pushed apart in every row.
    grid->addWidget(w.priority, 1, 7);
    grid->addWidget(w.duty, 1, 1);
    grid->addWidget(w.pushToListen, 1, 3, 1, 2);
    grid->addWidget(w.scanLabel, 1, 5);
    auto* scans = new QHBoxLayout;
    scans->addWidget(w.scan1);
    scans->addWidget(w.scan2);
    grid->addLayout(scans, 1, 6);
    // Spare width goes after the last column, so every row's columns stay in line.
    grid->setColumnStretch(8, 1);

    connect(w.mode, &QComboBox::activated, this, [this, k](int i) {
        logic_.modeChanged(k, i);
        refresh();
        recordEdit(step_names::switchField("Mode", k));
    });
    connect(w.alert, &QComboBox::activated, this, [this, k](int i) {
        logic_.alertTypeChanged(k, i);
        refresh();
        recordEdit(step_names::switchField("Alert Type", k));
    });
    connect(w.announcement, &QComboBox::activated, this, [this, k](int i) {
        logic_.announcementChanged(k, i);
        refresh();
        recordEdit(step_names::switchField("Announcement", k));
    });
    connect(w.duty, &QCheckBox::clicked, this, [this, k](bool on) {
        logic_.dutyClicked(k, on);
        refresh();
        recordEdit(step_names::switchField("On/Off Duty", k));
    });
    connect(w.pushToListen, &QCheckBox::clicked, this, [this, k](bool on) {
        logic_.pushToListenClicked(k, on);
        refresh();
        recordEdit(step_names::switchField("Push To Listen", k));
    });
    connect(w.scan1, &QComboBox::activated, this, [this, k](int i) {
        logic_.scan1Changed(k, i);
        refresh();
        recordEdit(step_names::switchField("Scan Channel", k));
    });
    connect(w.scan2, &PopupComboBox::aboutToShowPopup, this, [this, k] {
        logic_.scan2Opened(k);
        refresh();
    });
    connect(w.scan2, &QComboBox::activated, this, [this, k](int i) {
        logic_.scan2Changed(k, i);
        refresh();
        recordEdit(step_names::switchField("Scan Channel", k));
    });
    connect(w.play, &QPushButton::clicked, this, [this, k] { play(k); });
    installRowMenu(k, box);
}

void CSwitchDlg::installRowMenu(int k, QGroupBox* box) {
    // On the frame and on each control in it: a list box takes the menu event for
    // itself and would not pass it on to the frame.
    QList<QWidget*> targets = box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    targets.prepend(box);
    for (QWidget* target : targets) {
        target->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(target, &QWidget::customContextMenuRequested, this,
                [this, k, target](const QPoint& at) { showRowMenu(k, target, at); });
    }
    // The menu key arrives as a menu event; Shift+F10, its usual stand-in, does not.
    auto* menuKey = new QAction(box);
    menuKey->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10));
    menuKey->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    box->addAction(menuKey);
    connect(menuKey, &QAction::triggered, this, [this, k, box] {
        QWidget* on = box->focusWidget() ? box->focusWidget() : box;
        showRowMenu(k, on, on->rect().center());
    });
}

void CSwitchDlg::showRowMenu(int k, QWidget* on, const QPoint& at) {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("switchRowMenu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QChar letter('A' + k);
    menu->setAccessibleName(QStringLiteral("SW-%1").arg(letter));
    QMenu* from = menu->addMenu(QStringLiteral("&Fill SW-%1 from").arg(letter));
    from->setObjectName(QStringLiteral("fillFromMenu"));
    for (int source = 0; source < kSwitchCount; ++source) {
        if (source == k)
            continue;
        QAction* entry = from->addAction(QStringLiteral("SW-&%1").arg(QChar('A' + source)));
        connect(entry, &QAction::triggered, this, [this, k, source] { fill(k, source); });
    }
    // From the keyboard the point may lie outside the control: the menu opens on it.
    menu->popup(on->mapToGlobal(on->rect().contains(at) ? at : on->rect().center()));
}

void CSwitchDlg::fill(int k, int source) {
    if (!logic_.fillFrom(k, source))
        return;
    refresh();
    recordEdit(step_names::fill(k));
}

void CSwitchDlg::play(int k) {
    const auto request = logic_.playPager(k);
    refresh();
    if (!request)
        return;
    bool started = false;
    audition_.play(*request, [this, &started](int durationMs) {
        started = true;
        auditionTimer_.start(durationMs);
    });
    // No audition (refused while an operation runs, or its message shown): the
    // buttons are usable again.
    if (!started)
        setPlayButtonsEnabled(cradleConnected_ && cradleConnected_());
}

void CSwitchDlg::reload() {
    const bool cradle = cradleConnected_ && cradleConnected_();
    // Not opening: while the pager still sounds an audition, Play Pager stays locked.
    logic_.show(cradle);
    // A running audition keeps the Play buttons locked.
    setPlayButtonsEnabled(cradle && !auditionTimer_.isActive());
}

void CSwitchDlg::rearmAuditionTimer(int remainingMs) {
    if (remainingMs > 0)
        auditionTimer_.start(remainingMs);
}

void CSwitchDlg::setPlayButtonsEnabled(bool enabled) {
    logic_.setCradleConnected(enabled);
    logic_.setPlayButtonsEnabled(enabled && AuditionState::process().allowed());
    refresh();
}

void CSwitchDlg::refresh() {
    for (int k = 0; k < kSwitchCount; ++k) {
        const SwitchRow& r = logic_.row(k);
        RowWidgets& w = rows_[static_cast<std::size_t>(k)];
        setItems(w.mode, r.modeItems, r.modeSelected);
        setItems(w.alert, r.alertItems, r.alertSelected);
        setItems(w.announcement, r.announcementItems, r.announcementSelected);
        setItems(w.scan1, r.scan1Items, r.scan1Selected);
        setItems(w.scan2, r.scan2Items, r.scan2Selected);
        w.alert->setEnabled(r.alertEnabled);
        w.announcement->setEnabled(r.announcementEnabled);
        {
            QSignalBlocker b1(w.duty), b2(w.pushToListen);
            w.duty->setChecked(r.dutyChecked);
            w.pushToListen->setChecked(r.pushToListenChecked);
        }
        w.duty->setEnabled(r.dutyEnabled);
        w.pushToListen->setEnabled(r.pushToListenEnabled);
        w.scanLabel->setVisible(r.scanVisible);
        w.scan1->setVisible(r.scanVisible);
        w.scan2->setVisible(r.scanVisible);
        w.priority->setText(QString::fromStdString(r.priorityLabel));
        w.play->setEnabled(r.playEnabled);
    }
    alignColumns();
}

void CSwitchDlg::alignColumns() {
    std::array<QGridLayout*, kSwitchCount> grids{};
    int columns = 0;
    for (int k = 0; k < kSwitchCount; ++k) {
        grids[static_cast<std::size_t>(k)] = qobject_cast<QGridLayout*>(
            rows_[static_cast<std::size_t>(k)].mode->parentWidget()->layout());
        columns = std::max(columns, grids[static_cast<std::size_t>(k)]->columnCount());
    }
    for (int c = 0; c < columns; ++c) {
        int widest = 0;
        for (QGridLayout* grid : grids)
            for (int r = 0; r < grid->rowCount(); ++r)
                if (QLayoutItem* item = grid->itemAtPosition(r, c)) {
                    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
                    grid->getItemPosition(grid->indexOf(item), &row, &column, &rowSpan,
                                          &columnSpan);
                    if (columnSpan == 1 && column == c && !item->isEmpty())
                        widest = std::max(widest, item->sizeHint().width());
                }
        for (QGridLayout* grid : grids)
            grid->setColumnMinimumWidth(c, widest);
    }
}

} // namespace quorl
