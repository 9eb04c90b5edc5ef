#include "app/app_texts.h"
#include "app/main_frame.h"
#include "app/qt_operation_host.h"
#include "app/qt_profile_store.h"
#include "app/suggested_file_name.h"
#include "app/voice_pager_doc.h"
#include "app/voice_pager_view.h"
#include "codeplug/codeplug_texts.h"
#include "codeplug/general_block.h"
#include "codeplug/ppg_file.h"
#include "modal_answerer.h"
#include "tests/support/test_files.h"
#include "textplug/codeplug_fields.h"
#include "textplug/text_export.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QStyle>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolBar>
#include <atomic>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <thread>

namespace quorl {
namespace {

const QString kLib = QStringLiteral(QUORL_TEST_STAGE_DATA_DIR "/Lib");

// Waits, processing events, until `done` holds or about two seconds passed.
template <typename F> bool waitFor(F done) {
    return QTest::qWaitFor(done, 2000);
}

class MainFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        profile.settings().clear();
        frame.show();
        QApplication::processEvents();
    }
    void TearDown() override {
        doc.state().modified = false;
        frame.close();
    }

    QStringList menuTexts(const QString& title) {
        for (QAction* a : frame.menuBar()->actions())
            if (a->text() == title) {
                QStringList out;
                for (QAction* item : a->menu()->actions())
                    out << (item->isSeparator() ? QStringLiteral("-") : item->text());
                return out;
            }
        return {};
    }

    QtProfileStore profile;
    CVoicePagerDoc doc{profile};
    CMainFrame frame{profile, doc};
    test::ModalAnswerer modals;
};

TEST_F(MainFrameTest, MenusCarryTheirTextsInOrder) {
    QStringList menus;
    for (QAction* a : frame.menuBar()->actions())
        menus << a->text();
    EXPECT_EQ(menus, (QStringList{"&File", "Operation", "&View", "&Tools", "&Help"}));
    EXPECT_EQ(menuTexts("Operation"),
              (QStringList{"Read Codeplug\tF3", "Write Codeplug\tF7", "Write Custom Audio", "-",
                           "Write to All Cradles..."}));
    EXPECT_EQ(menuTexts("&Tools"), (QStringList{"&System Setup\tF9", "-", "Test Page...",
                                                "Find Tones in a Recording..."}));
    EXPECT_EQ(menuTexts("&Help"), (QStringList{"Content and Index...\tF1", "About the link trace",
                                               "About Tessaly VI Quorl...\tCtrl+H"}));
    const QStringList file = menuTexts("&File");
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(file.first(), "&Open...\tCtrl+O");
    EXPECT_EQ(file.last(), "E&xit");
}

