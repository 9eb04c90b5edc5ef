// "Record..." of the Custom Audio window against a sound server the test starts itself:
// a private PulseAudio daemon whose only input is a 1 kHz test tone. Qt Multimedia binds
// to one sound server for the life of a process, so each test needs a process of its
// own (ctest runs every test so).
#include "audio/custom_audio_model.h"
#include "audio/spoken_recording.h"
#include "audio/ui/custom_audio_dlg.h"
#include "audio/ui/record_dlg.h"
#include "audio/wav_check.h"
#include "codeplug/profile_store.h"
#include "modal_answerer.h"
#include "tests/support/test_files.h"
#include "widgets/wave_output.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTest>
#include <dlfcn.h>
#include <fstream>
#include <gtest/gtest.h>

namespace quorl {
namespace {

class NoPager : public AuditionPort {
public:
    void play(const AuditionRequest&, const std::function<void(int)>&) override {}
};

// A PulseAudio daemon of the test's own, in a private runtime folder, reached through
// PULSE_SERVER; it goes when the test ends.
class PulseServer {
public:
    // `source` is the module that makes its input, empty for a server with none.
    bool start(const QString& source) {
        const QString daemon = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (daemon.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("pactl")).isEmpty()) {
            why_ = "pulseaudio and pulseaudio-utils are not installed";
            return false;
        }
        const QString folder = QString::fromStdString(dir_.path().string());
        const QString socket = folder + QStringLiteral("/native");
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), folder);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder);
        daemon_.setProcessEnvironment(env);
        daemon_.setProcessChannelMode(QProcess::MergedChannels);
        // -n: none of the system's modules (no real sound card, no sink); anonymous
        // access, so no cookie is needed. Running as root (as in CI) only warns.
        QStringList args{QStringLiteral("-n"),
                         QStringLiteral("--daemonize=no"),
                         QStringLiteral("--exit-idle-time=-1"),
                         QStringLiteral("--disallow-exit"),
                         QStringLiteral("--disable-shm=yes"),
                         QStringLiteral("-L"),
                         QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") +
                             socket};
        if (!source.isEmpty())
            args << QStringLiteral("-L") << source;
        daemon_.start(daemon, args);
        if (!daemon_.waitForStarted(5000)) {
            why_ = "pulseaudio does not start: " + daemon_.errorString().toStdString();
            return false;
        }
        // Ready once a client gets an answer from it.
        const QString server = QStringLiteral("unix:") + socket;
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 5000 && daemon_.state() == QProcess::Running) {
            QProcess info;
            info.start(QStringLiteral("pactl"),
                       {QStringLiteral("-s"), server, QStringLiteral("info")});
            if (info.waitForFinished(2000) && info.exitCode() == 0) {
                qputenv("PULSE_SERVER", server.toUtf8());
                return true;
            }
            daemon_.waitForReadyRead(50); // a moment for the daemon to come up
        }
        why_ = "pulseaudio did not come up: " + daemon_.readAll().toStdString();
        return false;
    }
    ~PulseServer() {
        daemon_.terminate();
        daemon_.waitForFinished(3000);
    }
    const std::string& why() const { return why_; }

private:
    test::TempDir dir_;
    QProcess daemon_;
    std::string why_;
};

// The frequency of a steady tone, from its rising zero crossings.
double toneHz(const std::vector<std::int16_t>& s, int rate) {
    std::size_t first = 0, last = 0, rises = 0;
    for (std::size_t i = 1; i < s.size(); ++i)
        if (s[i - 1] < 0 && s[i] >= 0) {
            if (rises++ == 0)
                first = i;
            last = i;
        }
    return rises < 2 ? 0.0
                     : static_cast<double>(rises - 1) * rate / static_cast<double>(last - first);
}

std::vector<std::int16_t> wavSamples(const std::filesystem::path& file) {
    const auto bytes = test::readAll(file);
    std::vector<std::int16_t> out((bytes.size() - 44) / 2);
    std::memcpy(out.data(), bytes.data() + 44, out.size() * 2);
    return out;
}

// Waits, handling events, until `done` or ten seconds have passed.
bool waitFor(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, 10000);
}

class CustomAudioRecordTest : public ::testing::Test {
protected:
    std::filesystem::path install = QUORL_TEST_STAGE_DATA_DIR;
    test::TempDir build;
    CustomAudioModel model{install, build / "exist_file.jjb"};
    NoPager port;
    MemoryProfileStore profile;
    PulseServer pulse;
    const QString tone =
        QStringLiteral("module-sine-source source_name=quorl_tone rate=48000 frequency=1000");

