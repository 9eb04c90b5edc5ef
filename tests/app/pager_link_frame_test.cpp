// The main window around a real pager operation on the simulator: a Play Pager press
// while a read runs, and a cradle pulled in the middle of a read or a write.
#include "app/app_texts.h"
#include "app/main_frame.h"
#include "app/qt_operation_host.h"
#include "app/qt_profile_store.h"
#include "app/voice_pager_doc.h"
#include "app/voice_pager_view.h"
#include "audio/custom_audio_model.h"
#include "audio/ui/custom_audio_dlg.h"
#include "codeplug/codeplug_texts.h"
#include "codeplug/profile_store.h"
#include "inventory/inventory_location.h"
#include "inventory/recorded_operation.h"
#include "link/codeplug_operation.h"
#include "link/fleet_write.h"
#include "link/link_texts.h"
#include "link/operation_link_hold.h"
#include "link/operation_texts.h"
#include "link/ui/devices_dlg.h"
#include "modal_answerer.h"
#include "tests/support/link_test_support.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <gtest/gtest.h>

namespace quorl {
namespace {

template <typename F> bool waitUntil(F done, int ms = 10000) {
    return QTest::qWaitFor(done, ms);
}

int countOf(const std::vector<std::uint8_t>& log, std::uint8_t command) {
    return static_cast<int>(std::count(log.begin(), log.end(), command));
}

class PagerLinkFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        profile.settings().clear();
        frame.show();
        QApplication::processEvents();
        // The operation as the program runs it, answering through a recording host so
        // that no modal window stops the test.
        frame.operations().setBody(PagerOperation::ReadCodeplug, [this](PagerOperation) {
            runPagerOperation(OperationSelector::CodeplugRead, doc.state(), host);
        });
        frame.operations().setBody(PagerOperation::WriteCodeplug, [this](PagerOperation) {
            runPagerOperation(OperationSelector::CodeplugWrite, doc.state(), host);
        });
    }
    void TearDown() override {
        frame.operations().join();
        doc.state().modified = false;
        frame.close();
    }
    void startRead() {
        doc.state().loaded = false; // no question before the read
        frame.runPagerOperation(PagerOperation::ReadCodeplug);
    }
    bool readEnded() {
        return waitUntil([&] { return !doc.state().busy.load() && frame.view()->timer0Running(); });
    }

    QtProfileStore profile;
    CVoicePagerDoc doc{profile};
    CMainFrame frame{profile, doc};
    test::ModalAnswerer modals;
    test::RecordingHost host;
};

TEST_F(PagerLinkFrameTest, PlayPagerDuringAReadIsRefusedAndTheReadCompletesByteExact) {
    test::SimulatedCradle cradle(test::pacedLine(), 0.5, 1.0);
    CodeplugImage pager;
    cradle.sim().withModel([&](sim::PagerModel& m) {
        m.codeplug().set(0x0180, 0x13); // in a block read before and after the press
        m.codeplug().set(0x0680, 0x11);
        pager = m.codeplug();
    });
    test::TempDir build;
    CustomAudioModel audio(QUORL_TEST_STAGE_DATA_DIR, build.path() / "exist_file.jjb");
    MemoryProfileStore audioProfile;
    audioProfile.writeString("Settings", "Tip_View", "1");
    CCustomAudioDlg window(audio, frame.auditionPort(), audioProfile, [] { return true; });
    window.setProperty("quorlAnswered", true); // stays open: not a box to answer
    window.open(); // modal, as the program opens it, over the status bar

    startRead();
    ASSERT_TRUE(waitUntil([&] { return countOf(cradle.sim().commandLog(), 0x02) >= 3; }));
    auto* play = window.findChild<QPushButton*>(QStringLiteral("playPager3"));
    ASSERT_TRUE(play->isEnabled());
    modals.pressOnNextBox(QMessageBox::Ok);
    play->click();
    EXPECT_EQ(modals.texts, QStringList{QString::fromUtf8(texts::kOperationRunningNote)})
        << "the refusal is said in a box over the window pressed";
    EXPECT_TRUE(doc.state().busy.load()) << "the press came in the middle of the read";

    ASSERT_TRUE(readEnded());
    EXPECT_TRUE(host.messages().empty()) << ::testing::PrintToString(host.messages());
    EXPECT_TRUE(doc.state().loaded);
    for (int n : kReadBlocks)
        for (Address a = 64 * n; a < 64 * n + 64u; ++a)
            ASSERT_EQ(doc.state().image.at(a), pager.at(a)) << a;
    const auto log = cradle.sim().commandLog();
    EXPECT_EQ(countOf(log, 0x02), 28) << "no block was read twice";
    EXPECT_EQ(countOf(log, 0x78), 0) << "no presence check of an audition reached the pager";
    EXPECT_EQ(countOf(log, 0xB0), 0);
    EXPECT_TRUE(play->isEnabled()) << "the button is usable once the read is over";
}