TEST_F(MainFrameTest, AcceleratorsPromptsAndToolbarOrder) {
    EXPECT_EQ(frame.action(Command::ReadCodeplug)->shortcut(), QKeySequence(Qt::Key_F3));
    EXPECT_EQ(frame.action(Command::WriteCodeplug)->shortcut(), QKeySequence(Qt::Key_F7));
    EXPECT_EQ(frame.action(Command::UserData)->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_EQ(frame.action(Command::SystemSetup)->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_EQ(frame.action(Command::Help)->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(frame.action(Command::About)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
    EXPECT_EQ(frame.action(Command::ReadCodeplug)->statusTip(), "Read codeplug from pager");
    EXPECT_EQ(frame.action(Command::ReadCodeplug)->toolTip(), "Read Codplug ");

    auto* bar = frame.findChild<QToolBar*>(QStringLiteral("standardToolBar"));
    ASSERT_NE(bar, nullptr);
    QList<QAction*> expected{frame.action(Command::Open),
                             nullptr,
                             frame.action(Command::ReadCodeplug),
                             frame.action(Command::WriteCodeplug),
                             frame.action(Command::WriteCustomAudio),
                             nullptr,
                             frame.action(Command::UserData),
                             frame.action(Command::CustomAudio),
                             nullptr,
                             frame.action(Command::SystemSetup),
                             nullptr,
                             frame.action(Command::Print),
                             nullptr,
                             frame.action(Command::About),
                             frame.action(Command::Help)};
    expected.insert(1, frame.action(Command::Save));
    const auto actual = bar->actions();
    ASSERT_EQ(actual.size(), expected.size());
    for (int i = 0; i < actual.size(); ++i) {
        if (expected[i])
            EXPECT_EQ(actual[i], expected[i]) << i;
        else
            EXPECT_TRUE(actual[i]->isSeparator()) << i;
    }
}

TEST_F(MainFrameTest, EnablingBeforeAndAfterALoad) {
    EXPECT_FALSE(frame.action(Command::Save)->isEnabled());
    EXPECT_FALSE(frame.action(Command::UserData)->isEnabled());
    EXPECT_FALSE(frame.action(Command::WriteCodeplug)->isEnabled());
    EXPECT_TRUE(frame.action(Command::ReadCodeplug)->isEnabled());
    EXPECT_TRUE(frame.action(Command::CustomAudio)->isEnabled());
    EXPECT_EQ(frame.windowTitle(), "Untitled - Tessaly VI Quorl");

    doc.openAtStartup(QStringLiteral("\"") + kLib + QStringLiteral("/Default_VHF_5CH.ppg\""));
    EXPECT_TRUE(doc.state().loaded);
    EXPECT_TRUE(frame.action(Command::Save)->isEnabled());
    EXPECT_TRUE(frame.action(Command::WriteCodeplug)->isEnabled());
    EXPECT_EQ(frame.windowTitle(), "Default_VHF_5CH.ppg - Tessaly VI Quorl");
    EXPECT_EQ(QString::fromStdString(profile.readString("Settings", "WorkingDir", "")),
              kLib + "/Default_VHF_5CH.ppg");
    EXPECT_EQ(profile.recentFiles().value(0), kLib + "/Default_VHF_5CH.ppg");
}

TEST_F(MainFrameTest, ReadCodeplugWhileBusyDoesNothing) {
    std::atomic<int> runs{0};
    frame.operations().setBody(PagerOperation::ReadCodeplug, [&](PagerOperation) { ++runs; });
    {
        const BusyClaim fleetWindow(doc.state().busy);
        QTest::keyClick(&frame, Qt::Key_F3);
        frame.operations().join(); // a worker, had one started, has ended
        EXPECT_EQ(runs, 0);
    }
    QTest::keyClick(&frame, Qt::Key_F3);
    EXPECT_TRUE(waitFor([&] { return runs == 1; }));
    EXPECT_TRUE(waitFor([&] { return frame.view()->timer0Running(); }))
        << "timer 0 runs again after the operation";
    EXPECT_FALSE(doc.state().busy);
}

// The title names the file until a read has become the document.
TEST_F(MainFrameTest, TheTitleChangesOnlyWhenAReadSucceeds) {
    doc.openAtStartup(kLib + QStringLiteral("/Default_VHF_5CH.ppg"));
    const QString named = QStringLiteral("Default_VHF_5CH.ppg - Tessaly VI Quorl");
    std::atomic<bool> succeed{false};
    std::atomic<int> runs{0};
    frame.operations().setBody(PagerOperation::ReadCodeplug, [&](PagerOperation) {
        if (succeed) { // what a whole read does to the document
            doc.state().currentPath.clear();
            frame.operationSucceeded();
        }
        ++runs;
    });
    for (const bool ok : {false, true}) {
        succeed = ok;
        QTest::keyClick(&frame, Qt::Key_F3);
        ASSERT_TRUE(waitFor([&] { return runs == (ok ? 2 : 1) && frame.view()->timer0Running(); }));
        EXPECT_EQ(frame.windowTitle(), ok ? QStringLiteral("Untitled - Tessaly VI Quorl") : named);
    }
}

// A read that ends while the Custom Audio window is open shows its User Data window
// after that closes, never over it.
TEST_F(MainFrameTest, UserDataWaitsForTheCustomAudioWindow) {
    int opened = 0;
    doc.setUserDataOpener([&] { ++opened; });
    doc.holdUserData(true); // the Custom Audio window opens
    doc.openUserData();     // the read ends
    EXPECT_EQ(opened, 0);
    doc.holdUserData(false); // it closes
    EXPECT_EQ(opened, 1);
    doc.holdUserData(true);
    doc.holdUserData(false);
    EXPECT_EQ(opened, 1) << "nothing was asked for";
    doc.openUserData();
    EXPECT_EQ(opened, 2);
}

TEST_F(MainFrameTest, TimerStopsWhileAnOperationRuns) {
    std::promise<void> release;
    frame.view()->startTimer0();
    frame.operations().setBody(PagerOperation::ReadCodeplug, [wait = release.get_future().share()](
                                                                 PagerOperation) { wait.wait(); });
    frame.runPagerOperation(PagerOperation::ReadCodeplug);
    EXPECT_TRUE(doc.state().busy);
    const bool timerSeenStopped = !frame.view()->timer0Running();
    release.set_value();
    EXPECT_TRUE(timerSeenStopped);
    EXPECT_TRUE(waitFor([&] { return frame.view()->timer0Running(); }));
}

TEST_F(MainFrameTest, AnOperationThatWorkedLeavesANoteWithItsTime) {
    bool succeed = true;
    for (auto op : {PagerOperation::ReadCodeplug, PagerOperation::WriteCodeplug,
                    PagerOperation::WriteCustomAudio})
        frame.operations().setBody(op, [&](PagerOperation) {
            frame.operationHost().openProgress("Reading...");
            std::this_thread::sleep_for(std::chrono::milliseconds(120));
            frame.operationHost().closeProgress();
            if (succeed)
                frame.operationSucceeded();
        });
    const QRegularExpression note(
        QStringLiteral("^Read the pager in (\\d+\\.\\d) s \\(\\d\\d:\\d\\d\\)$"));
    frame.runPagerOperation(PagerOperation::ReadCodeplug);
    ASSERT_TRUE(waitFor([&] { return !frame.statusBar()->currentMessage().isEmpty(); }));
    const auto match = note.match(frame.statusBar()->currentMessage());
    ASSERT_TRUE(match.hasMatch()) << frame.statusBar()->currentMessage().toStdString();
    EXPECT_GE(match.captured(1).toDouble(), 0.1);

    frame.runPagerOperation(PagerOperation::WriteCodeplug);
    ASSERT_TRUE(waitFor(
        [&] { return frame.statusBar()->currentMessage().startsWith("Wrote the pager in "); }));
    frame.runPagerOperation(PagerOperation::WriteCustomAudio);
    ASSERT_TRUE(waitFor([&] {
        return frame.statusBar()->currentMessage().startsWith("Wrote the custom audio in ");
    }));

    // A failure has had its message box; the status bar says nothing of success.
    succeed = false;
    frame.runPagerOperation(PagerOperation::WriteCodeplug);
    // The frame has taken up the end once timer 0 runs again.
    ASSERT_TRUE(waitFor([&] { return !doc.state().busy.load() && frame.view()->timer0Running(); }));
    EXPECT_EQ(frame.statusBar()->currentMessage(), QString());
}

TEST_F(MainFrameTest, TheTitleMarksUnsavedEdits) {
    frame.updateCommandUI();
    EXPECT_FALSE(frame.windowTitle().contains('*'));
    doc.state().modified = true;
    frame.updateCommandUI();
    EXPECT_TRUE(frame.windowTitle().endsWith("* - Tessaly VI Quorl"))
        << frame.windowTitle().toStdString();
}

// Nothing the first window does not need runs before it is painted.
TEST(MainFrameStartup, TheCradleScanWaitsForTheFirstPaint) {
    QtProfileStore profile;
    CVoicePagerDoc doc{profile};
    CMainFrame frame{profile, doc};
    int scans = 0;
    bool paintedSignal = false;
    frame.setCradleProbe([&] {
        ++scans;
        return true;
    });
    QObject::connect(&frame, &CMainFrame::firstPainted, [&] { paintedSignal = true; });
    frame.show();
    EXPECT_EQ(scans, 0) << "the scan ran before the window was painted";
    EXPECT_TRUE(waitFor([&] { return paintedSignal; }));
    EXPECT_EQ(scans, 1);
    EXPECT_TRUE(frame.cradleConnected());
    frame.view()->stopTimer0();
}

// The welcome picture is drawn beside the start-up, so the first paint never waits
// for it; the view shows it as soon as it is ready.
TEST(MainFrameStartup, TheWelcomePictureFollowsTheFirstPaint) {
    QtProfileStore profile;
    CVoicePagerDoc doc{profile};
    CMainFrame frame{profile, doc};
    frame.setCradleProbe([] { return false; });
    frame.show();
    const QPoint insidePagerBody(110, 300);
    const QColor pagerBody(29, 53, 87);
    EXPECT_TRUE(waitFor([&] {
        return frame.view()->viewport()->grab().toImage().pixelColor(insidePagerBody) == pagerBody;
    })) << "the picture never replaced the sky colour";
    frame.view()->stopTimer0();
}

TEST(MainFrameStartup, AViewClosedWhileItsPictureIsDrawnLeavesCleanly) {
    // Made and destroyed at once, again and again: the worker drawing the picture
    // must finish before the view goes (the sanitizer build catches a late write).
    for (int i = 0; i < 5; ++i) {
        CVoicePagerView view;
        if (i % 2)
            view.show();
    }
    QApplication::processEvents();
    CVoicePagerView view;
    view.resize(CVoicePagerView::scrollSize());
    view.waitForPicture();
    EXPECT_EQ(view.viewport()->grab().toImage().pixelColor(110, 300), QColor(29, 53, 87))
        << "a picture taken for the manual must show the whole picture";
}

// Nothing above the worker can take up an exception; the document must not stay
// held, or every pager command would stay locked out.
TEST_F(MainFrameTest, AnOperationThatThrowsGivesTheCommandsBack) {
    std::atomic<int> runs{0};
    frame.operations().setBody(PagerOperation::ReadCodeplug, [&](PagerOperation) {
        ++runs;
        throw std::runtime_error("the port went away");
    });
    for (const int n : {1, 2}) {
        QTest::keyClick(&frame, Qt::Key_F3);
        ASSERT_TRUE(waitFor([&] {
            return runs == n && !doc.state().busy.load() && frame.view()->timer0Running();
        }));
    }
}

TEST_F(MainFrameTest, ClosingWhileAnOperationRunsWaits) {
    std::promise<void> release;
    frame.operations().setBody(PagerOperation::ReadCodeplug, [wait = release.get_future().share()](
                                                                 PagerOperation) { wait.wait(); });
    frame.runPagerOperation(PagerOperation::ReadCodeplug);
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    release.set_value();
    EXPECT_TRUE(waitFor([&] { return !doc.state().busy.load(); }));
}

TEST_F(MainFrameTest, StatusBarShowsTheLockKeys) {
    auto* caps = frame.statusBar()->findChild<QLabel*>(QStringLiteral("capsIndicator"));
    auto* num = frame.statusBar()->findChild<QLabel*>(QStringLiteral("numIndicator"));
    ASSERT_NE(caps, nullptr);
    ASSERT_NE(num, nullptr);
    EXPECT_EQ(caps->text(), "CAP");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, 38, 38, 0x02 | 0x10, "a");
    QApplication::sendEvent(frame.view(), &press);
    EXPECT_TRUE(caps->isEnabled());
    EXPECT_TRUE(num->isEnabled());
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_CapsLock, Qt::NoModifier, 66, 66, 0x02 | 0x10);
    QApplication::sendEvent(frame.view(), &release);
    EXPECT_FALSE(caps->isEnabled()) << "Caps Lock released: it just went off";
    EXPECT_TRUE(num->isEnabled());
}

TEST_F(MainFrameTest, SystemSetupWithoutACradleSaysSo) {
    modals.pressOnNextBox(QMessageBox::Ok);
    frame.onSystemSetup();
    ASSERT_EQ(modals.texts.size(), 1);
    EXPECT_EQ(modals.texts[0], "Communication Error #1 \n\nUSB device not connected! \nPlease "
                               "connect the pager programming cradle to your PC and try again. ");
    ASSERT_EQ(modals.icons.size(), 1);
    EXPECT_EQ(modals.icons[0], QMessageBox::Critical);
}

TEST_F(MainFrameTest, CloseAsksAboutUnsavedChangesAndCancelStaysOpen) {
    doc.openAtStartup(kLib + "/Default_UHF_1CH.ppg");
    doc.state().modified = true;
    modals.pressOnNextBox(QMessageBox::Cancel);
    EXPECT_FALSE(frame.close());
    EXPECT_EQ(modals.texts.value(0), " Do you want to save the changes current codeplug ?  ");
    EXPECT_EQ(modals.icons.value(0), QMessageBox::Question);
    modals.pressOnNextBox(QMessageBox::No);
    EXPECT_TRUE(frame.close());
}

TEST_F(MainFrameTest, SaveThatCannotWriteShowsFileError3AndKeepsTheFile) {
    test::TempDir dir;
    const auto path = dir / "mine.ppg";
    ASSERT_TRUE(writePpgFile(path, test::validImage()));
    const auto before = test::readAll(path);
    doc.openAtStartup(QString::fromStdString(path.string()));
    doc.state().image.set(0x0210, 0x07);
    modals.pressOnNextBox(QMessageBox::Ok);
    {
        test::FileSizeLimit diskFull(4096);
        frame.onFileSave();
    }
    ASSERT_EQ(modals.texts.size(), 1);
    EXPECT_TRUE(modals.texts[0].startsWith("File Error #3 \n\nCannot save the file"));
    EXPECT_EQ(test::readAll(path), before);
}

TEST_F(MainFrameTest, SaveAndExportTextEndWithANoteOnlyWhenTheFileReadsBack) {
    test::TempDir dir;
    const auto path = dir / "mine.ppg";
    ASSERT_TRUE(writePpgFile(path, test::validImage()));
    doc.openAtStartup(QString::fromStdString(path.string()));
    frame.statusBar()->clearMessage();
    frame.onFileSave();
    EXPECT_EQ(frame.statusBar()->currentMessage(),
              "Saved " + QString::fromStdString(path.string()));
    // A save that fails says so in its box and notes nothing.
    frame.statusBar()->clearMessage();
    modals.pressOnNextBox(QMessageBox::Ok);
    {
        test::FileSizeLimit diskFull(4096);
        doc.state().modified = true;
        frame.onFileSave();
    }
    EXPECT_EQ(frame.statusBar()->currentMessage(), "");

    const QString text = QString::fromStdString((dir / "mine.yaml").string());
    modals.onNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Export Text");
        dialog->selectFile(text);
        static_cast<QDialog*>(dialog)->accept();
    });
    frame.onExportText();
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Exported " + text);
}

