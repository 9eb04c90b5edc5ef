#include "editors/ui/tone_table_dlg.h"

#include "codeplug/tone_target.h"
#include "editors/channel_texts.h"
#include "editors/ui/editor_message.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

namespace quorl {

namespace txt = texts::channel;

namespace {
QString qs(std::string_view s) {
    return systemText(s);
}
} // namespace

CToneTableDlgBase::CToneTableDlgBase(const ToneTable& table, std::string_view title,
                                     CodeplugState& state, int channel, QWidget* parent)
    : QDialog(parent), table_(table), state_(state), channel_(channel),
      group_(new QButtonGroup(this)) {
    setWindowTitle(qs(title));
    setModal(true);
    group_->setExclusive(true);
    if (table.groupTitles.empty())
        buildRows();
    else
        buildFrames();

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(qs(txt::kOk), QDialogButtonBox::AcceptRole);
    buttons->addButton(qs(txt::kCancel), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout()->addWidget(buttons);
    fitToScreen();

    // Preselection: the tone the target names, matched as text first.
    const StoredTone current = targetTone(state_.editImage, channel_, ToneTarget::process());
    const auto chosen = static_cast<int>(preselectIndex(table_, current.tenthsHz));
    if (QRadioButton* r = radio(chosen))
        r->setChecked(true);
}

QGridLayout* CToneTableDlgBase::scrolledGrid(QVBoxLayout* outer) {
    auto* content = new QWidget;
    auto* grid = new QGridLayout(content);
    grid->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setWidget(content);
    outer->addWidget(scroll_, 1);
    return grid;
}

void CToneTableDlgBase::fitToScreen() {
    // The whole table where the screen has room; on a small screen (the Corvane
    // table is about 700 pixels high) the rows scroll and the buttons stay in view.
    QWidget* content = scroll_->widget();
    const QSize whole = content->sizeHint();
    const QScreen* s = screen();
    const int room = s ? s->availableGeometry().height() - 140 : whole.height();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const bool scrolls = whole.height() > room;
    scroll_->setMinimumSize(whole.width() + (scrolls ? bar : 0),
                            std::min(whole.height(), std::max(room, 120)));
}

QRadioButton* CToneTableDlgBase::radio(int index) const {
    return qobject_cast<QRadioButton*>(group_->button(index));
}

void CToneTableDlgBase::buildFrames() {
    auto* outer = new QVBoxLayout(this);
    QGridLayout* grid = scrolledGrid(outer);
    const auto size = static_cast<std::size_t>(table_.groupSize);
    for (std::size_t g = 0; g < table_.groupTitles.size(); ++g) {
        auto* frame = new QGroupBox(qs(table_.groupTitles[g]), this);
        auto* column = new QVBoxLayout(frame);
        column->addWidget(new QLabel(qs(txt::kFreqHeading), frame));
        for (std::size_t i = g * size; i < (g + 1) * size && i < table_.entries.size(); ++i) {
            auto* r =
                new QRadioButton(QString::fromStdString(entryCaption(table_.entries[i])), frame);
            group_->addButton(r, static_cast<int>(i));
            column->addWidget(r);
        }
        grid->addWidget(frame, static_cast<int>(g / 4), static_cast<int>(g % 4));
    }
}

void CToneTableDlgBase::buildRows() {
    auto* outer = new QVBoxLayout(this);
    QGridLayout* grid = scrolledGrid(outer);
    const int perRow = table_.groupSize;
    for (int c = 0; c < perRow; ++c)
        grid->addWidget(new QLabel(qs(txt::kFreqHeading), this), 0, c);
    for (std::size_t i = 0; i < table_.entries.size(); ++i) {
        auto* r = new QRadioButton(QString::fromStdString(entryCaption(table_.entries[i])), this);
        group_->addButton(r, static_cast<int>(i));
        const int n = static_cast<int>(i);
        grid->addWidget(r, 1 + n / perRow, n % perRow);
    }
}

void CToneTableDlgBase::accept() {
    const int r = group_->checkedId();
    if (r < 0 || static_cast<std::size_t>(r) >= table_.entries.size()) {
        QDialog::reject();
        return;
    }
    selected_ = r;
    const ToneTableEntry& entry = table_.entries[static_cast<std::size_t>(r)];
    selectedText_ =
        QString::fromUtf8(entry.frequency.data(), static_cast<qsizetype>(entry.frequency.size()));
    const std::uint16_t t = entryTenths(entry);
    const ToneTarget& target = ToneTarget::process();
    storeTone1(state_, channel_, target, t);
    storeTone2(state_, channel_, target, t);
    storeGroupTone(state_, channel_, target, t);
    QDialog::accept();
}

} // namespace quorl
