#pragma once

#include "codeplug/codeplug_image.h"
#include "link/fleet_operation.h"

#include <QDialog>
#include <string>
#include <thread>
#include <vector>

class QCheckBox;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace quorl {

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

    bool running() const { return worker_.joinable() && !finished_; }
    const std::vector<FleetResult>& results() const { return results_; }
    void startWrite();
    // Appends a row per pager (the document's file, or "(unsaved)", and the SHA-256 of
    // the image sent); false with the reason in `problem` when it cannot.
    bool saveLog(const std::string& path, std::string* problem = nullptr);
    // Refused while the pagers are being written.
    void reject() override;

signals:
    void writeFinished();

private:
    void showProgress(int row, const QString& phase, int percent);
    void showIdentity(int row, const QString& serial);
    void showResults(std::vector<FleetResult> results);

    CodeplugImage image_;
    std::vector<std::string> devices_;
    std::string documentPath_;
    QTableWidget* table_;
    std::vector<QProgressBar*> bars_;
    QCheckBox* verify_;
    QPushButton* write_;
    QPushButton* saveLog_;
    QPushButton* close_;
    std::thread worker_;
    bool finished_ = false;
    std::vector<FleetResult> results_;
};

} // namespace quorl