TEST(SuggestedFileName, TheFilesNameElseTheSerialNumberElseCodeplug) {
    CodeplugState state;
    state.loadBoth(test::validImage());
    const std::string serial = GeneralBlock(state.image).serialNumber();
    ASSERT_FALSE(serial.empty());
    EXPECT_EQ(suggestedFileBase(state), "codeplug") << "nothing loaded";
    state.loaded = true;
    EXPECT_EQ(suggestedFileBase(state), serial) << "after a read";
    state.currentFileName = "fire brigade.v2.ppg";
    EXPECT_EQ(suggestedFileBase(state), "fire brigade.v2");
    state.currentFileName.clear();
    state.image.set(general_offset::kSerialNumber, 0xFF); // a pager with no serial number
    EXPECT_EQ(suggestedFileBase(state), "codeplug");
}

TEST_F(MainFrameTest, OpenDialogStartsInLibWhenWorkingDirIsZero) {
    profile.writeString("Settings", "WorkingDir", "0");
    QString shownFolder;
    modals.onNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        if (dialog)
            shownFolder = dialog->directory().absolutePath();
        w->close();
    });
    frame.onFileOpen();
    EXPECT_EQ(shownFolder, kLib);
}

TEST_F(MainFrameTest, OpenThroughTheDialogLoadsTheFile) {
    modals.onNextModal([](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->selectFile(kLib + "/Default_UHF_1CH.ppg");
        static_cast<QDialog*>(dialog)->accept();
    });
    frame.onFileOpen();
    EXPECT_TRUE(doc.state().loaded);
    EXPECT_EQ(doc.state().currentFileName, "Default_UHF_1CH.ppg");
    EXPECT_EQ(doc.state().bandLowMHz(), 450);
    // The view names what is loaded instead of asking for a read.
    const QString note = frame.view()->note();
    EXPECT_FALSE(note.contains("F3")) << note.toStdString();
    EXPECT_TRUE(note.endsWith(QStringLiteral(", 1 channel. Press F5 to edit it, F7 to write it to "
                                             "the pager in the cradle.")))
        << note.toStdString();
    EXPECT_TRUE(note.contains(
        QStringLiteral("serial number %1")
            .arg(QString::fromStdString(GeneralBlock(doc.state().image).serialNumber()).trimmed())))
        << note.toStdString();
}

