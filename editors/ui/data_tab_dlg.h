#pragma once

#include "editors/audition_port.h"
#include "editors/user_data_window.h"

#include <QDialog>
#include <functional>

class QPushButton;
class QScrollArea;
class QStackedWidget;
class QTabBar;

namespace quorl {

class CMainDlg;
class COptionDlg;
class CSwitchDlg;
class CChannelF1Dlg;

// "User Data": the modal editor of the codeplug. Pages fill from the committed
// image and write into the edit image; OK and the title bar commit, Cancel throws
// the channel edits away.
class CDataTabDlg : public QDialog {
    Q_OBJECT

public:
    enum Page { GeneralPage, ModelOptionsPage, FunctionSwitchesPage, ChannelPage };

    CDataTabDlg(CodeplugState& state, AuditionPort& audition, std::function<bool()> cradleConnected,
                QWidget* parent = nullptr);
    ~CDataTabDlg() override;

    UserDataSession& session() { return session_; }
    QTabBar* tabBar() const { return tabs_; }
    QStackedWidget* pages() const { return stack_; }
    COptionDlg* optionPage() const { return options_; }
    CSwitchDlg* switchPage() const { return switches_; }
    CChannelF1Dlg* channelPage() const { return channel_; }
    QPushButton* viewCustomAudioButton() const { return viewCustomAudio_; }

    // The Custom Audio window plugs in here.
    void setCustomAudioOpener(std::function<void()> opener);
    // F1 inside the window opens the manual, once per key press.
    void setHelpOpener(std::function<void()> opener) { helpOpener_ = std::move(opener); }

public slots:
    void onOk();
    void onCancel();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void tabChanged(int index);
    // Before the selection moves: the page left checks what it holds.
    void leaveTab(int index);
    void fitToScreen();

    CodeplugState& state_;
    std::function<bool()> cradleConnected_;
    UserDataSession session_;
    QTabBar* tabs_;
    QStackedWidget* stack_;
    QScrollArea* scroll_;
    CMainDlg* general_;
    COptionDlg* options_;
    CSwitchDlg* switches_;
    CChannelF1Dlg* channel_;
    int shownTab_ = GeneralPage;
    QPushButton* viewCustomAudio_;
    std::function<void()> customAudioOpener_;
    std::function<void()> helpOpener_;
    bool closing_ = false;
    bool fitted_ = false;
};

} // namespace quorl
