// The choices of the Custom Audio window's Speak and Tidy windows reach the speech and
// the tidy steps.
#include "audio/pcm_wav.h"
#include "audio/spoken_recording.h"
#include "audio/ui/speak_dlg.h"
#include "audio/ui/tidy_dlg.h"
#include "tests/support/test_files.h"
#include "widgets/wave_output.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>

namespace quorl {
namespace {

// The voice's fundamental in Hz: the strongest repeat, 2.5 to 20 ms, of the loudest
// tenth of a second at 8 kHz.
double fundamentalHz(const std::vector<std::int16_t>& s) {
    const std::size_t window = 800;
    std::size_t loudest = 0;
    double most = -1;
    for (std::size_t at = 0; at + window + 160 < s.size(); at += 80) {
        double energy = 0;
        for (std::size_t i = at; i < at + window; ++i)
            energy += double(s[i]) * s[i];
        if (energy > most) {
            most = energy;
            loudest = at;
        }
    }
    std::size_t bestLag = 0;
    double best = -1e300;
    for (std::size_t lag = 20; lag <= 160; ++lag) {
        double sum = 0;
        for (std::size_t i = loudest; i < loudest + window; ++i)
            sum += double(s[i]) * s[i + lag];
        if (sum > best) {
            best = sum;
            bestLag = lag;
        }
    }
    return 8000.0 / static_cast<double>(bestLag);
}

TEST(SpeakWindow, SpeaksAtTheChosenPitch) {
    WaveOutput output;
    CSpeakDlg dialog(QStringLiteral("SW A"), QStringLiteral("Scan mode"), output);
    auto* pitch = dialog.findChild<QSpinBox*>(QStringLiteral("speakPitch"));
    pitch->setValue(10);
    const SpokenRecording low = dialog.speak();
    pitch->setValue(90);
    const SpokenRecording high = dialog.speak();
    ASSERT_EQ(low.problem, "");
    ASSERT_EQ(high.problem, "");
    EXPECT_GT(fundamentalHz(high.samples), 1.3 * fundamentalHz(low.samples));
}

// 0.3 s of silence, 0.5 s of a 440 Hz tone at a quarter of full scale, 0.4 s of
// silence, at 8 kHz.
std::vector<std::int16_t> toneBetweenSilences() {
    std::vector<std::int16_t> s(9600, 0);
    for (std::size_t i = 2400; i < 6400; ++i)
        s[i] = static_cast<std::int16_t>(
            std::lround(8192 * std::sin(2 * M_PI * 440 * static_cast<double>(i) / 8000.0)));
    return s;
}

double peakDb(const std::vector<std::int16_t>& s) {
    int peak = 1;
    for (const auto v : s)
        peak = std::max(peak, std::abs(static_cast<int>(v)));
    return 20 * std::log10(peak / 32768.0);
}

TEST(TidyWindow, RunsOnlyTheChosenStepsAtTheChosenSettings) {
    test::TempDir dir;
    const auto wav = pcmWavBytes(toneBetweenSilences(), 8000);
    std::ofstream(dir / "take.wav", std::ios::binary)
        .write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
    WaveOutput output;
    CTidyDlg dialog(QStringLiteral("SW A"), dir / "take.wav", {}, output);
    // As it opens: every step, the peak at -1 dB.
    EXPECT_NEAR(static_cast<double>(dialog.tidied().samples.size()), 4000.0, 320.0);
    EXPECT_NEAR(peakDb(dialog.tidied().samples), -1.0, 0.1);
    for (const char* step : {"tidyTrim", "tidyHighpass", "tidyCompress"})
        dialog.findChild<QCheckBox*>(QLatin1String(step))->setChecked(false);
    dialog.findChild<QDoubleSpinBox*>(QStringLiteral("tidyLevel"))->setValue(-6.0);
    // Untrimmed, the silences stay; the peak goes where it is now set.
    EXPECT_EQ(dialog.tidied().samples.size(), 9600u);
    EXPECT_NEAR(peakDb(dialog.tidied().samples), -6.0, 0.1);
    dialog.findChild<QCheckBox*>(QStringLiteral("tidyNormalize"))->setChecked(false);
    EXPECT_NEAR(peakDb(dialog.tidied().samples), 20 * std::log10(0.25), 0.1);
}

} // namespace
} // namespace quorl
