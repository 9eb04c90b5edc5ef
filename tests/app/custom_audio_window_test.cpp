#include "audio/custom_audio_model.h"
#include "audio/ui/custom_audio_dlg.h"
#include "audio/ui/record_dlg.h"
#include "audio/ui/speak_dlg.h"
#include "audio/ui/tidy_dlg.h"
#include "audio/ui/tip_dlg.h"
#include "codeplug/profile_store.h"
#include "modal_answerer.h"
#include "tests/support/test_files.h"
#include "widgets/wave_output.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <fstream>
#include <gtest/gtest.h>

namespace quorl {
namespace {

class NullAuditionPort : public AuditionPort {
public:
    std::vector<AuditionRequest> played;
    void play(const AuditionRequest& r, const std::function<void(int)>& start) override {
        played.push_back(r);
        AuditionState::process().started(r.durationMs);
        start(r.durationMs);
    }
};

class CustomAudioWindowTest : public ::testing::Test {
protected:
    std::filesystem::path install = QUORL_TEST_STAGE_DATA_DIR;
    test::TempDir build;
    CustomAudioModel model{install, build / "exist_file.jjb"};
    NullAuditionPort port;
    MemoryProfileStore profile;
    test::ModalAnswerer modals;
};

TEST_F(CustomAudioWindowTest, BrowseMarkOkAndSave) {
    profile.writeString("Settings", "Tip_View", "1");
    CCustomAudioDlg window(model, port, profile, [] { return true; });
    window.show();
    const auto chosen = install / "WavForms" / "03_custom_alert_3.wav";
    window.chooseFile = [&](const QString&) { return QString::fromStdString(chosen.string()); };
    window.browse(7);
    auto* write = window.findChild<QCheckBox*>(QStringLiteral("write7"));
    EXPECT_TRUE(write->isChecked());
    EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("file7"))->text().toStdString(),
              chosen.string());
    modals.pressOnNextBox(QMessageBox::Yes);
    window.onOk();
    EXPECT_EQ(modals.texts.value(0), " Do you want to save the changes current condition ?  ");
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(model.anySlotMarked());
    std::ifstream in(build / "exist_file.jjb", std::ios::binary);
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(text.find(chosen.string() + "\r\n"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 39);
}

TEST_F(CustomAudioWindowTest, CancelDiscardsEveryChangeMadeInTheWindow) {
    profile.writeString("Settings", "Tip_View", "1");
    model.open();
    const CustomAudioModel before = model;
    {
        CCustomAudioDlg window(model, port, profile, [] { return true; });
        window.show();
        const auto chosen = install / "WavForms" / "03_custom_alert_3.wav";
        window.chooseFile = [&](const QString&) { return QString::fromStdString(chosen.string()); };
        window.browse(7);
        window.findChild<QCheckBox*>(QStringLiteral("useDefault2"))->click();
        window.findChild<QCheckBox*>(QStringLiteral("write4"))->click();
        ASSERT_TRUE(window.model().slot(7).write);
        ASSERT_TRUE(window.model().changed());
        window.findChild<QPushButton*>(QStringLiteral("cancelButton"))->click();
        EXPECT_FALSE(window.isVisible());
    }
    EXPECT_TRUE(modals.texts.isEmpty());
    for (int i = 0; i < kCustomAudioSlotCount; ++i) {
        EXPECT_EQ(model.slot(i).path, before.slot(i).path) << i;
        EXPECT_EQ(model.slot(i).useDefault, before.slot(i).useDefault) << i;
        EXPECT_EQ(model.slot(i).write, before.slot(i).write) << i;
        EXPECT_EQ(model.activePath(i), before.activePath(i)) << i;
    }
    EXPECT_FALSE(model.changed()) << "closing the program must not offer to save";
    EXPECT_FALSE(model.anySlotMarked());

    // OK with "No" keeps the edits for Write Custom Audio without saving them.
    CCustomAudioDlg again(model, port, profile, [] { return true; });
    again.show();
    again.findChild<QCheckBox*>(QStringLiteral("write4"))->click();
    modals.pressOnNextBox(QMessageBox::No);
    again.onOk();
    EXPECT_TRUE(model.slot(4).write);
    EXPECT_TRUE(model.changed());
}

TEST_F(CustomAudioWindowTest, PlayOnThePagerSendsTheSlotAndLocksUntilTimer7) {
    profile.writeString("Settings", "Tip_View", "1");
    CCustomAudioDlg window(model, port, profile, [] { return true; });
    window.show();
    auto* play = window.findChild<QPushButton*>(QStringLiteral("playPager12"));
    ASSERT_TRUE(play->isEnabled());
    play->click();
    ASSERT_EQ(port.played.size(), 1u);
    EXPECT_EQ(port.played[0].command, 0xB0);
    EXPECT_EQ(port.played[0].parameters, std::vector<std::uint8_t>{12});
    EXPECT_FALSE(play->isEnabled());
    AuditionState::process().allow();
}

TEST_F(CustomAudioWindowTest, TheTipRemembersItsCheckBox) {
    EXPECT_TRUE(CTipDlg::wanted(profile));
    CTipDlg tip(profile);
    tip.findChild<QCheckBox*>(QStringLiteral("dontShowAgain"))->setChecked(true);
    tip.accept();
    EXPECT_FALSE(CTipDlg::wanted(profile));
}

TEST(WaveOutput, BlocksArePaddedWithSilence) {
    std::vector<std::uint8_t> samples(1601, 0x11);
    const QByteArray b = WaveOutput::blocks(samples);
    EXPECT_EQ(b.size(), 3200);
    EXPECT_EQ(b.at(1600), 0x11);
    EXPECT_EQ(b.at(1601), 0);
    EXPECT_EQ(WaveOutput::blocks(std::vector<std::uint8_t>(1600, 1)).size(), 1600);
}

// Qt Multimedia is loaded only when sound is first asked for, never at start.
TEST(WaveOutput, TheSoundModuleLoadsOnFirstUse) {
    const auto multimediaMapped = [] {
        std::ifstream maps("/proc/self/maps");
        std::string line;
        while (std::getline(maps, line))
            if (line.find("libQt6Multimedia") != std::string::npos)
                return true;
        return false;
    };
    EXPECT_FALSE(multimediaMapped());
    const bool device = WaveOutput::deviceAvailable();
    EXPECT_TRUE(multimediaMapped());
    WaveOutput output;
    // Without a sound device (a build machine) play says so instead of failing later.
    EXPECT_EQ(output.play(std::vector<std::uint8_t>(3200, 0)), device);
    output.stop();
    EXPECT_FALSE(output.playing());
}

// Each play button has its own heading over it, not one heading over the pair.
TEST_F(CustomAudioWindowTest, EachPlayColumnHasItsOwnHeading) {
    CCustomAudioDlg window(model, port, profile, [] { return true; });
    window.show();
    const struct {
        const char* heading;
        const char* text;
        const char* button;
    } columns[] = {{"playHeading1", "File", "playFile0"}, {"playHeading2", "Pager", "playPager0"}};
    for (const auto& c : columns) {
        auto* heading = window.findChild<QLabel*>(QString::fromUtf8(c.heading));
        auto* button = window.findChild<QPushButton*>(QString::fromUtf8(c.button));
        ASSERT_NE(heading, nullptr) << c.heading;
        EXPECT_EQ(heading->text(), QString::fromUtf8(c.text));
        const int middle = heading->mapTo(&window, heading->rect().center()).x();
        const QRect under(button->mapTo(&window, QPoint()), button->size());
        EXPECT_TRUE(middle >= under.left() && middle <= under.right())
            << c.heading << " at " << middle << ", its button " << under.left() << ".."
            << under.right();
    }
}

// A message naming a file shows the name as written, never read as markup, in the
// Speak, Tidy and Record windows alike.
TEST_F(CustomAudioWindowTest, MessagesShowFileNamesAsWritten) {
    WaveOutput output;
    CSpeakDlg speak(QStringLiteral("SW A"), QStringLiteral("Scan"), output);
    CTidyDlg tidy(QStringLiteral("SW A"), build / "take.wav", {}, output);
    CRecordDlg record(QStringLiteral("SW A"), 1.0, output);
    const QString name = QStringLiteral("Cannot read <b>SW A</b> &amp; more.wav");
    for (const auto* show : {&speak.showProblem, &tidy.showProblem, &record.showProblem}) {
        modals.pressOnNextBox(QMessageBox::Ok);
        (*show)(name);
    }
    EXPECT_EQ(modals.texts, QStringList({name, name, name}));
    EXPECT_EQ(modals.formats, QList<Qt::TextFormat>(3, Qt::PlainText));
}

} // namespace
} // namespace quorl
