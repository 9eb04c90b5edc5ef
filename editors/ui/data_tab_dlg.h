#pragma once

#include "editors/audition_port.h"
#include "editors/user_data_window.h"

#include <QDialog>
#include <QHash>
#include <functional>
#include <optional>

class QAction;
class QPushButton;
class QScrollArea;
class QMenuBar;
class QStackedWidget;
class QToolBar;
class QTabBar;

namespace quorl {

class CMainDlg;
class COptionDlg;
class CSwitchDlg;
class CChannelF1Dlg;
class UserDataUndo;

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
    QScrollArea* scrollArea() const { return scroll_; }
    // Edit > Undo and Redo, named after the step they take back or make again.
    QAction* undoAction() const { return undoAction_; }
    QAction* redoAction() const { return redoAction_; }
    UserDataUndo& undo() { return *undo_; }

    // The Custom Audio window plugs in here.
    void setCustomAudioOpener(std::function<void()> opener);
    // Edit > Import Text...: asks for a text and gives the image it makes of `base`
    // under the editors' rules, or nothing when cancelled or refused (having said why).
    using TextImporter =
        std::function<std::optional<CodeplugImage>(QWidget* owner, const CodeplugImage& base)>;
    // Without an importer the menu has no Import Text entry.
    void setTextImporter(TextImporter importer);
    QAction* importTextAction() const { return importTextAction_; }
    // F1 inside the window opens the manual, once per key press.
    void setHelpOpener(std::function<void()> opener) { helpOpener_ = std::move(opener); }

public slots:
    void onOk();
    void onCancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void tabChanged(int index);
    // Before the selection moves: the page left checks what it holds.
    void leaveTab(int index);
    void fitToScreen();
    void widenForPage();
    void buildEditMenu();
    void undoOrRedo(bool undo);
    // Import Text onto the edit image, as one step.
    void importText();
    // Shows the images again after an undo or redo, on the tab where the step was made.
    void reshow(int tab);

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
    TextImporter textImporter_;
    UserDataUndo* undo_;
    QMenuBar* menuBar_ = nullptr;
    QToolBar* tools_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* redoAction_ = nullptr;
    QAction* importTextAction_ = nullptr;
    QHash<int, int> scrollOfTab_; // each tab keeps where it was scrolled to
    bool closing_ = false;
    bool fitted_ = false;
};

} // namespace quorl
