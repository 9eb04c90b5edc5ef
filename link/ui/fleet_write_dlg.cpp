#include "link/ui/fleet_write_dlg.h"

#include "link/fleet_write.h"
#include "link/programming_log.h"
#include "widgets/message_box.h"
#include "widgets/system_text.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cerrno>

namespace quorl {

namespace {

enum Column { kPort, kSerial, kProgress, kState, kVerify, kColumns };

// Wide enough for a serial port's name and a short folder; longer paths give way
// in the middle and show whole in their tooltips.
constexpr int kPortColumnChars = 28;

// A message from a cradle's run; it may carry a port's name or the pager's texts.
QString qt(const std::string& s) {
    return systemText(s);
}

// Workers report from their own threads; the window is updated on its own.
class WindowObserver : public FleetObserver {
public:
    explicit WindowObserver(CFleetWriteDlg* dialog, std::function<void(int, QString, int)> progress,
                            std::function<void(int, QString)> identity,
                            std::function<void(const FleetResult&)> ended)
        : dialog_(dialog), progress_(std::move(progress)), identity_(std::move(identity)),
          ended_(std::move(ended)) {}
    void progress(std::size_t cradle, std::string_view phase, int percent) override {
        QMetaObject::invokeMethod(
            dialog_,
            [f = progress_, row = static_cast<int>(cradle), text = qt(std::string(phase)),
             percent] { f(row, text, percent); },
            Qt::QueuedConnection);
    }
    void identified(std::size_t cradle, const PagerIdentity& identity) override {
        QMetaObject::invokeMethod(
            dialog_,
            [f = identity_, row = static_cast<int>(cradle),
             serial = fieldText(identity.serialNumber)] { f(row, serial); },
            Qt::QueuedConnection);
    }
    void finished(std::size_t, const FleetResult& result) override {
        if (ended_)
            ended_(result);
    }

private:
    CFleetWriteDlg* dialog_;
    std::function<void(int, QString, int)> progress_;
    std::function<void(int, QString)> identity_;
    std::function<void(const FleetResult&)> ended_;
};

// Red and green that read on the window's own background, light or dark.
QColor stateColor(const QPalette& palette, bool failed) {
    const bool dark = palette.color(QPalette::Base).lightness() < 128;
    if (failed)
        return dark ? QColor(255, 120, 110) : QColor(180, 20, 20);
    return dark ? QColor(120, 220, 120) : QColor(20, 120, 40);
}

} // namespace

std::string fleetSummary(const std::vector<FleetResult>& results) {
    int verified = 0, written = 0, differ = 0, failed = 0;
    for (const auto& r : results) {
        if (r.outcome != OperationOutcome::Succeeded)
            ++failed;
        else if (r.verify.empty())
            ++written;
        else if (r.verify == "verified")
            ++verified;
        else
            ++differ;
    }
    std::string out;
    const auto part = [&out](int n, const char* what) {
        if (n == 0)
            return;
        if (!out.empty())
            out += ", ";
        out += std::to_string(n) + " " + what;
    };
    part(verified, "written and verified");
    part(written, "written");
    part(differ, "not verified");
    part(failed, "failed");
    return out;
}

CFleetWriteDlg::CFleetWriteDlg(const CodeplugImage& image, std::vector<std::string> devices,
                               QWidget* parent, std::string documentPath)
    : QDialog(parent), image_(image), devices_(std::move(devices)),
      documentPath_(std::move(documentPath)) {
    setWindowTitle(QStringLiteral("Write to All Cradles"));
    table_ = new QTableWidget(static_cast<int>(devices_.size()), kColumns, this);
    table_->setObjectName(QStringLiteral("cradleTable"));
    table_->setAccessibleName(QStringLiteral("Cradles"));
    table_->setHorizontalHeaderLabels({QStringLiteral("Port"), QStringLiteral("Serial Number"),
                                       QStringLiteral("Progress"), QStringLiteral("State"),
                                       QStringLiteral("Verify")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    // Long paths and messages lose their middle, never their ends.
    table_->setTextElideMode(Qt::ElideMiddle);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(kPort, QHeaderView::Interactive);
    header->setSectionResizeMode(kState, QHeaderView::Stretch);
    int portWidth = header->fontMetrics().horizontalAdvance(QStringLiteral("Port")) + 24;
    for (int row = 0; row < table_->rowCount(); ++row) {
        const QString port = fieldText(devices_[static_cast<std::size_t>(row)]);
        auto* item = new QTableWidgetItem(port);
        item->setToolTip(plainToolTip(port));
        table_->setItem(row, kPort, item);
        portWidth = std::max(portWidth, fontMetrics().horizontalAdvance(port) + 16);
        table_->setItem(row, kSerial, new QTableWidgetItem);
        table_->setItem(row, kState, new QTableWidgetItem(QStringLiteral("Ready")));
        table_->setItem(row, kVerify, new QTableWidgetItem);
        auto* bar = new QProgressBar(table_);
        bar->setRange(0, 100);
        bar->setValue(0);
        table_->setCellWidget(row, kProgress, bar);
        bars_.push_back(bar);
    }
    wrote_.assign(devices_.size(), false);
    header->resizeSection(kPort,
                          std::min(portWidth, fontMetrics().averageCharWidth() * kPortColumnChars));
    empty_ = new QLabel(
        QStringLiteral("No cradle is connected. Check that the cradle's USB cable is plugged in "
                       "and the pager sits in it, then open this window again. If the cradle "
                       "is plugged in, Tools > System Setup lists the ports the program sees."),
        this);
    empty_->setObjectName(QStringLiteral("noCradleNote"));
    empty_->setWordWrap(true);
    details_ = new QLabel(this);
    details_->setObjectName(QStringLiteral("details"));
    details_->setWordWrap(true);
    details_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    details_->setTextFormat(Qt::PlainText);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setTextFormat(Qt::PlainText);
    table_->setVisible(!devices_.empty());
    empty_->setVisible(devices_.empty());
    details_->setVisible(false);
    summary_->setText(summaryText());
    connect(table_, &QTableWidget::itemSelectionChanged, this, &CFleetWriteDlg::showDetails);

    // The read-back doubles the time per pager; a technician writing a batch that was
    // verified before may leave it out.
    verify_ = new QCheckBox(QStringLiteral("Read back and compare after writing"), this);
    verify_->setChecked(true);
    write_ = new QPushButton(QStringLiteral("Write"), this);
    saveLog_ = new QPushButton(QStringLiteral("Save Log..."), this);
    close_ = new QPushButton(QStringLiteral("Close"), this);
    saveLog_->setEnabled(false);
    write_->setEnabled(!devices_.empty());
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(verify_);
    buttons->addStretch();
    buttons->addWidget(write_);
    buttons->addWidget(saveLog_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_, 1);
    layout->addWidget(empty_);
    layout->addWidget(details_);
    layout->addWidget(summary_);
    layout->addLayout(buttons);
    resize(std::max(760, sizeHint().width()),
           160 + table_->verticalHeader()->defaultSectionSize() *
                     static_cast<int>(std::max<std::size_t>(devices_.size(), 1)));

    connect(write_, &QPushButton::clicked, this, &CFleetWriteDlg::startWrite);
    connect(close_, &QPushButton::clicked, this, &CFleetWriteDlg::reject);
    connect(saveLog_, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(
            this, QStringLiteral("Save Log"), QString(), QStringLiteral("CSV files (*.csv)"));
        std::string problem;
        if (!path.isEmpty() && !saveLog(path.toStdString(), &problem))
            showMessageBox(this, QMessageBox::Critical, QStringLiteral("Tessaly VI Quorl"),
                           QStringLiteral("The log was not saved.\n%1").arg(systemText(problem)));
    });
}

CFleetWriteDlg::~CFleetWriteDlg() {
    if (worker_.joinable())
        worker_.join();
}

void CFleetWriteDlg::startWrite() {
    if (worker_.joinable() || devices_.empty())
        return;
    write_->setEnabled(false);
    close_->setEnabled(false);
    verify_->setEnabled(false);
    worker_ = std::thread([this, verify = verify_->isChecked()] {
        WindowObserver observer(
            this,
            [this](int row, QString phase, int percent) { showProgress(row, phase, percent); },
            [this](int row, QString serial) { showIdentity(row, serial); }, pagerEnded_);
        auto results = writeToAllCradles(devices_, image_, verify, observer,
                                         documentPath_.empty() ? "(unsaved)" : documentPath_);
        QMetaObject::invokeMethod(
            this, [this, r = std::move(results)]() mutable { showResults(std::move(r)); },
            Qt::QueuedConnection);
    });
}

void CFleetWriteDlg::showProgress(int row, const QString& phase, int percent) {
    if (row < 0 || row >= static_cast<int>(bars_.size()))
        return;
    const auto i = static_cast<std::size_t>(row);
    bars_[i]->setValue(std::clamp(percent, 0, 100));
    bars_[i]->setFormat(phase);
    // The pager's own phase texts: reading (its identity, then the read-back after
    // the write) and writing.
    if (phase.startsWith(QLatin1String("Writ")))
        wrote_[i] = true;
    const QString word = phase.startsWith(QLatin1String("Read"))
                             ? (wrote_[i] ? QStringLiteral("Verifying") : QStringLiteral("Reading"))
                             : QStringLiteral("Writing");
    showState(row, word, false, word);
}

void CFleetWriteDlg::showState(int row, const QString& word, bool failed, const QString& full) {
    QTableWidgetItem* item = table_->item(row, kState);
    item->setText(word);
    item->setToolTip(plainToolTip(full));
    item->setData(Qt::UserRole, full);
    const bool ended = failed || word.startsWith(QLatin1String("Done"));
    if (ended)
        item->setForeground(stateColor(table_->palette(), failed));
    else
        item->setData(Qt::ForegroundRole, QVariant());
}

void CFleetWriteDlg::showDetails() {
    details_->setText(detailsText());
    details_->setVisible(!details_->text().isEmpty());
}

QString CFleetWriteDlg::detailsText() const {
    const auto rows = table_->selectionModel()->selectedRows();
    if (rows.isEmpty())
        return {};
    const int row = rows.first().row();
    const QString full = table_->item(row, kState)->data(Qt::UserRole).toString();
    if (full.isEmpty())
        return {};
    const QString serial = table_->item(row, kSerial)->text();
    return (serial.isEmpty() ? table_->item(row, kPort)->text() : serial) + QStringLiteral(": ") +
           full;
}

QString CFleetWriteDlg::summaryText() const {
    if (devices_.empty())
        return {};
    if (!finished_)
        return devices_.size() == 1 ? QStringLiteral("1 cradle connected.")
                                    : QStringLiteral("%1 cradles connected.").arg(devices_.size());
    return qt(fleetSummary(results_)) + QLatin1Char('.');
}

void CFleetWriteDlg::showIdentity(int row, const QString& serial) {
    table_->item(row, kSerial)->setText(serial);
}

void CFleetWriteDlg::showResults(std::vector<FleetResult> results) {
    results_ = std::move(results);
    finished_ = true;
    int firstProblem = -1;
    for (std::size_t i = 0; i < results_.size() && i < bars_.size(); ++i) {
        const int row = static_cast<int>(i);
        const FleetResult& r = results_[i];
        table_->item(row, kSerial)->setText(fieldText(r.identity.serialNumber));
        table_->item(row, kVerify)->setText(qt(r.verify));
        table_->item(row, kVerify)->setToolTip(plainToolTip(qt(r.verify)));
        const bool failed = r.outcome != OperationOutcome::Succeeded;
        const bool differs = !failed && !r.verify.empty() && r.verify != "verified";
        const QString text = qt(fleetResultText(r));
        if (failed) {
            showState(row, QStringLiteral("Failed: ") + text, true, text);
            // An empty bar marked Failed: the read before the write may have reached
            // 100 %, and a full bar reads as done.
            bars_[i]->setValue(0);
            bars_[i]->setFormat(QStringLiteral("Failed"));
        } else {
            const QString note = r.message.empty() ? QString() : QStringLiteral(": ") + text;
            showState(row, QStringLiteral("Done") + note, differs,
                      differs ? qt(r.verify) : (note.isEmpty() ? QStringLiteral("Done") : text));
            bars_[i]->setValue(100);
            bars_[i]->setFormat(QStringLiteral("Done"));
        }
        if ((failed || differs || !r.message.empty()) && firstProblem < 0)
            firstProblem = row;
    }
    summary_->setText(summaryText());
    // The first pager that needs a look has its whole message on the details line.
    if (firstProblem >= 0)
        table_->selectRow(firstProblem);
    close_->setEnabled(true);
    saveLog_->setEnabled(true);
    emit writeFinished();
}

bool CFleetWriteDlg::saveLog(const std::string& path, std::string* problem) {
    std::vector<ProgrammingLogRow> rows;
    for (const auto& r : results_)
        rows.push_back(programmingLogRow(r, "write"));
    return appendProgrammingLog(path, rows, problem);
}

void CFleetWriteDlg::reject() {
    // The pagers are being written: the window stays until every cradle is done.
    if (running())
        return;
    QDialog::reject();
}

} // namespace quorl
