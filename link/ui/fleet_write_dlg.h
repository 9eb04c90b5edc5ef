#pragma once

#include "codeplug/codeplug_image.h"
#include "link/fleet_operation.h"

#include <QDialog>
#include <functional>
#include <string>
#include <thread>
#include <vector>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace quorl {

// The line under the finished table: "3 written and verified, 1 failed". Kinds with
// no pager are left out; a write whose read-back found a difference counts as
// "not verified".
std::string fleetSummary(const std::vector<FleetResult>& results);

// "Write to All Cradles...": the connected cradles, each with a progress bar and its
// result; Write sends the codeplug to all of them at once, with Write Codeplug's own
// checks and messages per pager, and reads each one back to compare unless the
// technician turns that off; Save Log... appends the programming log.
class CFleetWriteDlg : public QDialog {
    Q_OBJECT
public:
    // `documentPath` is the codeplug's file, empty while it has none.
    CFleetWriteDlg(const CodeplugImage& image, std::vector<std::string> devices,
                   QWidget* parent = nullptr, std::string documentPath = {});
    ~CFleetWriteDlg() override;

    // What becomes of each pager as it ends, on that pager's worker thread, whether or
    // not a log is saved (the program records it in the inventory). Set before Write.
    void setPagerEnded(std::function<void(const FleetResult&)> ended) {
        pagerEnded_ = std::move(ended);
    }

    bool running() const { return worker_.joinable() && !finished_; }
    const std::vector<FleetResult>& results() const { return results_; }
    void startWrite();
    // Appends a row per pager (the document's file, or "(unsaved)", and the SHA-256 of
    // the image sent); false with the reason in `problem` when it cannot.
    bool saveLog(const std::string& path, std::string* problem = nullptr);
    // Refused while the pagers are being written.
    void reject() override;
    // The line under the table: how many pagers ended how (empty before a write).
    QString summaryText() const;
    // "serial: message" of the selected row, in full.
    QString detailsText() const;

signals:
    void writeFinished();

private:
    void showProgress(int row, const QString& phase, int percent);
    // A row's state by word and colour ("Writing", "Verifying", "Done", "Failed: ...").
    void showState(int row, const QString& word, bool failed, const QString& full);
    void showDetails();
    void showIdentity(int row, const QString& serial);
    void showResults(std::vector<FleetResult> results);

    CodeplugImage image_;
    std::vector<std::string> devices_;
    std::string documentPath_;
    std::function<void(const FleetResult&)> pagerEnded_;
    QTableWidget* table_;
    QLabel* empty_;
    QLabel* details_;
    QLabel* summary_;
    std::vector<QProgressBar*> bars_;
    std::vector<bool> wrote_; // a row's write phase has begun: a read now verifies
    QCheckBox* verify_;
    QPushButton* write_;
    QPushButton* saveLog_;
    QPushButton* close_;
    std::thread worker_;
    bool finished_ = false;
    std::vector<FleetResult> results_;
};

} // namespace quorl