    void SetUp() override {
        // An earlier test of this process has bound the sound system to its server.
        if (void* bound = ::dlopen("libQt6Multimedia.so.6", RTLD_NOW | RTLD_NOLOAD)) {
            ::dlclose(bound);
            GTEST_SKIP() << "the sound system of this process is bound to an earlier test's "
                            "sound server; run this test in a process of its own, as ctest does";
        }
    }
};

TEST_F(CustomAudioRecordTest, RecordsTheInputTidiesItAndSavesItAsTheSlotsWav) {
    if (!pulse.start(tone))
        GTEST_SKIP() << "no sound server for the test: " << pulse.why();
    profile.writeString("Settings", "Tip_View", "0");
    CCustomAudioDlg window(model, port, profile, [] { return false; });
    const int slot = 5; // SW A
    QString limit;
    double recorded = 0;
    test::ModalAnswerer modals;
    modals.onNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<CRecordDlg*>(w);
        ASSERT_NE(dialog, nullptr);
        limit = dialog->findChild<QLabel*>(QStringLiteral("recordTime"))->text();
        dialog->showProblem = [](const QString& why) { ADD_FAILURE() << why.toStdString(); };
        ASSERT_TRUE(dialog->record());
        ASSERT_TRUE(waitFor([&] { return dialog->recordedSeconds() >= 1.0; }));
        dialog->stop();
        recorded = dialog->recordedSeconds();
        ASSERT_FALSE(dialog->tidied().empty());
        dialog->accept();
    });
    window.recordSlot(slot);
    EXPECT_EQ(modals.pending(), 0);
    // 4-bit ADPCM holds four blocks of 8,177 samples: 4.09 s, to the tenth below.
    EXPECT_EQ(limit, QStringLiteral("at most 4.0 s"));
    const auto file = customAudioFolder() / "SW A - recorded.wav";
    EXPECT_EQ(window.model().activePath(slot), file);
    EXPECT_EQ(checkWav(file).status, WavCheck::Ok);
    // A steady tone has no silence to trim: all of it, at the tone's pitch.
    const auto samples = wavSamples(file);
    EXPECT_NEAR(static_cast<double>(samples.size()) / 8000, recorded, 0.02);
    EXPECT_NEAR(toneHz(samples, 8000), 1000.0, 5.0);
}

TEST_F(CustomAudioRecordTest, StopsByItselfAtTheLimit) {
    if (!pulse.start(tone))
        GTEST_SKIP() << "no sound server for the test: " << pulse.why();
    WaveOutput output;
    CRecordDlg dialog(QStringLiteral("SW A"), 0.5, output);
    dialog.showProblem = [](const QString& why) { ADD_FAILURE() << why.toStdString(); };
    QSignalSpy tidied(&dialog, &CRecordDlg::tidyDone);
    ASSERT_TRUE(dialog.record());
    ASSERT_TRUE(waitFor([&] { return !tidied.isEmpty(); }));
    EXPECT_FALSE(dialog.recording());
    EXPECT_DOUBLE_EQ(dialog.recordedSeconds(), 0.5);
    EXPECT_NEAR(static_cast<double>(dialog.tidied().size()), 4000.0, 80.0);
}

TEST_F(CustomAudioRecordTest, WithoutAnInputItSaysSoAndWritesNothing) {
    // A sound server with no input at all, and no sound server.
    const bool served = pulse.start(QString());
    if (!served)
        qputenv("PULSE_SERVER", "unix:" + QByteArray::fromStdString((build / "none").string()));
    profile.writeString("Settings", "Tip_View", "0");
    CCustomAudioDlg window(model, port, profile, [] { return false; });
    const auto before = window.model().activePath(5);
    QString said;
    test::ModalAnswerer modals;
    modals.onNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<CRecordDlg*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->showProblem = [&](const QString& why) { said = why; };
        EXPECT_FALSE(dialog->record());
        EXPECT_FALSE(dialog->findChild<QWidget*>(QStringLiteral("recordSave"))->isEnabled());
        dialog->accept();
    });
    window.recordSlot(5);
    EXPECT_TRUE(said.startsWith(QStringLiteral(
        "No audio input was found. Connect a microphone or check the system's sound settings.")))
        << said.toStdString();
    EXPECT_EQ(window.model().activePath(5), before);
    EXPECT_FALSE(std::filesystem::exists(customAudioFolder()));
}

} // namespace
} // namespace quorl
