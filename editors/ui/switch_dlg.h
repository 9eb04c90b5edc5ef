#pragma once

#include "editors/audition_port.h"
#include "editors/function_switch_tab.h"
#include "editors/ui/user_data_undo.h"

#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace quorl {

class PopupComboBox;

// The Function Switches tab: eight framed rows over FunctionSwitchTab.
class CSwitchDlg : public QWidget {
    Q_OBJECT

public:
    CSwitchDlg(CodeplugState& state, AuditionPort& audition, std::function<bool()> cradleConnected,
               QWidget* parent = nullptr);

    FunctionSwitchTab& logic() { return logic_; }
    // Timer 6: a running audition's remaining time when the tab is shown again.
    void rearmAuditionTimer(int remainingMs);
    void setPlayButtonsEnabled(bool enabled);
    bool auditionTimerActive() const { return auditionTimer_.isActive(); }
    void setEditRecorder(EditRecorder recorder) { recorder_ = std::move(recorder); }
    // Shows the edit image again (after an undo or redo).
    void reload();

private:
    struct RowWidgets {
        QComboBox* mode;
        QComboBox* alert;
        QComboBox* announcement;
        QPushButton* play;
        QCheckBox* duty;
        QCheckBox* pushToListen;
        QLabel* scanLabel;
        QComboBox* scan1;
        PopupComboBox* scan2;
        QLabel* priority;
    };
    void buildRow(int k);
    // Right click or the menu key on any control of row `k` opens its menu.
    void installRowMenu(int k, QGroupBox* box);
    void showRowMenu(int k, QWidget* on, const QPoint& at);
    void fill(int k, int source);
    void refresh();
    // The eight rows are separate frames; their columns line up by giving every
    // row's column the width the widest row needs.
    void alignColumns();
    void play(int k);
    void recordEdit(const QString& name) {
        if (recorder_)
            recorder_(name);
    }

    FunctionSwitchTab logic_;
    AuditionPort& audition_;
    std::function<bool()> cradleConnected_;
    std::array<RowWidgets, kSwitchCount> rows_{};
    QTimer auditionTimer_;
    EditRecorder recorder_;
};

} // namespace quorl
