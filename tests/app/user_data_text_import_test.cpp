// Edit > Import Text... in the User Data window: a real YAML file applied to the
// window's edits, with the file dialog replaced by a fixed choice.
#include "app/codeplug_text_dialogs.h"
#include "codeplug/default_codeplug.h"
#include "editors/ui/channel_f1_dlg.h"
#include "editors/ui/user_data_undo.h"
#include "tests/support/test_files.h"
#include "textplug/codeplug_fields.h"
#include "textplug/text_export.h"
#include "user_data_fixture.h"

#include <QAction>
#include <QSlider>
#include <QTabBar>
#include <fstream>
#include <string>

namespace quorl {
namespace {

// Squelch of channel F2: 0x0300 + 0xA0 + 0x07, stored as the level less one.
constexpr Address kF2Squelch = 0x03A7;

class UserDataTextImport : public test::UserDataFixture {
protected:
    // The factory image's text with F2's squelch at level 5, in a file of its own.
    std::string squelchText() {
        std::string text =
            textplug::exportText(textplug::codeplugFields(test::validImage(), {}), "factory.ppg");
        const auto f2 = text.find("  F2:\n");
        const auto at = text.find("Squelch Level: 3", f2);
        EXPECT_NE(at, std::string::npos);
        text.replace(at, 16, "Squelch Level: 5");
        return written("squelch.yaml", text);
    }
    std::string written(const std::string& name, const std::string& text) {
        const auto path = (dir / name).string();
        std::ofstream(path) << text;
        return path;
    }
    void importFrom(const std::string& path) {
        window->setTextImporter([path](QWidget* owner, const CodeplugImage& base) {
            return importTextOnto(owner, base,
                                  [path](QWidget*) { return QString::fromStdString(path); });
        });
        window->importTextAction()->trigger();
    }
    static bool same(const EditedBytes& a, const EditedBytes& b) {
        return a.committed == b.committed && a.edit == b.edit && a.modified == b.modified;
    }

    test::TempDir dir;
};

TEST_F(UserDataTextImport, AnImportIsOneStepOnTheEditsThatUndoTakesBack) {
    EXPECT_FALSE(window->importTextAction()->isVisible()) << "no importer, no entry";
    const EditedBytes start = EditedBytes::of(*state);
    ASSERT_EQ(start.edit.at(kF2Squelch), 2);
    window->tabBar()->setCurrentIndex(CDataTabDlg::ChannelPage + 1);
    importFrom(squelchText());
    EXPECT_TRUE(window->importTextAction()->isVisible());
    EXPECT_EQ(modals.texts, QStringList());
    EXPECT_EQ(state->editImage.at(kF2Squelch), 4);
    EXPECT_EQ(state->image.at(kF2Squelch), 2) << "the committed image waits for OK";
    EXPECT_TRUE(state->modified);
    EXPECT_EQ(window->channelPage()->squelchSlider()->value(), 4);
    EXPECT_EQ(window->undoAction()->text(), "&Undo Import Text");

    window->undoAction()->trigger();
    EXPECT_TRUE(same(EditedBytes::of(*state), start));
    EXPECT_EQ(window->channelPage()->squelchSlider()->value(), 2);
    window->redoAction()->trigger();
    EXPECT_EQ(state->editImage.at(kF2Squelch), 4);
    window->onOk();
    EXPECT_EQ(state->image.at(kF2Squelch), 4);
}

// A text of F2's squelch alone, imported after F1's squelch was moved: the text
// builds on the window's edits, and Cancel drops both.
TEST_F(UserDataTextImport, ATextBuildsOnTheEditsAndCancelDropsItWithThem) {
    const CodeplugImage committed = state->image;
    window->tabBar()->setCurrentIndex(CDataTabDlg::ChannelPage);
    window->channelPage()->squelchSlider()->setValue(0);
    ASSERT_EQ(state->editImage.at(kF2Squelch - 0xA0), 0);
    modals.pressOnNextBox(QMessageBox::Yes); // "Apply only the values in the text?"
    modals.pressOnNextBox(QMessageBox::Ok);  // the note on the missing format key
    importFrom(written("patch.yaml", "channels:\n  F2: {Squelch Level: 5}\n"));
    EXPECT_EQ(state->editImage.at(kF2Squelch), 4);
    EXPECT_EQ(state->editImage.at(kF2Squelch - 0xA0), 0) << "F1's edit is kept";
    EXPECT_EQ(window->undoAction()->text(), "&Undo Import Text");
    window->onCancel();
    EXPECT_TRUE(state->image == committed);
    EXPECT_EQ(state->editImage.at(kF2Squelch), 2);
    EXPECT_EQ(state->editImage.at(kF2Squelch - 0xA0), 2);
    EXPECT_FALSE(state->modified);
}

// A five-channel text onto a single-channel pager: its channels F2 to F5 are
// refused, the refusal is shown, and the window's edits stay as they were.
TEST_F(UserDataTextImport, ATextOfAnotherModelIsRefusedAndChangesNothing) {
    window->onCancel();
    state->loadBoth(makeDefaultCodeplug(uhfSingleChannelFactory()));
    window = std::make_unique<CDataTabDlg>(*state, port, [] { return true; });
    window->show();
    const EditedBytes start = EditedBytes::of(*state);
    modals.pressOnNextBox(QMessageBox::Ok);
    importFrom(squelchText());
    ASSERT_EQ(modals.texts.size(), 1);
    EXPECT_TRUE(modals.texts[0].contains("squelch.yaml")) << modals.texts[0].toStdString();
    EXPECT_TRUE(modals.texts[0].contains("F2")) << modals.texts[0].toStdString();
    EXPECT_TRUE(same(EditedBytes::of(*state), start));
    EXPECT_FALSE(window->undoAction()->isEnabled());
}

} // namespace
} // namespace quorl