TEST_F(PagerLinkFrameTest, ACradlePulledMidReadGivesReadError5AndTheCommandsWorkAgain) {
    {
        sim::SimulatorOptions options = test::pacedLine();
        options.hangUpAfter = 10;
        test::SimulatedCradle cradle(options, 0.1, 1.0);
        startRead();
        ASSERT_TRUE(readEnded());
    }
    EXPECT_EQ(host.messages(), std::vector<std::string>{std::string(link_texts::kReadError5)});
    EXPECT_TRUE(frame.action(Command::ReadCodeplug)->isEnabled());

    // The cradle back: F3 reads again.
    test::SimulatedCradle back(test::pacedLine(), 0.1, 1.0);
    QTest::keyClick(&frame, Qt::Key_F3);
    ASSERT_TRUE(waitUntil([&] { return countOf(back.sim().commandLog(), 0x72) == 1; }));
    ASSERT_TRUE(readEnded());
    EXPECT_EQ(host.messages().size(), 1u);
    EXPECT_TRUE(doc.state().loaded);
}

TEST_F(PagerLinkFrameTest, ACradlePulledMidWriteGivesWriteError5AndTheCommandsWorkAgain) {
    doc.state().loadBoth(test::defaultTestCodeplug());
    doc.state().loaded = true;
    {
        sim::SimulatorOptions options = test::pacedLine();
        options.hangUpAfter = 10;
        test::SimulatedCradle cradle(options, 0.1, 1.0);
        frame.runPagerOperation(PagerOperation::WriteCodeplug);
        ASSERT_TRUE(readEnded());
    }
    EXPECT_EQ(host.messages(), std::vector<std::string>{std::string(op_texts::kWriteError5)});
    EXPECT_TRUE(frame.action(Command::WriteCodeplug)->isEnabled());
    EXPECT_TRUE(frame.action(Command::ReadCodeplug)->isEnabled());

    // The cradle back: F7 writes again, and the pager holds the codeplug.
    test::SimulatedCradle back(test::pacedLine(), 0.1, 1.0);
    QTest::keyClick(&frame, Qt::Key_F7);
    ASSERT_TRUE(waitUntil([&] { return countOf(back.sim().commandLog(), 0x72) >= 1; }));
    ASSERT_TRUE(readEnded());
    EXPECT_EQ(host.messages().size(), 1u) << ::testing::PrintToString(host.messages());
}

// A frame whose read runs through the frame's own host, so that its questions and
// the Connected Devices dialog are real modal windows.
class TimedReadTest : public PagerLinkFrameTest {
protected:
    using Clock = std::chrono::steady_clock;

    void SetUp() override {
        PagerLinkFrameTest::SetUp();
        frame.operations().setBody(PagerOperation::ReadCodeplug, [this](PagerOperation) {
            if (runPagerOperation(OperationSelector::CodeplugRead, doc.state(),
                                  frame.operationHost()) == OperationOutcome::Succeeded)
                frame.operationSucceeded();
        });
    }
    // The user thinks it over, long enough to show in a time of tenths; returns when
    // the answer is given.
    static Clock::time_point thinkItOver() {
        const auto opened = Clock::now();
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return Clock::now() - opened >= std::chrono::milliseconds(700); }));
        return Clock::now();
    }
    // The status bar's time is the span from the answer to the pager's last reply,
    // then a short pause and the progress window closing, rounded to a tenth.
    void expectTimedFrom(Clock::time_point answered, sim::PagerSimulator& pager) {
        const auto note = QRegularExpression(QStringLiteral("^Read the pager in (\\d+\\.\\d) s"))
                              .match(frame.statusBar()->currentMessage());
        ASSERT_TRUE(note.hasMatch()) << frame.statusBar()->currentMessage().toStdString();
        const double linkSeconds =
            std::chrono::duration<double>(pager.lastReplyWritten() - answered).count();
        EXPECT_GE(note.captured(1).toDouble(), linkSeconds - 0.1);
        EXPECT_LE(note.captured(1).toDouble(), linkSeconds + 0.3);
    }
};

