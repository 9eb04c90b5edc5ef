// "Preview ▶" and the fit bars of the Custom Audio window, through the built libVQ4.so.
#include "audio/custom_audio_model.h"
#include "audio/slot_fit.h"
#include "audio/ui/custom_audio_dlg.h"
#include "audio/ui/slot_preview_controls.h"
#include "audio/voice_build.h"
#include "codeplug/profile_store.h"
#include "test_files.h"

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

} // namespace
} // namespace quorl