// On a small screen the welcome picture shrinks to fit the view, whole, and
// nothing scrolls.
TEST(MainViewPicture, ShrinksWholeIntoASmallView) {
    CVoicePagerView view;
    const struct {
        QSize view;
        QRectF picture;
    } cases[] = {
        {{1000, 700}, {0, 0, 920, 550}},
        {{460, 600}, {0, 0, 460, 275}},
        {{920, 275}, {0, 0, 460, 275}},
    };
    for (const auto& c : cases) {
        view.resize(c.view);
        view.viewport()->resize(c.view);
        EXPECT_EQ(view.pictureRect(), c.picture) << c.view.width() << "x" << c.view.height();
    }
    view.resize(400, 300);
    view.show();
    QApplication::processEvents();
    EXPECT_EQ(view.verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(view.horizontalScrollBar()->maximum(), 0);
}

TEST_F(MainFrameTest, AYamlTextOpensOnItsModelsFactoryCodeplugAndSavesAsText) {
    test::TempDir dir;
    const CodeplugImage stock = readPpgFile((kLib + "/Default_UHF_1CH.ppg").toStdString()).image;
    std::string text = textplug::exportText(textplug::codeplugFields(stock, {}), "stock.ppg");
    const auto at = text.find("Always On: Off");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 14, "Always On: On");
    const auto opened = dir / "brigade.yaml";
    std::ofstream(opened) << text;
    // Always On is bit 7 of the model options byte at 0x0211; its checksum at 0x025F
    // and the mirror 0x3B00 higher follow.
    CodeplugImage expected = stock;
    for (const Address a : {0x0211, 0x3D11})
        expected.set(a, expected.at(a) | 0x80);
    for (const Address a : {0x025F, 0x3D5F})
        expected.set(a, static_cast<std::uint8_t>(expected.at(a) + 0x80));

    doc.openRecent(QString::fromStdString(opened.string()));
    ASSERT_TRUE(doc.state().loaded);
    EXPECT_TRUE(doc.state().image == expected);
    EXPECT_EQ(doc.state().currentFileName, "brigade.yaml");
    EXPECT_TRUE(modals.texts.isEmpty());

    const auto saved = dir / "saved.yaml";
    modals.onNextModal([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->selectNameFilter(QStringLiteral("YAML text (*.yaml *.yml)"));
        EXPECT_EQ(dialog->selectedNameFilter(), QStringLiteral("YAML text (*.yaml *.yml)"));
        dialog->selectFile(QString::fromStdString(saved.string()));
        static_cast<QDialog*>(dialog)->accept();
    });
    ASSERT_TRUE(doc.document().onFileSaveAs());
    const auto written = test::readAll(saved);
    EXPECT_NE(std::string(written.begin(), written.end()).find("\n  Always On: On\n"),
              std::string::npos);
    EXPECT_EQ(profile.recentFiles().value(0).toStdString(), saved.string());

    doc.state().loadBoth(stock);
    doc.openRecent(QString::fromStdString(saved.string()));
    EXPECT_TRUE(doc.state().image == expected);
}

