// The test page and tone finder windows, and the channel tab's Test page buttons,
// on the offscreen platform with no sound output.
#include "codeplug/channel_block.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/default_codeplug.h"
#include "editors/ui/channel_f1_dlg.h"
#include "editors/ui/data_tab_dlg.h"
#include "tones/page_sequence.h"
#include "tones/page_synthesis.h"
#include "tones/ui/find_tones_dlg.h"
#include "tones/ui/test_page_dlg.h"
#include "tones/ui/tone_strip.h"
#include "tones/ui/tones_ui_texts.h"
#include "tones/wav_audio.h"
#include "widgets/wave_output.h"

#include "modal_answerer.h"
#include "tests/support/test_files.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace quorl {
namespace {

class SilentAudition : public AuditionPort {
public:
    void play(const AuditionRequest&, const std::function<void(int)>&) override {}
};

// Factory VHF codeplug: F3 is R468 (Call 1 410.8 - 634.5, Call 2 410.8 - 746.8,
// Group 1 634.5, Group 2 746.8).
CodeplugImage factory() {
    return makeDefaultCodeplug(vhfFiveChannelFactory());
}

TEST(TestPageButtons, OneForEachRowInUseAndTheySayWhenThereIsNoSound) {
    CodeplugState state;
    state.loadBoth(factory());
    ASSERT_TRUE(state.checkImage()); // the band the frequency is checked against
    SilentAudition audition;
    CChannelF1Dlg page(state, audition);
    page.setCurrentChannel(2);
    page.updateDutyState();
    page.showCallTones();
    page.showGroupTones();
    page.loadChannel();
    page.show();
    // Rows 0..9 calls, 10..14 groups: R468 uses two of each.
    for (int row : {0, 1, 10, 11})
        EXPECT_TRUE(page.testPageButton(row)->isVisible()) << row;
    for (int row : {2, 9, 12, 14})
        EXPECT_FALSE(page.testPageButton(row)->isVisible()) << row;
    EXPECT_EQ(page.testPageButton(1)->accessibleName().toStdString(), "Test page Call 2");
    EXPECT_EQ(page.testPageButton(10)->accessibleName().toStdString(), "Test page Group Call 1");
    if (WaveOutput::deviceAvailable())
        GTEST_SKIP() << "this computer has a sound output";
    test::ModalAnswerer modals;
    modals.pressOnNextBox(QMessageBox::Ok);
    page.testPageButton(0)->click();
    ASSERT_EQ(modals.texts.size(), 1) << modals.texts.join(QStringLiteral("|")).toStdString();
    EXPECT_EQ(modals.texts[0], QString::fromUtf8(texts::tones::kNoSoundOutput));
    EXPECT_EQ(page.testPageButton(0)->text(), QString::fromUtf8(texts::tones::kTestPageButton));
}

TEST(UseFoundTones, GoThroughTheChannelTabAndCancelDiscardsThem) {
    CodeplugState state;
    state.loadBoth(factory());
    state.loaded = true;
    SilentAudition audition;
    CDataTabDlg window(state, audition, [] { return false; });
    window.show();
    window.tabBar()->setCurrentIndex(CDataTabDlg::ChannelPage + 2);
    CChannelF1Dlg* page = window.channelPage();
    // 350.0 is typed as a Corvane tone would be: it snaps to 349.0 (code 111).
    EXPECT_TRUE(page->enterTone({ToneKind::Tone2, 2}, QStringLiteral("350.0")));
    EXPECT_EQ(page->toneEdit({ToneKind::Tone2, 2})->text(), "349.0");
    EXPECT_EQ(ConstChannelBlock(state.editImage, 2).callTone(2, 2).tenthsHz, 3490);
    // Call 2's tone 1 is Call 1's under R468: the box takes no typing.
    EXPECT_FALSE(page->enterTone({ToneKind::Tone1, 2}, QStringLiteral("600.9")));
    EXPECT_EQ(ConstChannelBlock(state.editImage, 2).callTone(2, 1).tenthsHz, 4108);
    window.onCancel();
    EXPECT_EQ(ConstChannelBlock(state.editImage, 2).callTone(2, 2).tenthsHz, 7468);
}

TEST(TestPageWindow, ListsTheCallsOfAChannelAndSavesTheWav) {
    CTestPageDlg dialog(factory());
    dialog.channelCombo()->setCurrentIndex(2);
    QStringList items;
    for (int i = 0; i < dialog.callCombo()->count(); ++i)
        items << dialog.callCombo()->itemText(i);
    EXPECT_EQ(items, (QStringList{"Call 1 (410.8 - 634.5)", "Call 2 (410.8 - 746.8)",
                                  "Group 1 (634.5)", "Group 2 (746.8)"}));
    test::TempDir dir;
    const QString path = QString::fromStdString((dir / "call1.wav").string());
    QString problem;
    ASSERT_TRUE(dialog.saveTo(path, &problem)) << problem.toStdString();
    // 1 s + 3 s at 16,000 Hz, 16-bit, after the 44-byte header.
    EXPECT_EQ(std::filesystem::file_size(path.toStdString()), 44u + 2u * 64000u);
    dialog.callCombo()->setCurrentIndex(2);
    ASSERT_TRUE(dialog.saveTo(path, &problem));
    EXPECT_EQ(std::filesystem::file_size(path.toStdString()), 44u + 2u * 128000u); // 8 s
}

TEST(FindTonesWindow, ShowsPagesWithTheirCodesAndCalls) {
    test::TempDir dir;
    const auto page = tones::sequenceForEntry(factory(), {2, 2, 0}, {});
    const auto samples = tones::synthesizePage(page.sequence, {}, 16000);
    const auto bytes = tones::encodeWav16(samples, 16000);
    test::writeAll(dir / "page.wav",
                   std::vector<char>(reinterpret_cast<const char*>(bytes.data()),
                                     reinterpret_cast<const char*>(bytes.data()) + bytes.size()));
    const CodeplugImage image = factory();
    CFindTonesDlg dialog(&image);
    dialog.setToneUse([](const ToneUse&) {});
    dialog.show();
    QSignalSpy searched(&dialog, &CFindTonesDlg::searched);
    dialog.openRecording(QString::fromStdString((dir / "page.wav").string()));
    ASSERT_TRUE(searched.wait(5000));
    ASSERT_EQ(dialog.pageTable()->rowCount(), 1);
    EXPECT_EQ(dialog.pageTable()->item(0, 1)->text().toStdString(), "410.8 - 746.8");
    // GE 016 is 742.5 Hz, within 1 % of 746.8.
    EXPECT_EQ(dialog.pageTable()->item(0, 2)->text().toStdString(),
              "Corvane 114 / Corvane 125, GE 016");
    EXPECT_EQ(dialog.pageTable()->item(0, 3)->text().toStdString(), "F3 Call 2");
    EXPECT_TRUE(dialog.useButton()->isEnabled());
    // Tone A's frame lies in the first quarter of the strip (1 s of 4), low down.
    const QRectF a = dialog.strip()->toneRect(dialog.found()[0]);
    EXPECT_NEAR(a.right() / dialog.strip()->width(), 0.25, 0.01);
    EXPECT_GT(a.center().y(), dialog.strip()->height() * 0.9);

    dialog.openRecording(QString::fromStdString((dir / "missing.wav").string()));
    ASSERT_TRUE(searched.wait(5000));
    EXPECT_EQ(dialog.pageTable()->rowCount(), 0);
    EXPECT_TRUE(
        dialog.statusLabel()->text().startsWith(QString::fromUtf8(texts::tones::kCannotRead)));
}

} // namespace
} // namespace quorl
