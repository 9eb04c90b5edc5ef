#include "link/ui/fleet_write_dlg.h"

#include "inventory/operation_record.h"
#include "link/fleet_write.h"
#include "link/programming_log.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cerrno>

namespace quorl {

namespace {

enum Column { kPort, kSerial, kProgress, kResult, kVerify, kColumns };

QString qt(const std::string& s) {
    return QString::fromStdString(s);
}

// Workers report from their own threads; the window is updated on its own.
class WindowObserver : public FleetObserver {
public:
    explicit WindowObserver(CFleetWriteDlg* dialog, std::function<void(int, QString, int)> progress,
                            std::function<void(int, QString)> identity)
        : dialog_(dialog), progress_(std::move(progress)), identity_(std::move(identity)) {}
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
            [f = identity_, row = static_cast<int>(cradle), serial = qt(identity.serialNumber)] {
                f(row, serial);
            },
            Qt::QueuedConnection);
    }
    void finished(std::size_t, const FleetResult& result) override {
        // Each pager goes to the inventory as it ends, whether or not a log is saved.
        inventory::recordOperations(inventory::fleetRecords(result, "write"));
    }

private:
    CFleetWriteDlg* dialog_;
    std::function<void(int, QString, int)> progress_;
    std::function<void(int, QString)> identity_;
};

} // namespace

CFleetWriteDlg::CFleetWriteDlg(const CodeplugImage& image, std::vector<std::string> devices,
                               QWidget* parent, std::string documentPath)
    : QDialog(parent), image_(image), devices_(std::move(devices)),
      documentPath_(std::move(documentPath)) {
    setWindowTitle(QStringLiteral("Write to All Cradles"));
    table_ = new QTableWidget(static_cast<int>(devices_.size()), kColumns, this);
    table_->setHorizontalHeaderLabels({QStringLiteral("Port"), QStringLiteral("Serial Number"),
                                       QStringLiteral("Progress"), QStringLiteral("Result"),
                                       QStringLiteral("Verify")});
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int row = 0; row < table_->rowCount(); ++row) {
        table_->setItem(row, kPort,
                        new QTableWidgetItem(qt(devices_[static_cast<std::size_t>(row)])));
        table_->setItem(row, kSerial, new QTableWidgetItem);
        table_->setItem(row, kResult, new QTableWidgetItem);
        table_->setItem(row, kVerify, new QTableWidgetItem);
        auto* bar = new QProgressBar(table_);
        bar->setRange(0, 100);
        bar->setValue(0);
        table_->setCellWidget(row, kProgress, bar);
        bars_.push_back(bar);
    }
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
    layout->addWidget(table_);
    layout->addLayout(buttons);
    resize(760, 120 + 32 * static_cast<int>(devices_.size()));

    connect(write_, &QPushButton::clicked, this, &CFleetWriteDlg::startWrite);
    connect(close_, &QPushButton::clicked, this, &CFleetWriteDlg::reject);
    connect(saveLog_, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getSaveFileName(
            this, QStringLiteral("Save Log"), QString(), QStringLiteral("CSV files (*.csv)"));
        std::string problem;
        if (!path.isEmpty() && !saveLog(path.toStdString(), &problem))
            QMessageBox::critical(
                this, QStringLiteral("Tessaly VI Quorl"),
                QStringLiteral("The log was not saved.\n%1").arg(QString::fromStdString(problem)));
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
            [this](int row, QString serial) { showIdentity(row, serial); });
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
    bars_[static_cast<std::size_t>(row)]->setValue(std::clamp(percent, 0, 100));
    bars_[static_cast<std::size_t>(row)]->setFormat(phase);
}

void CFleetWriteDlg::showIdentity(int row, const QString& serial) {
    table_->item(row, kSerial)->setText(serial);
}

void CFleetWriteDlg::showResults(std::vector<FleetResult> results) {
    results_ = std::move(results);
    finished_ = true;
    for (std::size_t i = 0; i < results_.size(); ++i) {
        const int row = static_cast<int>(i);
        table_->item(row, kSerial)->setText(qt(results_[i].identity.serialNumber));
        table_->item(row, kResult)->setText(qt(fleetResultText(results_[i])));
        table_->item(row, kVerify)->setText(qt(results_[i].verify));
        if (results_[i].outcome == OperationOutcome::Succeeded)
            bars_[i]->setValue(100);
    }
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