TEST_F(MainFrameTest, FirstUpdateFitsTheFrameIntoASmallScreenWithThePictureWhole) {
    // The offscreen screen is 800 x 600, smaller than the 920 x 550 view and its bars.
    CMainFrame fresh(profile, doc);
    fresh.show();
    QApplication::processEvents();
    const QRect available = fresh.screen()->availableGeometry();
    EXPECT_LE(fresh.width(), available.width());
    EXPECT_LE(fresh.height(), available.height());
    const QRectF picture = fresh.view()->pictureRect();
    EXPECT_TRUE(QRectF(fresh.view()->viewport()->rect()).contains(picture));
    EXPECT_NEAR(picture.width() / picture.height(), 920.0 / 550.0, 0.01);
    EXPECT_TRUE(fresh.view()->timer0Running());
    fresh.close();
}

} // namespace
} // namespace quorl

namespace quorl {
namespace {

// F1 opens the manual in the program's own window: contents from the manual's
// headings, a section chosen by name, Back to where the reader was, and search.
TEST_F(MainFrameTest, HelpOpensInItsOwnWindowWithContentsBackAndSearch) {
    frame.action(Command::Help)->trigger();
    CHelpViewer* help = frame.helpViewer();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(modals.texts.isEmpty());
    EXPECT_TRUE(help->browser()->toPlainText().contains("Getting started"));
    // The manual's sections with an id, in order (h2 and h3 of resources/help).
    ASSERT_EQ(help->contents()->count(), 14);
    EXPECT_EQ(help->contents()->item(0)->text(), "Getting started");
    EXPECT_EQ(help->contents()->item(5)->text(), "    Test pages");
    EXPECT_EQ(help->contents()->item(13)->text(), "Every window");

    help->contents()->setCurrentRow(9); // About the link trace
    EXPECT_EQ(help->browser()->source().fragment(), "trace");
    const QTextCursor top = help->browser()->cursorForPosition(QPoint(4, 4));
    EXPECT_EQ(top.block().text(), "About the link trace");
    EXPECT_TRUE(help->backButton()->isEnabled());
    QTest::mouseClick(help->backButton(), Qt::LeftButton);
    EXPECT_EQ(help->browser()->source().fragment(), "");
    EXPECT_TRUE(help->forwardButton()->isEnabled());

    help->searchBox()->setText("link trace");
    EXPECT_TRUE(help->findNext());
    EXPECT_EQ(help->browser()->textCursor().selectedText(), "link trace");
    help->searchBox()->setText("no such words in the manual");
    EXPECT_FALSE(help->findNext());

    // A second F1 brings the same window forward.
    frame.action(Command::Help)->trigger();
    EXPECT_EQ(frame.helpViewer(), help);
    help->close();
}

} // namespace
} // namespace quorl

