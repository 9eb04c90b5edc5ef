// "Write to All Cradles...": two cradles written at once from the window, a result
// per cradle, and the log it saves.
#include "codeplug/channel_block.h"
#include "codeplug/checksums.h"
#include "inventory/inventory_location.h"
#include "inventory/inventory_recorder.h"
#include "inventory/operation_record.h"
#include "link/operation_texts.h"
#include "link/sha256.h"
#include "link/ui/fleet_write_dlg.h"
#include "tests/support/link_test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTextDocumentFragment>
#include <algorithm>
#include <gtest/gtest.h>
#include <map>

namespace quorl {
namespace {

// Channel F1's squelch as the pager holds it.
int squelchOnPager(sim::PagerSimulator& pager) {
    int level = -1;
    pager.withModel(
        [&](sim::PagerModel& m) { level = ConstChannelBlock(m.codeplug(), 0).squelchLevel(); });
    return level;
}

TEST(FleetWriteWindow, WritesEveryCradleAndShowsEachResult) {
    test::SimulatedCradle first(test::pacedLine(), 0.02, 1.0);
    sim::PagerSimulator second(sim::PagerModel(test::defaultTestCodeplug()), test::pacedLine());
    std::string error;
    ASSERT_TRUE(second.start(error)) << error;
    // The second pager is another model: Write Codeplug's own message, the first is written.
    second.withModel(
        [](sim::PagerModel& m) { m.identity().modelNumber = std::string("OTHERMODEL12"); });
    CodeplugImage image = test::defaultTestCodeplug();
    ASSERT_NE(ConstChannelBlock(image, 0).squelchLevel(), 5) << "the edit must change a byte";
    ChannelBlock(image, 0).setSquelchLevel(5);

    const std::string started = inventory::isoTimeMicroseconds();
    CFleetWriteDlg dialog(image, {first.device(), second.devicePath()});
    dialog.setPagerEnded(inventory::recordFleetWrite); // as the program records them
    QSignalSpy finished(&dialog, &CFleetWriteDlg::writeFinished);
    dialog.startWrite();
    EXPECT_TRUE(dialog.running());
    dialog.reject(); // refused while the pagers are being written
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_FALSE(dialog.running());
    auto* table = dialog.findChild<QTableWidget*>();
    ASSERT_NE(table, nullptr);
    const QString error7 = "Write Error #7 Unable to write the pager. Source and destination "
                           "model number do not match.";
    EXPECT_EQ(table->item(0, 3)->text(), "Done");
    EXPECT_EQ(table->item(0, 4)->text(), "verified");
    EXPECT_EQ(table->item(1, 3)->text(), "Failed: " + error7);
    EXPECT_EQ(table->item(1, 3)->toolTip(), error7);
    EXPECT_EQ(table->item(1, 0)->toolTip(), QString::fromStdString(second.devicePath()));
    // Failed and done differ in colour, and the failed bar is not a full one.
    EXPECT_NE(table->item(0, 3)->foreground().color(), table->item(1, 3)->foreground().color());
    auto* failedBar = qobject_cast<QProgressBar*>(table->cellWidget(1, 2));
    EXPECT_EQ(failedBar->format(), "Failed");
    EXPECT_LT(failedBar->value(), 100);
    EXPECT_EQ(dialog.summaryText(), "1 written and verified, 1 failed.");
    // The failed pager is selected, its whole message on the details line.
    EXPECT_TRUE(dialog.detailsText().endsWith(": " + error7)) << dialog.detailsText().toStdString();
    EXPECT_EQ(squelchOnPager(first.sim()), 5);

    test::TempDir dir;
    const auto log = (dir.path() / "log.csv").string();
    ASSERT_TRUE(dialog.saveLog(log));
    const std::string text = test::fileText(log);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
    // No file behind the codeplug: "(unsaved)", with the image as it was sent.
    CodeplugImage sent = image;
    updateChecksums(sent);
    refreshModelOptionsMirror(sent);
    EXPECT_NE(text.find(",write,(unsaved),16384," + sha256Hex(sent.bytes()) + ",OK,"),
              std::string::npos)
        << text;
    // Each pager in the inventory with what it was sent, whether or not a log is saved.
    std::map<std::string, std::string> byCradle;
    for (const auto& r :
         inventory::openInventory({inventory::InventoryLocation::Kind::Sqlite,
                                   (inventory::userDataFolder() / "inventory.sqlite").string()})
             ->all(true))
        if (r.at >= started)
            byCradle[r.cradle] +=
                r.operation + " " + r.result + " " + r.serialNumber + " " +
                (r.codeplug == std::vector<std::uint8_t>(sent.bytes().begin(), sent.bytes().end())
                     ? "sent"
                     : "-") +
                ";";
    EXPECT_EQ(byCradle[first.device()],
              "write succeeded 7TV0000001 sent;verify succeeded 7TV0000001 sent;");
    EXPECT_EQ(byCradle[second.devicePath()],
              "write failed 7TV0000001 sent;verify failed 7TV0000001 sent;");
    std::string problem;
    const auto nowhere = (dir.path() / "missing" / "log.csv").string();
    EXPECT_FALSE(dialog.saveLog(nowhere, &problem));
    EXPECT_NE(problem.find(nowhere), std::string::npos) << problem;
    second.stop();
}

TEST(FleetWriteWindow, WritesWithoutTheReadBackWhenItIsTurnedOff) {
    test::SimulatedCradle cradle(test::pacedLine(), 0.02, 1.0);
    CodeplugImage image = test::defaultTestCodeplug();
    ASSERT_NE(ConstChannelBlock(image, 0).squelchLevel(), 5) << "the edit must change a byte";
    ChannelBlock(image, 0).setSquelchLevel(5);
    CFleetWriteDlg dialog(image, {cradle.device()});
    auto* verify = dialog.findChild<QCheckBox*>();
    ASSERT_NE(verify, nullptr);
    EXPECT_TRUE(verify->isChecked()) << "the read-back is on unless turned off";
    verify->setChecked(false);
    QSignalSpy finished(&dialog, &CFleetWriteDlg::writeFinished);
    dialog.startWrite();
    EXPECT_FALSE(verify->isEnabled()) << "the choice cannot change part-way";
    ASSERT_TRUE(finished.wait(30000));
    auto* table = dialog.findChild<QTableWidget*>();
    EXPECT_EQ(table->item(0, 3)->text(), "Done");
    EXPECT_EQ(table->item(0, 4)->text(), "") << "nothing was read back";
    EXPECT_EQ(dialog.summaryText(), "1 written.");
    ASSERT_EQ(dialog.results().size(), 1U);
    EXPECT_TRUE(dialog.results()[0].verify.empty());
    EXPECT_EQ(squelchOnPager(cradle.sim()), 5);
}

TEST(FleetWriteWindow, WithNoCradleSaysWhatToCheck) {
    CFleetWriteDlg dialog(test::defaultTestCodeplug(), {});
    EXPECT_FALSE(dialog.findChild<QTableWidget*>()->isVisibleTo(&dialog));
    auto* note = dialog.findChild<QLabel*>(QStringLiteral("noCradleNote"));
    ASSERT_NE(note, nullptr);
    EXPECT_TRUE(note->isVisibleTo(&dialog));
    EXPECT_TRUE(note->text().startsWith("No cradle is connected."));
    EXPECT_FALSE(dialog.findChild<QPushButton*>()->isEnabled() &&
                 dialog.findChild<QPushButton*>()->text() == "Write");
}

// A port's name reaches the row, its tooltip and the details line as written: a
// tooltip that looks like markup still reads as the name.
TEST(FleetWriteWindow, ShowsAPortsNameAsWrittenInEveryPlace) {
    const std::string port = "<b>x</b>\x1B[2J\u202E";
    const QString shown = QStringLiteral("<b>x</b>\\x1B[2J\\xE2\\x80\\xAE");
    CFleetWriteDlg dialog(test::defaultTestCodeplug(), {port});
    QSignalSpy finished(&dialog, &CFleetWriteDlg::writeFinished);
    dialog.startWrite();
    ASSERT_TRUE(finished.wait(30000));
    auto* table = dialog.findChild<QTableWidget*>();
    EXPECT_EQ(table->item(0, 0)->text(), shown);
    const QString tip = table->item(0, 0)->toolTip();
    EXPECT_EQ(QTextDocumentFragment::fromHtml(tip).toPlainText(), shown);
    auto* details = dialog.findChild<QLabel*>(QStringLiteral("details"));
    EXPECT_EQ(details->textFormat(), Qt::PlainText);
    EXPECT_TRUE(details->text().startsWith(shown + ": ")) << details->text().toStdString();
    EXPECT_TRUE(table->item(0, 3)->text().startsWith("Failed: "));
}

TEST(FleetSummary, CountsEachKindOfEndAndLeavesOutTheEmptyOnes) {
    const auto result = [](OperationOutcome outcome, std::string verify) {
        FleetResult r;
        r.outcome = outcome;
        r.verify = std::move(verify);
        return r;
    };
    const auto ok = OperationOutcome::Succeeded;
    const auto bad = OperationOutcome::Failed;
    const struct {
        std::vector<FleetResult> results;
        std::string summary;
    } cases[] = {
        {{result(ok, "verified"), result(ok, "verified"), result(ok, "verified"), result(bad, "")},
         "3 written and verified, 1 failed"},
        {{result(ok, "")}, "1 written"},
        {{result(ok, "2 byte(s) differ"), result(ok, "verified")},
         "1 written and verified, 1 not verified"},
        {{result(bad, ""), result(bad, "")}, "2 failed"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(fleetSummary(c.results), c.summary);
}

} // namespace
} // namespace quorl
