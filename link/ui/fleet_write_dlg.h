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
    CFleetWriteDlg(const CodeplugImage& image, std::vector<std::string> devices,
                   QWidget* parent = nullptr);
    ~CFleetWriteDlg() override;

    bool running() const { return worker_.joinable() && !finished_; }
    const std::vector<FleetResult>& results() const { return results_; }
    void startWrite();
    bool saveLog(const std::string& path);
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