namespace quorl {
namespace {

// View > Theme changes every window at once and is remembered for the next start.
TEST_F(MainFrameTest, ThemeMenuSwitchesThePaletteAndRemembersTheChoice) {
    auto* menu = frame.findChild<QMenu*>(QStringLiteral("themeMenu"));
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> choices = menu->actions();
    ASSERT_EQ(choices.size(), 3);
    EXPECT_EQ(choices[0]->text(), "&System");
    EXPECT_TRUE(choices[0]->isChecked());
    const QPalette system = QApplication::palette();

    choices[2]->trigger(); // Dark
    EXPECT_LT(QApplication::palette().color(QPalette::Window).lightness(), 80);
    EXPECT_GT(QApplication::palette().color(QPalette::WindowText).lightness(), 200);
    EXPECT_EQ(QApplication::style()->name(), "fusion");
    EXPECT_EQ(profile.settings().value("Settings/Theme").toString(), "Dark");
    {
        CMainFrame next{profile, doc};
        auto* nextMenu = next.findChild<QMenu*>(QStringLiteral("themeMenu"));
        EXPECT_TRUE(nextMenu->actions()[2]->isChecked());
    }
    choices[1]->trigger(); // Light
    EXPECT_GT(QApplication::palette().color(QPalette::Window).lightness(), 180);
    choices[0]->trigger(); // back to the desktop's own
    EXPECT_EQ(QApplication::palette().color(QPalette::Window), system.color(QPalette::Window));
    EXPECT_EQ(profile.settings().value("Settings/Theme").toString(), "System");
}

} // namespace
} // namespace quorl
