#include "app/inventory_window.h"

#include "link/sha256.h"
#include "textplug/codeplug_fields.h"
#include "textplug/text_diff.h"
#include "widgets/system_text.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace quorl {

namespace {

QTableWidget* tableOf(const QStringList& headings, const QString& name, QWidget* parent) {
    auto* table = new QTableWidget(0, static_cast<int>(headings.size()), parent);
    table->setHorizontalHeaderLabels(headings);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setAccessibleName(name);
    return table;
}

void fillRow(QTableWidget* table, int row, const std::vector<std::string>& texts) {
    for (std::size_t c = 0; c < texts.size(); ++c)
        table->setItem(row, static_cast<int>(c), new QTableWidgetItem(fieldText(texts[c])));
}

// A date box: a year, a month or a day, as YYYY, YYYY-MM or YYYY-MM-DD. Records carry
// ISO 8601 times, so a date compares as a prefix of them.
QLineEdit* dateBox(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setPlaceholderText(QStringLiteral("YYYY-MM-DD"));
    box->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral(R"(\d{0,4}(-\d{0,2}(-\d{0,2})?)?)")), box));
    box->setAccessibleName(name);
    return box;
}

// On or after `since` and on or before `until` (the whole of that day, month or year).
bool within(const std::string& at, const QString& since, const QString& until) {
    const std::string from = since.toStdString(), to = until.toStdString();
    return (from.empty() || at >= from) && (to.empty() || at.substr(0, to.size()) <= to);
}

bool matches(const inventory::InventoryRecord& r, const QString& filter) {
    for (const auto* text : {&r.serialNumber, &r.model, &r.station, &r.user})
        if (QString::fromStdString(*text).contains(filter, Qt::CaseInsensitive))
            return true;
    return false;
}

} // namespace

