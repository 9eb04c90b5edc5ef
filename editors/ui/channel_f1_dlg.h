#pragma once

#include "codeplug/codeplug_state.h"
#include "editors/audition_port.h"
#include "editors/channel_tab.h"
#include "editors/ui/editor_message.h"
#include "editors/ui/user_data_undo.h"

#include <QWidget>
#include <array>
#include <functional>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QTimer;
class QToolButton;

namespace quorl {

class CTestPagePlayer;
class SpinButtons;

// The channel page of the User Data window. One instance serves Channel F1 to F5:
// the host sets the channel, then calls updateDutyState(), showCallTones(),
// showGroupTones() and loadChannel() each time it shows the page, and
// validateFrequency(true) when the user leaves it. Every rule lives in ChannelTab;
// this class mirrors its state and forwards the user's actions.
class CChannelF1Dlg : public QWidget {
    Q_OBJECT
public:
    CChannelF1Dlg(CodeplugState& state, AuditionPort& audition, QWidget* parent = nullptr);

    void setCurrentChannel(int channel);
    int currentChannel() const { return tab_.currentChannel(); }
    void updateDutyState();
    void showCallTones();
    void showGroupTones();
    void loadChannel();
    bool validateFrequency(bool suppressOutOfBandWarning);

    // Auditions: the host re-arms the lock-out with what is left of a running one
    // when the page is shown again, and greys the Play buttons when no cradle is
    // connected.
    void rearmAuditionTimer(int remainingMs);
    void setPlayButtonsEnabled(bool enabled);
    void setCradleConnected(std::function<bool()> connected);

    // Puts a tone into a box as if typed and confirmed with Enter: the tab's own
    // checks, snapping and messages apply. False when the tab refused it or the box
    // is a copy of another tone.
    bool enterTone(ToneSlot slot, const QString& text);

    // Opens the Falsing Adjustment dialog for the channel shown (the S key).
    void openFalsingAdjustment();

    void setEditRecorder(EditRecorder recorder) { recorder_ = std::move(recorder); }

    // For the host and tests.
    ChannelTab& logic() { return tab_; }
    QLineEdit* frequencyEdit() const { return frequency_; }
    QLineEdit* timerEdit() const { return timer_; }
    QLineEdit* toneEdit(ToneSlot slot) const;
    QToolButton* pickerButton(ToneSlot slot) const;
    QPushButton* playButton(int row) const { return rows_[static_cast<std::size_t>(row)].play; }
    QPushButton* testPageButton(int row) const {
        return rows_[static_cast<std::size_t>(row)].testPage;
    }
    QComboBox* alertCombo(int row) const { return rows_[static_cast<std::size_t>(row)].alert; }
    QComboBox* dutyCombo(int row) const { return rows_[static_cast<std::size_t>(row)].duty; }
    QComboBox* codingOptionCombo() const { return codingOption_; }
    QComboBox* toneSystemCombo() const { return toneSystem_; }
    QComboBox* resetFunctionCombo() const { return resetFunction_; }
    QSlider* squelchSlider() const { return squelch_; }
    QToolButton* timerUpButton() const { return timerUp_; }
    QToolButton* timerDownButton() const { return timerDown_; }
    QPushButton* clearAllTonesButton() const { return clearAll_; }
    QPushButton* falsingButton() const { return falsing_; }
    QLabel* dutyLabel() const { return dutyLabel_; }
    QLabel* csLabel(int row) const { return rows_[static_cast<std::size_t>(row)].cs; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Row {
        QLabel* name = nullptr;
        QLabel* cs = nullptr;
        QComboBox* alert = nullptr;
        QComboBox* vibrate = nullptr;
        QComboBox* duty = nullptr;
        QPushButton* play = nullptr;
        QPushButton* testPage = nullptr; // the page on the computer's sound output
    };
    struct ToneWidgets {
        QLineEdit* edit = nullptr;
        QToolButton* picker = nullptr;
    };

    void build();
    void buildRows(QGridLayout* grid);
    void setReadingTabOrder();
    void refresh();
    bool editKey(QLineEdit* edit, QKeyEvent* key);
    void runGuarded(const std::function<void()>& action);
    // A user's action: guarded as above, then one undo step named `name` when it
    // changed bytes.
    void runEdit(const QString& name, const std::function<void()>& action);
    QString boxStepName(ChannelTab::Box box, ToneSlot slot) const;
    void syncText(QLineEdit* edit);
    // The box's value checked as when it loses the focus.
    void checkBox(QLineEdit* edit);
    void pickTone(ToneSlot slot);
    void playAlert(int row);
    void playTestPage(int row);
    void auditionEnded();
    bool cradleConnected() const { return !cradleConnected_ || cradleConnected_(); }

    CodeplugState& state_;
    AuditionPort& audition_;
    QtEditorMessages messages_;
    ChannelTab tab_;
    std::function<bool()> cradleConnected_;
    bool busy_ = false; // a validation is showing a box: ignore focus changes meanwhile

    QLineEdit* frequency_ = nullptr;
    QComboBox* bandwidth_ = nullptr;
    QComboBox* toneSystem_ = nullptr;
    QComboBox* codingOption_ = nullptr;
    QComboBox* resetFunction_ = nullptr;
    QLineEdit* timer_ = nullptr;
    SpinButtons* timerSpin_ = nullptr;
    QToolButton* timerUp_ = nullptr;
    QToolButton* timerDown_ = nullptr;
    QLabel* timerSec_ = nullptr;
    QSlider* squelch_ = nullptr;
    QLabel* dutyLabel_ = nullptr;
    QPushButton* clearAll_ = nullptr;
    QPushButton* falsing_ = nullptr;
    std::array<ToneWidgets, kToneBoxes> tones_{};
    std::array<Row, kEntryRows> rows_{};
    QTimer* auditionTimer_ = nullptr;
    CTestPagePlayer* testPlayer_ = nullptr;
    int testPageRow_ = -1;
    EditRecorder recorder_;
};

} // namespace quorl
