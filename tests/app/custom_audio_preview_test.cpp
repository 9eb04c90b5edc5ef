// "Preview ▶" and the fit bars of the Custom Audio window, through the built libVQ4.so.
#include "audio/custom_audio_model.h"
#include "audio/slot_fit.h"
#include "audio/ui/custom_audio_dlg.h"
#include "audio/ui/slot_preview_controls.h"
#include "audio/voice_build.h"
#include "codeplug/profile_store.h"
#include "modal_answerer.h"
#include "tests/support/test_files.h"

#include "audio/spoken_recording.h"
#include "audio/switch_announcements.h"
#include "audio/wav_check.h"
#include <QInputDialog>
#include <QLineEdit>
#include <QRegularExpression>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace quorl {
namespace {

class NoPager : public AuditionPort {
public:
    void play(const AuditionRequest&, const std::function<void(int)>&) override {}
};

class CustomAudioPreviewTest : public ::testing::Test {
protected:
    std::filesystem::path install = QUORL_TEST_STAGE_DATA_DIR;
    test::TempDir build;
    CustomAudioModel model{install, build / "exist_file.jjb"};
    NoPager port;
    MemoryProfileStore profile;
};

TEST_F(CustomAudioPreviewTest, TheBarShowsTheShareOfTheSlotTheDownloadStreamTakes) {
    profile.writeString("Settings", "Tip_View", "0");
    CCustomAudioDlg window(model, port, profile, [] { return false; });
    QSignalSpy heard(&window.previews(), &SlotPreviewControls::heard);
    const int slot = 5; // SW A
    while (!window.previews().row(slot).fit->format().endsWith(QLatin1Char('%')))
        ASSERT_TRUE(heard.wait(10000));
    // The stream the download itself builds for the slot's recording.
    VoiceBuild download(build / "BuildIMG");
    const auto stream = download.build(slot, model.activePath(slot).string());
    ASSERT_TRUE(stream);
    const auto bytes = std::filesystem::file_size(*stream);
    const auto percent = (bytes * 100 + kSlotCapacityBytes / 2) / kSlotCapacityBytes;
    EXPECT_EQ(window.previews().row(slot).fit->format(), QStringLiteral("%1 %").arg(percent));
    // 4-bit ADPCM: four blocks of 8,177 samples at 8 kHz.
    EXPECT_EQ(window.previews().row(slot).longest->text(), QStringLiteral("max 4.1 s"));
}

TEST_F(CustomAudioPreviewTest, PreviewPlaysTheDecodedStreamOrSaysWhyNot) {
    profile.writeString("Settings", "Tip_View", "0");
    CCustomAudioDlg window(model, port, profile, [] { return false; });
    QStringList problems;
    window.previews().showProblem = [&](const QString& text) { problems << text; };
    QSignalSpy playing(&window.previews(), &SlotPreviewControls::playing);
    const int slot = 0;
    window.previews().row(slot).preview->click();
    // Without a sound output the preview says so once the stream is ready.
    while (problems.isEmpty() && playing.isEmpty())
        ASSERT_TRUE(QSignalSpy(&window.previews(), &SlotPreviewControls::heard).wait(10000));

    VoiceBuild preview(build / "BuildIMG");
    const auto heard = preview.hear(model.activePath(slot).string(), 4, 3);
    ASSERT_TRUE(heard);
    std::vector<std::uint8_t> expected;
    for (const std::int16_t s : heard->samples) {
        expected.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(s) & 0xFF));
        expected.push_back(static_cast<std::uint8_t>(static_cast<std::uint16_t>(s) >> 8));
    }
    EXPECT_EQ(window.previews().lastPlayed, expected);
    if (!playing.isEmpty()) {
        EXPECT_EQ(window.previews().row(slot).preview->text(), QStringLiteral("Stop \u25A0"));
        window.previews().row(slot).preview->click(); // the second press stops
    } else {
        EXPECT_EQ(problems.value(0).toStdString(),
                  "No sound output device is available; the file cannot be played on this "
                  "computer.");
    }
    EXPECT_EQ(window.previews().previewing(), -1);
    EXPECT_EQ(window.previews().row(slot).preview->text(), QStringLiteral("Preview \u25B6"));
}

TEST_F(CustomAudioPreviewTest, SpeakSwitchNamesFillsTheSwitchSlotsAndAsksBeforeReplacing) {
    profile.writeString("Settings", "Tip_View", "0");
    CCustomAudioDlg window(model, port, profile, [] { return false; });
    // Every mode once over the two runs; SW A and SW B say the same both times.
    const std::array<int, 8> runs[] = {{0, 1, 2, 3, 4, 5, 6, 7}, {0, 1, 8, 9, 10, 11, 12, 13}};
    for (const auto& modes : runs) {
        window.switchModes = [modes] { return modes; };
        test::ModalAnswerer modals;
        modals.onNextModal([](QWidget* w) {
            auto* input = qobject_cast<QInputDialog*>(w);
            ASSERT_NE(input, nullptr);
            const qsizetype german =
                input->comboBoxItems().indexOf(QRegularExpression(QStringLiteral(".*\\(de\\)")));
            input->setTextValue(input->comboBoxItems().value(german));
            input->accept();
        });
        // The second run finds SW A and SW B already spoken: it asks, and keeps them.
        if (modes[2] == 8) {
            modals.pressOnNextBox(QMessageBox::No);
            modals.pressOnNextBox(QMessageBox::No);
        }
        window.speakSwitchNames();
        EXPECT_EQ(modals.pending(), 0);
        for (int k = 0; k < 8; ++k) {
            const auto path = window.model().activePath(5 + k);
            SCOPED_TRACE(path.string());
            const int mode = modes[static_cast<std::size_t>(k)];
            EXPECT_EQ(path, customAudioFolder() /
                                spokenFileName(5 + k, switchAnnouncement(mode, "de"), "de"));
            EXPECT_EQ(checkWav(path).status, WavCheck::Ok);
            EXPECT_TRUE(window.model().slot(5 + k).write);
        }
    }
}

} // namespace
} // namespace quorl
