#include "app/window_gallery.h"

#include "app/about_dialog.h"
#include "app/installation.h"
#include "app/main_frame.h"
#include "app/qt_profile_store.h"
#include "app/report_printing.h"
#include "app/summary_report.h"
#include "app/voice_pager_doc.h"
#include "app/voice_pager_view.h"
#include "audio/custom_audio_model.h"
#include "audio/ui/custom_audio_dlg.h"
#include "audio/ui/record_dlg.h"
#include "audio/ui/speak_dlg.h"
#include "audio/ui/tip_dlg.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/default_codeplug.h"
#include "codeplug/profile_store.h"
#include "editors/ui/channel_f1_dlg.h"
#include "editors/ui/data_tab_dlg.h"
#include "editors/ui/falshing_dlg.h"
#include "editors/ui/tone_table_dlg.h"
#include "link/ui/devices_dlg.h"
#include "link/ui/fleet_write_dlg.h"
#include "link/ui/progress_bar_dlg.h"
#include "link/ui/serial_comm_dlg.h"
#include "tones/page_sequence.h"
#include "tones/page_synthesis.h"
#include "tones/ui/find_tones_dlg.h"
#include "tones/ui/test_page_dlg.h"
#include "widgets/help_viewer.h"
#include "widgets/wave_output.h"

#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTabBar>
#include <memory>
#include <random>

namespace quorl {

namespace {

// Play buttons have nothing to talk to in a picture.
class SilentAudition : public AuditionPort {
public:
    void play(const AuditionRequest&, const std::function<void(int)>&) override {}
};

// Lets the window system and the layouts settle: show, polish, lay out, paint.
void settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::sendPostedEvents();
        QApplication::processEvents();
    }
}

void showAndVisit(const QString& name, QWidget& window, const WindowGallery::Visit& visit) {
    window.show();
    settle();
    visit(name, window);
}

std::unique_ptr<CodeplugState> sampleState(bool fiveChannels) {
    auto state = std::make_unique<CodeplugState>();
    state->loadBoth(
        makeDefaultCodeplug(fiveChannels ? vhfFiveChannelFactory() : uhfSingleChannelFactory()));
    state->loaded = true;
    state->currentFileName = fiveChannels ? "Default_VHF_5CH.ppg" : "Default_UHF_1CH.ppg";
    return state;
}

void visitUserData(CodeplugState& state, const QString& prefix, const QList<int>& pages,
                   const QStringList& pageNames, const WindowGallery::Visit& visit) {
    SilentAudition audition;
    CDataTabDlg window(state, audition, [] { return true; });
    window.setCustomAudioOpener([] {});
    window.show();
    settle();
    for (int i = 0; i < pages.size(); ++i) {
        window.tabBar()->setCurrentIndex(pages[i]);
        settle();
        visit(prefix + pageNames[i], window);
    }
}

} // namespace

WindowGallery::WindowGallery(std::filesystem::path scratch) : scratch_(std::move(scratch)) {}

QStringList WindowGallery::names() {
    return {QStringLiteral("main-window"),
            QStringLiteral("user-data-general"),
            QStringLiteral("user-data-model-options"),
            QStringLiteral("user-data-function-switches"),
            QStringLiteral("user-data-channel"),
            QStringLiteral("user-data-one-channel-general"),
            QStringLiteral("user-data-one-channel-channel"),
            QStringLiteral("tone-table-corvane"),
            QStringLiteral("tone-table-ge"),
            QStringLiteral("tone-table-plectron"),
            QStringLiteral("falsing-adjustment"),
            QStringLiteral("custom-audio"),
            QStringLiteral("custom-audio-tip"),
            QStringLiteral("custom-audio-speak"),
            QStringLiteral("custom-audio-record"),
            QStringLiteral("system-setup"),
            QStringLiteral("connected-devices"),
            QStringLiteral("progress"),
            QStringLiteral("test-page"),
            QStringLiteral("find-tones"),
            QStringLiteral("about"),
            QStringLiteral("print-preview"),
            QStringLiteral("user-data-undo"),
            QStringLiteral("fleet-write"),
            QStringLiteral("help-viewer")};
}

