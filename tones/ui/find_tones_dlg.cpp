#include "tones/ui/find_tones_dlg.h"

#include "base/decimal_text.h"
#include "codeplug/channel_block.h"
#include "codeplug/codeplug_layout.h"
#include "codeplug/coding_options.h"
#include "codeplug/general_block.h"
#include "tones/band_picture.h"
#include "tones/page_sequence.h"
#include "tones/tone_finder.h"
#include "tones/tone_matching.h"
#include "tones/ui/test_page_player.h"
#include "tones/ui/tone_strip.h"
#include "tones/ui/tones_ui_texts.h"
#include "widgets/system_text.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <thread>

namespace quorl {

namespace txt = texts::tones;

namespace {

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QString hzText(const std::vector<double>& hz) {
    QStringList parts;
    for (double f : hz)
        parts << QString::fromStdString(decimalText(f, 1));
    return parts.join(QStringLiteral(" - "));
}

QString codesText(const std::vector<double>& hz) {
    QStringList parts;
    for (double f : hz) {
        QStringList codes;
        for (const auto& m : tones::tableMatches(f))
            codes << qs(m.system) + QLatin1Char(' ') + qs(m.code);
        parts << (codes.isEmpty() ? QStringLiteral("-") : codes.join(QStringLiteral(", ")));
    }
    return parts.join(QStringLiteral(" / "));
}

} // namespace

struct CFindTonesDlg::Result {
    tones::Recording recording;
    std::string problem;
    std::vector<tones::FoundTone> found;
    std::vector<tones::FoundPage> pages;
    tones::Spectrogram picture;
};

CFindTonesDlg::CFindTonesDlg(const CodeplugImage* image, QWidget* parent)
    : QDialog(parent), player_(new CTestPagePlayer(this)) {
    if (image)
        image_ = *image;
    setWindowTitle(qs(txt::kFindTonesTitle));
    open_ = new QPushButton(qs(txt::kOpenRecording), this);
    status_ = new QLabel(this);
    status_->setTextFormat(Qt::PlainText);
    strip_ = new CToneStrip(this);
    table_ = new QTableWidget(0, 4, this);
    table_->setAccessibleName(QStringLiteral("Pages"));
    QStringList heads;
    for (auto h : txt::kPagesHeading)
        heads << qs(h);
    table_->setHorizontalHeaderLabels(heads);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    play_ = new QPushButton(qs(txt::kPlayPage), this);
    use_ = new QPushButton(qs(txt::kUseFor), this);
    auto* close = new QPushButton(qs(txt::kClose), this);
    play_->setEnabled(false);
    use_->setEnabled(false);

    auto* header = new QHBoxLayout;
    header->addWidget(open_);
    header->addWidget(status_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(play_);
    buttons->addWidget(use_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* top = new QVBoxLayout(this);
    top->addLayout(header);
    top->addWidget(strip_, 2);
    top->addWidget(table_, 1);
    top->addLayout(buttons);
    resize(760, 460);

    connect(open_, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getOpenFileName(this, qs(txt::kOpenRecording), QString(),
                                                          qs(txt::kRecordingFilter));
        if (!path.isEmpty())
            openRecording(path);
    });
    connect(table_, &QTableWidget::itemSelectionChanged, this, &CFindTonesDlg::onSelection);
    connect(play_, &QPushButton::clicked, this, &CFindTonesDlg::onPlay);
    connect(player_, &CTestPagePlayer::playingChanged, this, [this](bool playing) {
        play_->setText(qs(playing ? txt::kStopButton : txt::kPlayPage));
    });
    connect(use_, &QPushButton::clicked, this, &CFindTonesDlg::onUse);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::finished, player_, &CTestPagePlayer::stop);
}

CFindTonesDlg::~CFindTonesDlg() = default;

void CFindTonesDlg::setToneUse(std::function<void(const ToneUse&)> use) {
    use_fn_ = std::move(use);
    onSelection();
}

namespace {

void search(CFindTonesDlg::Result& r, int columns) {
    r.found = tones::findTones(r.recording.samples, r.recording.rate);
    r.pages = tones::groupPages(r.found);
    r.picture = tones::spectrogram(r.recording.samples, r.recording.rate, columns, 120);
}

} // namespace

void CFindTonesDlg::showRecording(tones::Recording recording) {
    Result r;
    r.recording = std::move(recording);
    search(r, std::max(200, strip_->width()));
    ++search_;
    showResult(r);
}

void CFindTonesDlg::openRecording(const QString& path) {
    player_->stop();
    status_->setText(qs(txt::kSearching));
    const unsigned id = ++search_;
    const std::string file = path.toStdString();
    const int columns = std::max(200, strip_->width());
    QPointer<CFindTonesDlg> self(this);
    // A long recording takes a moment: the window stays usable meanwhile.
    std::thread([self, id, file, columns] {
        auto r = std::make_shared<Result>();
        auto read = tones::readRecording(file);
        r->problem = read.problem;
        if (r->problem.empty()) {
            r->recording = std::move(read.recording);
            search(*r, columns);
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, id, r] {
                if (self && id == self->search_)
                    self->showResult(*r);
            },
            Qt::QueuedConnection);
    }).detach();
}

