#pragma once

#include "editors/model_options_tab.h"
#include "editors/ui/editor_message.h"
#include "editors/ui/user_data_undo.h"

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;

namespace quorl {

class NumericEdit;
class SpinButtons;

// The Model Options tab: a thin view over ModelOptionsTab.
class COptionDlg : public QWidget {
    Q_OBJECT

public:
    COptionDlg(CodeplugState& state, QWidget* parent = nullptr);

    // Re-evaluated each time the tab is shown: switch modes may have changed.
    void applyPriorityScanRule();
    ModelOptionsTab& logic() { return logic_; }
    void setEditRecorder(EditRecorder recorder) { recorder_ = std::move(recorder); }
    // Shows the edit image again (after an undo or redo).
    void reload();

private:
    void refresh();
    void recordEdit(const QString& name) {
        if (recorder_)
            recorder_(name);
    }

    QtEditorMessages messages_;
    ModelOptionsTab logic_;
    std::array<QComboBox*, kModelOptionListCount> lists_{};
    NumericEdit* scanEdit_;
    SpinButtons* scanSpin_;
    QLabel* noScanNote_;
    NumericEdit* alertEdit_;
    SpinButtons* alertSpin_;
    QLabel* alertSec_;
    QLabel* alwaysOnNote_;
    EditRecorder recorder_;
};

} // namespace quorl