CInventoryWnd::CInventoryWnd(std::unique_ptr<inventory::InventoryStore> store,
                             const std::string& problem, const CodeplugImage* open, QWidget* parent)
    : QDialog(parent), store_(std::move(store)), open_image_(open) {
    setWindowTitle(tr("Inventory"));
    auto* layout = new QVBoxLayout(this);
    auto* filterLabel = new QLabel(tr("&Filter:"), this);
    filter_ = new QLineEdit(this);
    filter_->setPlaceholderText(tr("Serial number, model, station or user"));
    filterLabel->setBuddy(filter_);
    filter_->setAccessibleName(tr("Filter"));
    auto* sinceLabel = new QLabel(tr("&Since:"), this);
    since_ = dateBox(tr("Last operation since"), this);
    sinceLabel->setBuddy(since_);
    auto* untilLabel = new QLabel(tr("&Until:"), this);
    until_ = dateBox(tr("Last operation until"), this);
    untilLabel->setBuddy(until_);
    refresh_ = new QPushButton(tr("&Refresh"), this);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter_, 1);
    filterRow->addWidget(sinceLabel);
    filterRow->addWidget(since_);
    filterRow->addWidget(untilLabel);
    filterRow->addWidget(until_);
    filterRow->addWidget(refresh_);
    layout->addLayout(filterRow);

    auto* split = new QSplitter(Qt::Vertical, this);
    pagers_ = tableOf({tr("Serial Number"), tr("Model"), tr("Firmware"), tr("Last Operation"),
                       tr("Result"), tr("Time"), tr("Station"), tr("User")},
                      tr("Pagers"), split);
    history_ = tableOf({tr("Time"), tr("Operation"), tr("Result"), tr("Message"), tr("Station"),
                        tr("User"), tr("Cradle"), tr("Codeplug SHA-256")},
                       tr("History of the selected pager"), split);
    split->addWidget(pagers_);
    split->addWidget(history_);
    layout->addWidget(split, 1);

    comparison_ = new QPlainTextEdit(this);
    comparison_->setReadOnly(true);
    comparison_->setAccessibleName(tr("Comparison"));
    comparison_->setMaximumHeight(140);
    layout->addWidget(comparison_);

    status_ = new QLabel(this);
    status_->setTextFormat(Qt::PlainText);
    layout->addWidget(status_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    open_ = buttons->addButton(tr("Open this codeplug"), QDialogButtonBox::ActionRole);
    compare_ =
        buttons->addButton(tr("Compare with the open codeplug"), QDialogButtonBox::ActionRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(open_, &QPushButton::clicked, this, &CInventoryWnd::openChosen);
    connect(compare_, &QPushButton::clicked, this, &CInventoryWnd::compareChosen);
    connect(filter_, &QLineEdit::textChanged, this, &CInventoryWnd::showPagers);
    connect(since_, &QLineEdit::textChanged, this, &CInventoryWnd::showPagers);
    connect(until_, &QLineEdit::textChanged, this, &CInventoryWnd::showPagers);
    connect(refresh_, &QPushButton::clicked, this, &CInventoryWnd::refresh);
    connect(pagers_, &QTableWidget::itemSelectionChanged, this, &CInventoryWnd::showHistory);
    connect(history_, &QTableWidget::itemSelectionChanged, this, &CInventoryWnd::updateButtons);
    resize(900, 600);

    refresh_->setEnabled(store_ != nullptr);
    if (!store_)
        status_->setText(tr("The inventory cannot be opened: %1").arg(fieldText(problem)));
    refresh();
}

CInventoryWnd::~CInventoryWnd() = default;

void CInventoryWnd::refresh() {
    const int row = pagers_->currentRow();
    const std::string selected = row >= 0 && row < static_cast<int>(shownPagers_.size())
                                     ? shownPagers_[static_cast<std::size_t>(row)].serialNumber
                                     : std::string();
    if (store_) {
        try {
            allPagers_ = store_->pagers({});
            status_->clear();
        } catch (const inventory::SqlError& e) {
            status_->setText(tr("The inventory failed: %1").arg(fieldText(e.what())));
        }
    }
    showPagers();
    for (std::size_t i = 0; i < shownPagers_.size() && !selected.empty(); ++i)
        if (shownPagers_[i].serialNumber == selected)
            pagers_->selectRow(static_cast<int>(i));
}

void CInventoryWnd::showPagers() {
    shownPagers_.clear();
    for (const auto& r : allPagers_)
        if ((filter_->text().isEmpty() || matches(r, filter_->text())) &&
            within(r.at, since_->text(), until_->text()))
            shownPagers_.push_back(r);
    pagers_->setRowCount(static_cast<int>(shownPagers_.size()));
    for (std::size_t i = 0; i < shownPagers_.size(); ++i) {
        const auto& r = shownPagers_[i];
        fillRow(
            pagers_, static_cast<int>(i),
            {r.serialNumber, r.model, r.firmware, r.operation, r.result, r.at, r.station, r.user});
    }
    showHistory();
}

void CInventoryWnd::showHistory() {
    historyRecords_.clear();
    const int row = pagers_->currentRow();
    if (store_ && row >= 0 && row < static_cast<int>(shownPagers_.size()) &&
        !pagers_->selectedItems().isEmpty()) {
        try {
            historyRecords_ =
                store_->history(shownPagers_[static_cast<std::size_t>(row)].serialNumber);
        } catch (const inventory::SqlError& e) {
            status_->setText(tr("The inventory failed: %1").arg(fieldText(e.what())));
        }
    }
    history_->setRowCount(static_cast<int>(historyRecords_.size()));
    for (std::size_t i = 0; i < historyRecords_.size(); ++i) {
        const auto& r = historyRecords_[i];
        fillRow(history_, static_cast<int>(i),
                {r.at, r.operation, r.result, r.message, r.station, r.user, r.cradle,
                 r.codeplugSha256});
    }
    updateButtons();
}

void CInventoryWnd::updateButtons() {
    const int row = history_->currentRow();
    const bool has = row >= 0 && row < static_cast<int>(historyRecords_.size()) &&
                     !history_->selectedItems().isEmpty() &&
                     !historyRecords_[static_cast<std::size_t>(row)].codeplugSha256.empty();
    open_->setEnabled(has);
    compare_->setEnabled(has && open_image_ != nullptr);
}

std::optional<CodeplugImage> CInventoryWnd::chosenCodeplug() {
    const int row = history_->currentRow();
    if (row < 0 || row >= static_cast<int>(historyRecords_.size()))
        return std::nullopt;
    const std::string& sha = historyRecords_[static_cast<std::size_t>(row)].codeplugSha256;
    std::optional<std::vector<std::uint8_t>> bytes;
    try {
        bytes = store_->codeplug(sha);
    } catch (const inventory::SqlError& e) {
        status_->setText(tr("The inventory failed: %1").arg(fieldText(e.what())));
        return std::nullopt;
    }
    if (!bytes || bytes->size() != kImageSize || sha256Hex(*bytes) != sha) {
        status_->setText(tr("The inventory's codeplug %1 is missing or damaged.")
                             .arg(QString::fromStdString(sha)));
        return std::nullopt;
    }
    CodeplugImage image;
    std::copy(bytes->begin(), bytes->end(), image.bytes().begin());
    return image;
}

void CInventoryWnd::openChosen() {
    const auto image = chosenCodeplug();
    if (!image || !opener_)
        return;
    const auto& r = historyRecords_[static_cast<std::size_t>(history_->currentRow())];
    opener_(*image, r.serialNumber + " " + r.at);
    accept();
}

void CInventoryWnd::compareChosen() {
    const auto image = chosenCodeplug();
    if (!image || open_image_ == nullptr)
        return;
    const auto differences = textplug::diffFields(textplug::codeplugFields(*image),
                                                  textplug::codeplugFields(*open_image_));
    QString text = differences.empty() ? tr("The open codeplug holds the same values.")
                                       : tr("Values that differ (pager \u2192 open codeplug):");
    for (const auto& d : differences)
        text += QLatin1Char('\n') + fieldText(textplug::formatDifference(d));
    comparison_->setPlainText(text);
}

} // namespace quorl
