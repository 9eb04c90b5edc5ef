// Texts from the pager or a file reach every window as written: never read as
// markup, and with no control character or direction override left to act.
#include "app/inventory_window.h"
#include "app/main_frame.h"
#include "app/qt_profile_store.h"
#include "app/summary_report.h"
#include "app/voice_pager_doc.h"
#include "app/voice_pager_view.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/general_block.h"
#include "codeplug/ppg_file.h"
#include "editors/ui/data_tab_dlg.h"
#include "editors/ui/main_dlg.h"
#include "inventory/sqlite_database.h"
#include "modal_answerer.h"
#include "recording_paint_device.h"
#include "tests/support/test_files.h"
#include "user_data_fixture.h"
#include "widgets/system_text.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QStatusBar>
#include <QTableWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace quorl {
namespace {

struct Hostile {
    const char* text;  // as the pager or the file holds it
    const char* shown; // as a window shows it, worked out by hand
};

const Hostile kHostile[] = {
    {"<b>x</b>", "<b>x</b>"},
    {"&amp;", "&amp;"},
    {"A\u202EB", "A\\xE2\\x80\\xAEB"},
    {"A\x1B[2J", "A\\x1B[2J"},
    {"A\xC2\x85"
     "B",
     "A\\xC2\\x85B"},
    {"A\x7F\x01", "A\\x7F\\x01"},
    {"a[*]b", "a[*]b"}, // in a title, Qt's marker of unsaved edits
};

QString q(const char* s) {
    return QString::fromUtf8(s);
}

// A file name cannot hold '/'.
std::string fileNameOf(const Hostile& h) {
    std::string name = h.text;
    std::erase(name, '/');
    return "p" + name + ".ppg";
}

QString shownFileName(const Hostile& h) {
    return q("p") + q(h.shown).remove(QLatin1Char('/')) + q(".ppg");
}

CodeplugImage imageSaying(const Hostile& h) {
    CodeplugImage image = test::validImage();
    EditableGeneralBlock general(image);
    general.setSerialNumber(h.text);
    general.setModelNumber(h.text);
    return image;
}

TEST(PagerText, OneLineAndMessageFormsEscapeAsWorkedOut) {
    const struct {
        const char* text;
        const char* field;
        const char* message;
    } cases[] = {
        {"SN\r\n2", "SN\\r\\n2", "SN\n2"},
        {"a\\b\tc", "a\\\\b\\tc", "a\\b\tc"},
        {"\xFF"
         "x",
         "\\xFFx", "\\xFFx"},
        {"x\ry", "x\\ry", "x\\x0Dy"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fieldText(std::string_view(c.text)), q(c.field)) << c.text;
        EXPECT_EQ(systemText(std::string_view(c.text)), q(c.message)) << c.text;
    }
    for (const auto& h : kHostile) {
        EXPECT_EQ(fieldText(std::string_view(h.text)), q(h.shown)) << h.text;
        EXPECT_EQ(systemText(std::string_view(h.text)), q(h.shown)) << h.text;
    }
    EXPECT_EQ(plainToolTip(q("<b>x</b>")), q("<p>&lt;b&gt;x&lt;/b&gt;</p>"));
    EXPECT_EQ(plainToolTip(q("port 1")), q("port 1"));
}

TEST(PagerText, TheMainWindowShowsPagerTextsAndFileNamesAsWritten) {
    for (const auto& h : kHostile) {
        test::TempDir dir;
        const auto path = dir / fileNameOf(h);
        ASSERT_TRUE(writePpgFile(path, imageSaying(h)));
        QtProfileStore profile;
        profile.settings().clear();
        CVoicePagerDoc doc{profile};
        CMainFrame frame{profile, doc};
        doc.openAtStartup(QString::fromStdString(path.string()));
        ASSERT_TRUE(doc.state().loaded) << h.text;
        // The title as the desktop shows it.
        frame.show();
        EXPECT_EQ(frame.windowHandle()->title(), shownFileName(h) + " - Tessaly VI Quorl")
            << h.text;
        EXPECT_TRUE(frame.view()->note().startsWith("Codeplug loaded: model " + q(h.shown) +
                                                    ", serial number " + q(h.shown) + ", "))
            << frame.view()->note().toStdString();
        frame.onFileSave();
        EXPECT_EQ(frame.statusBar()->currentMessage(),
                  "Saved " + QString::fromStdString(dir.path().string()) + "/" + shownFileName(h))
            << h.text;
    }
}

TEST(PagerText, TheRefusedFileIsNamedInAPlainTextBox) {
    for (const auto& h : kHostile) {
        test::TempDir dir;
        const auto path = dir / fileNameOf(h);
        test::writeAll(path, std::vector<char>(10, 'x'));
        QtProfileStore profile;
        CVoicePagerDoc doc{profile};
        test::ModalAnswerer modals;
        modals.pressOnNextBox(QMessageBox::Ok);
        doc.openAtStartup(QString::fromStdString(path.string()));
        EXPECT_EQ(modals.formats, QList<Qt::TextFormat>{Qt::PlainText}) << h.text;
        EXPECT_TRUE(
            modals.texts.value(0).contains("/" + shownFileName(h) + ": not a codeplug file"))
            << h.text;
    }
}

TEST(PagerText, UserDataPrintAndInventoryShowTheIdentityAsWritten) {
    for (const auto& h : kHostile) {
        const CodeplugImage image = imageSaying(h);
        auto state = std::make_unique<CodeplugState>();
        state->loadBoth(image);
        state->loaded = true;
        test::RecordingAuditionPort port;
        CDataTabDlg window(*state, port, [] { return true; });
        EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("serialNumber"))->text(), q(h.shown));
        EXPECT_EQ(window.findChild<QLineEdit*>(QStringLiteral("modelNumber"))->text(), q(h.shown));
        window.onCancel();

        test::RecordingPaintDevice device;
        QPainter painter(&device);
        SummaryReport(image, h.text, "V02.13").paintPage(painter, 1, 600);
        painter.end();
        EXPECT_TRUE(device.recording.hasText("SERIAL : " + q(h.shown))) << h.text;
        EXPECT_TRUE(device.recording.hasText("MODEL : " + q(h.shown))) << h.text;
        EXPECT_NE(device.recording.find(
                      "Welcome to Corvane Tessaly VI Quorl! (File Name : " + q(h.shown) + " )"),
                  nullptr)
            << h.text;

        test::TempDir dir;
        auto store = std::make_unique<inventory::InventoryStore>(
            std::make_unique<inventory::SqliteDatabase>(dir / "inv.sqlite"));
        inventory::InventoryRecord r;
        r.id = "1";
        r.at = "2026-01-01T08:00:00.000000Z";
        r.serialNumber = h.text;
        r.model = h.text;
        r.operation = "read";
        r.result = "succeeded";
        store->add(r);
        CInventoryWnd inventory(std::move(store), {}, nullptr);
        ASSERT_EQ(inventory.pagers()->rowCount(), 1) << h.text;
        EXPECT_EQ(inventory.pagers()->item(0, 0)->text(), q(h.shown));
        EXPECT_EQ(inventory.pagers()->item(0, 1)->text(), q(h.shown));
    }
}

} // namespace
} // namespace quorl