void CFindTonesDlg::showResult(const Result& r) {
    table_->setRowCount(0);
    if (!r.problem.empty()) {
        status_->setText(qs(txt::kCannotRead) + systemText(r.problem));
        found_.clear();
        pages_.clear();
        strip_->setRecording({}, 0, {});
        onSelection();
        emit searched();
        return;
    }
    recording_ = r.recording;
    found_ = r.found;
    pages_ = r.pages;
    const double seconds =
        static_cast<double>(recording_.samples.size()) / std::max(1, recording_.rate);
    strip_->setRecording(r.picture, seconds, found_);
    status_->setText(qs(txt::kFound).arg(found_.size()).arg(pages_.size()));
    table_->setRowCount(static_cast<int>(pages_.size()));
    for (std::size_t p = 0; p < pages_.size(); ++p) {
        const auto& page = pages_[p];
        QStringList calls;
        if (image_)
            for (const auto& e : tones::pagedEntries(*image_, page))
                calls << QString::fromStdString(tones::entryName(e));
        const QString cells[] = {
            QString::fromStdString(decimalText(page.start, 2)), hzText(page.hz), codesText(page.hz),
            image_ ? (calls.isEmpty() ? qs(txt::kNoCall) : calls.join(QStringLiteral(", ")))
                   : QString()};
        for (int c = 0; c < 4; ++c)
            table_->setItem(static_cast<int>(p), c, new QTableWidgetItem(cells[c]));
    }
    table_->resizeColumnsToContents();
    if (!pages_.empty())
        table_->selectRow(0);
    onSelection();
    emit searched();
}

int CFindTonesDlg::selectedPage() const {
    const auto rows = table_->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void CFindTonesDlg::onSelection() {
    const int page = selectedPage();
    play_->setEnabled(page >= 0);
    use_->setEnabled(page >= 0 && image_ && use_fn_);
    if (page < 0) {
        strip_->selectTones(-1, 0);
        return;
    }
    // The page's tones are consecutive found tones starting at its start.
    const auto& p = pages_[static_cast<std::size_t>(page)];
    const auto first = std::find_if(found_.begin(), found_.end(),
                                    [&](const tones::FoundTone& t) { return t.start == p.start; });
    strip_->selectTones(static_cast<int>(first - found_.begin()), static_cast<int>(p.hz.size()));
}

void CFindTonesDlg::onPlay() {
    const int page = selectedPage();
    if (player_->playing() || page < 0) {
        player_->stop();
        return;
    }
    // The page as recorded, from its first tone to the end of its last.
    const auto& p = pages_[static_cast<std::size_t>(page)];
    const auto first = std::find_if(found_.begin(), found_.end(),
                                    [&](const tones::FoundTone& t) { return t.start == p.start; });
    const auto& last = *(first + static_cast<std::ptrdiff_t>(p.hz.size()) - 1);
    const auto rate = static_cast<double>(recording_.rate);
    const auto from = static_cast<std::size_t>(p.start * rate);
    const auto to = std::min(recording_.samples.size(),
                             static_cast<std::size_t>((last.start + last.duration) * rate));
    const std::vector<float> part(recording_.samples.begin() + static_cast<std::ptrdiff_t>(from),
                                  recording_.samples.begin() + static_cast<std::ptrdiff_t>(to));
    player_->toggle(tones::resampleTo(part, recording_.rate, 8000), this);
}

void CFindTonesDlg::onUse() {
    const int page = selectedPage();
    if (page < 0 || !image_ || !use_fn_)
        return;
    if (const auto use = askUse(this, *image_, pages_[static_cast<std::size_t>(page)]))
        use_fn_(*use);
}

std::optional<ToneUse> CFindTonesDlg::askUse(QWidget* parent, const CodeplugImage& image,
                                             const tones::FoundPage& page) {
    QDialog dialog(parent);
    dialog.setWindowTitle(qs(txt::kUseForTitle));
    auto* channel = new QComboBox(&dialog);
    auto* entry = new QComboBox(&dialog);
    const int channels =
        std::clamp<int>(GeneralBlock(image).channelCount(), 1, layout::kChannelCount);
    for (int ch = 0; ch < channels; ++ch)
        channel->addItem(QString::fromStdString(tones::channelName(ch)));
    const bool twoTone = page.hz.size() == 2;
    // A two-tone page fits a call address, a long tone a group call: the entries
    // the channel's coding option uses.
    const auto fill = [&] {
        entry->clear();
        const CodingOption& option =
            codingOption(ConstChannelBlock(image, channel->currentIndex()).codingOption());
        const int count = twoTone ? option.calls : option.groups;
        for (int i = 1; i <= count; ++i)
            entry->addItem((twoTone ? QStringLiteral("Call ") : QStringLiteral("Group ")) +
                               QString::number(i),
                           i);
    };
    fill();
    QObject::connect(channel, &QComboBox::currentIndexChanged, &dialog, fill);
    auto* form = new QFormLayout(&dialog);
    auto* channelLabel = new QLabel(qs(txt::kChannel), &dialog);
    channelLabel->setBuddy(channel);
    channel->setAccessibleName(QStringLiteral("Channel"));
    auto* entryLabel = new QLabel(qs(txt::kCall), &dialog);
    entryLabel->setBuddy(entry);
    entry->setAccessibleName(QStringLiteral("Call"));
    form->addRow(new QLabel(hzText(page.hz) + QStringLiteral(" Hz"), &dialog));
    form->addRow(channelLabel, channel);
    form->addRow(entryLabel, entry);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted || entry->currentIndex() < 0)
        return std::nullopt;
    ToneUse use;
    use.channel = channel->currentIndex();
    (twoTone ? use.call : use.group) = entry->currentData().toInt();
    use.hz = page.hz;
    return use;
}

} // namespace quorl
