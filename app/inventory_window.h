#pragma once

#include "codeplug/codeplug_image.h"
#include "inventory/inventory_store.h"

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

namespace quorl {

// View > Inventory: every pager the store knows, filtered as typed and by the date of
// its last operation, read again on Refresh; the history of
// the selected pager; its codeplug of the selected operation opened as the
// document, or compared value by value with the open codeplug.
class CInventoryWnd : public QDialog {
    Q_OBJECT
public:
    // `store` may be null with `problem` saying why the inventory could not be opened.
    // `open` is the open codeplug (null when none).
    CInventoryWnd(std::unique_ptr<inventory::InventoryStore> store, const std::string& problem,
                  const CodeplugImage* open, QWidget* parent = nullptr);
    ~CInventoryWnd() override;

    // Called with the chosen codeplug and a title naming pager and time.
    void setCodeplugOpener(std::function<void(const CodeplugImage&, const std::string&)> opener) {
        opener_ = std::move(opener);
    }

    QTableWidget* pagers() const { return pagers_; }
    QTableWidget* history() const { return history_; }
    QLineEdit* filter() const { return filter_; }
    QLineEdit* since() const { return since_; }
    QLineEdit* until() const { return until_; }
    QPushButton* refreshButton() const { return refresh_; }
    QPushButton* openButton() const { return open_; }
    QPushButton* compareButton() const { return compare_; }
    QPlainTextEdit* comparison() const { return comparison_; }

private:
    // Reads the pagers from the store again, keeping the filters and the selection.
    void refresh();
    void showPagers();
    void showHistory();
    void updateButtons();
    // The selected operation's codeplug, checked against its hash.
    std::optional<CodeplugImage> chosenCodeplug();
    void openChosen();
    void compareChosen();

    std::unique_ptr<inventory::InventoryStore> store_;
    const CodeplugImage* open_image_;
    std::vector<inventory::InventoryRecord> allPagers_, shownPagers_, historyRecords_;
    std::function<void(const CodeplugImage&, const std::string&)> opener_;
    QLineEdit* filter_;
    QLineEdit* since_;
    QLineEdit* until_;
    QPushButton* refresh_;
    QTableWidget* pagers_;
    QTableWidget* history_;
    QPushButton* open_;
    QPushButton* compare_;
    QPlainTextEdit* comparison_;
    QLabel* status_;
};

} // namespace quorl