// A read over edits asks first, before the operation: while the box is open nothing
// holds the document or the cradle, and the time reported is the link's work alone.
TEST_F(TimedReadTest, TheQuestionBeforeAReadComesFirstAndIsNotTimed) {
    test::SimulatedCradle cradle(test::pacedLine(), 0.1, 1.0);
    doc.state().loadBoth(test::defaultTestCodeplug());
    doc.state().loaded = true;
    doc.state().currentPath = "/x/brigade.ppg";
    doc.state().modified = true;
    QString asked;
    bool busyWhileAsked = true;
    bool linkHeldWhileAsked = true;
    std::size_t framesWhileAsked = 1;
    Clock::time_point answered;
    modals.onNextModal([&](QWidget* window) {
        auto* box = qobject_cast<QMessageBox*>(window);
        asked = box->text();
        busyWhileAsked = doc.state().busy.load();
        linkHeldWhileAsked = pagerOperationHoldsLink();
        framesWhileAsked = cradle.sim().commandLog().size();
        answered = thinkItOver();
        box->button(QMessageBox::No)->click(); // read over the edits
    });
    frame.runPagerOperation(PagerOperation::ReadCodeplug);
    ASSERT_TRUE(readEnded());
    EXPECT_EQ(asked.trimmed(), QString::fromUtf8(texts::kSaveChangesQuestion).trimmed());
    EXPECT_FALSE(busyWhileAsked);
    EXPECT_FALSE(linkHeldWhileAsked);
    EXPECT_EQ(framesWhileAsked, 0u) << "the question came before the cradle was opened";
    expectTimedFrom(answered, cradle.sim());
}

// With two cradles the user picks one in Connected Devices; the time spent choosing
// is not the pager's.
TEST_F(TimedReadTest, ThePickOfACradleIsNotTimed) {
    test::SimulatedCradle cradle(test::pacedLine(), 0.1, 1.0);
    sim::PagerSimulator other(sim::PagerModel(test::defaultTestCodeplug()), test::pacedLine());
    std::string error;
    ASSERT_TRUE(cradle.addBeside(other, error)) << error;
    Clock::time_point answered;
    bool picked = false;
    modals.onNextModal([&](QWidget* window) {
        auto* dialog = qobject_cast<CDevicesDlg*>(window);
        ASSERT_NE(dialog, nullptr) << window->metaObject()->className();
        ASSERT_EQ(dialog->portList()->count(), 2);
        answered = thinkItOver();
        for (int row = 0; row < 2; ++row)
            if (cradle.device().ends_with(dialog->portList()->item(row)->text().toStdString())) {
                dialog->portList()->setCurrentRow(row);
                picked = true;
            }
        dialog->accept();
    });
    startRead();
    ASSERT_TRUE(readEnded());
    ASSERT_TRUE(picked);
    EXPECT_TRUE(doc.state().loaded);
    EXPECT_TRUE(other.commandLog().empty()) << "only the cradle picked was read";
    expectTimedFrom(answered, cradle.sim());
}

// The window's own operations go to the inventory with their cradle, the failed read
// with its message.
TEST_F(PagerLinkFrameTest, TheWindowsReadsAndWritesAreRecordedFailuresToo) {
    for (auto op : {PagerOperation::ReadCodeplug, PagerOperation::WriteCodeplug})
        frame.operations().setBody(op, [this](PagerOperation which) {
            inventory::runRecordedOperation(which == PagerOperation::ReadCodeplug
                                                ? OperationSelector::CodeplugRead
                                                : OperationSelector::CodeplugWrite,
                                            doc.state(), host);
        });
    {
        sim::SimulatorOptions options = test::pacedLine();
        options.hangUpAfter = 10;
        test::SimulatedCradle cradle(options, 0.1, 1.0);
        startRead();
        ASSERT_TRUE(readEnded());
    }
    test::SimulatedCradle back(test::pacedLine(), 0.1, 1.0);
    startRead();
    ASSERT_TRUE(readEnded());
    frame.runPagerOperation(PagerOperation::WriteCodeplug);
    ASSERT_TRUE(readEnded());

    const auto records =
        inventory::openInventory({inventory::InventoryLocation::Kind::Sqlite,
                                  (inventory::userDataFolder() / "inventory.sqlite").string()})
            ->all();
    std::vector<std::string> seen;
    for (const auto& r : records)
        seen.push_back(r.operation + " " + r.result + " " + r.serialNumber);
    EXPECT_EQ(seen, (std::vector<std::string>{"read failed ", "read succeeded 7TV0000001",
                                              "write succeeded 7TV0000001"}));
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].message, oneLineMessage(link_texts::kReadError5));
    EXPECT_NE(records[0].cradle, "");
    EXPECT_EQ(records[1].cradle, back.device());
    EXPECT_EQ(records[2].cradle, back.device());
}

} // namespace
} // namespace quorl