void WindowGallery::forEach(const Visit& visit) {
    {
        QtProfileStore profile;
        CVoicePagerDoc document(profile);
        document.state().loadBoth(makeDefaultCodeplug(vhfFiveChannelFactory()));
        document.state().loaded = true;
        document.setDocumentTitle("Default_VHF_5CH.ppg");
        CMainFrame frame(profile, document);
        frame.setCradleProbe([] { return true; });
        frame.view()->waitForPicture();
        showAndVisit(QStringLiteral("main-window"), frame, visit);
        frame.view()->stopTimer0();
    }
    const auto five = sampleState(true);
    const auto one = sampleState(false);
    visitUserData(*five, QStringLiteral("user-data-"),
                  {CDataTabDlg::GeneralPage, CDataTabDlg::ModelOptionsPage,
                   // Channel F3: calls and group calls, the busiest channel of the sample.
                   CDataTabDlg::FunctionSwitchesPage, CDataTabDlg::ChannelPage + 2},
                  {QStringLiteral("general"), QStringLiteral("model-options"),
                   QStringLiteral("function-switches"), QStringLiteral("channel")},
                  visit);
    visitUserData(*one, QStringLiteral("user-data-one-channel-"),
                  {CDataTabDlg::GeneralPage, CDataTabDlg::ChannelPage},
                  {QStringLiteral("general"), QStringLiteral("channel")}, visit);
    {
        CCorToneTable corvane(*five, 0);
        showAndVisit(QStringLiteral("tone-table-corvane"), corvane, visit);
    }
    {
        CGEToneTableDlg ge(*five, 0);
        showAndVisit(QStringLiteral("tone-table-ge"), ge, visit);
    }
    {
        CPLToneTableDlg plectron(*five, 0);
        showAndVisit(QStringLiteral("tone-table-plectron"), plectron, visit);
    }
    {
        CFalshingDlg falsing(*five, 0);
        showAndVisit(QStringLiteral("falsing-adjustment"), falsing, visit);
        falsing.reject();
    }
    {
        MemoryProfileStore profile;
        profile.writeString("Settings", "Tip_View", "1"); // the tip has its own picture
        // Paths as an installed program shows them, not the build machine's folders.
        CustomAudioModel model("/usr/share/tessaly-vi-quorl", scratch_ / "exist_file.jjb");
        SilentAudition audition;
        CCustomAudioDlg window(model, audition, profile, [] { return true; });
        showAndVisit(QStringLiteral("custom-audio"), window, visit);
        CTipDlg tip(profile, &window);
        showAndVisit(QStringLiteral("custom-audio-tip"), tip, visit);
        WaveOutput output;
        CSpeakDlg speak(QStringLiteral("SW A"), QStringLiteral("Scan mode"), output, &window);
        showAndVisit(QStringLiteral("custom-audio-speak"), speak, visit);
        CRecordDlg record(QStringLiteral("SW A"), 4.0, output, &window);
        record.showProgress(0.35, 1.6); // speaking, as the meter shows it
        showAndVisit(QStringLiteral("custom-audio-record"), record, visit);
    }
    {
        CSerialCommDlg setup;
        showAndVisit(QStringLiteral("system-setup"), setup, visit);
    }
    {
        CDevicesDlg devices;
        showAndVisit(QStringLiteral("connected-devices"), devices, visit);
    }
    {
        CProgressBarDlg progress;
        progress.setText(QStringLiteral("Reading 40%"));
        progress.setPosition(40);
        showAndVisit(QStringLiteral("progress"), progress, visit);
    }
    {
        CTestPageDlg testPage(five->image);
        testPage.channelCombo()->setCurrentIndex(2);
        showAndVisit(QStringLiteral("test-page"), testPage, visit);
    }
    {
        // A scanner's recording: F3 Call 2 then F3's Group 1, over a little noise.
        using namespace tones;
        PageTiming timing;
        timing.longSeconds = 4;
        std::vector<float> sound(4000, 0.0f);
        for (auto [call, group] : {std::pair{2, 0}, std::pair{0, 1}}) {
            const auto page = sequenceForEntry(five->image, {2, call, group}, timing);
            const auto part = synthesizePage(page.sequence, timing, 8000);
            sound.insert(sound.end(), part.begin(), part.end());
            sound.insert(sound.end(), 4000, 0.0f);
        }
        std::mt19937 rng(26);
        std::normal_distribution<float> hiss(0.0f, 0.01f);
        for (float& s : sound)
            s += hiss(rng);
        CFindTonesDlg finder(&five->image);
        finder.setToneUse([](const ToneUse&) {});
        finder.showRecording({sound, 8000, 1});
        showAndVisit(QStringLiteral("find-tones"), finder, visit);
    }
    {
        CAboutDlg about;
        showAndVisit(QStringLiteral("about"), about, visit);
    }
    {
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewDialog preview(&printer);
        const SummaryReport report(five->image, five->currentFileName, "");
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                         [&report](QPrinter* p) { paintReport(*p, report); });
        fitPreview(preview);
        showAndVisit(QStringLiteral("print-preview"), preview, visit);
    }
    {
        // A change made, and the Edit menu open on the step it can take back.
        SilentAudition audition;
        CDataTabDlg window(*five, audition, [] { return true; });
        // The menu as the program has it, Import Text included.
        window.setTextImporter(
            [](QWidget*, const CodeplugImage&) { return std::optional<CodeplugImage>(); });
        window.show();
        settle();
        window.tabBar()->setCurrentIndex(CDataTabDlg::ChannelPage);
        settle();
        window.channelPage()->enterTone({ToneKind::Tone1, 2}, QStringLiteral("1200"));
        auto* edit = window.findChild<QMenu*>(QStringLiteral("editMenu"));
        edit->popup(window.mapToGlobal(QPoint(8, 24)));
        settle();
        visit(QStringLiteral("user-data-undo"), *edit);
        edit->close();
        window.onCancel();
    }
    {
        CFleetWriteDlg fleet(five->image,
                             {"/dev/ttyUSB0", "/tmp/quorl-sim/tessaly-vi-cradle-2/tty"});
        showAndVisit(QStringLiteral("fleet-write"), fleet, visit);
    }
    {
        CHelpViewer help(QString::fromStdString(helpFile().string()));
        help.resize(900, 560);
        help.showSection(QStringLiteral("text"));
        showAndVisit(QStringLiteral("help-viewer"), help, visit);
    }
}

} // namespace quorl
