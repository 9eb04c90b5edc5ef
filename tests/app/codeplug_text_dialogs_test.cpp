// File > Export Text... and Import Text... with their real dialogs.
#include "app/codeplug_text_dialogs.h"
#include "codeplug/channel_block.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/default_codeplug.h"
#include "modal_answerer.h"
#include "test_files.h"

#include <QDialog>
#include <QFileDialog>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>

namespace quorl {
namespace {

class TextDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        state->loadBoth(makeDefaultCodeplug(vhfFiveChannelFactory()));
        ASSERT_TRUE(state->checkImage());
        state->currentFileName = "brigade.ppg";
    }
    void chooseFile(const std::string& path) {
        modals.onNextModal([path](QWidget* w) {
            auto* dialog = qobject_cast<QFileDialog*>(w);
            ASSERT_NE(dialog, nullptr);
            dialog->selectFile(QString::fromStdString(path));
            static_cast<QDialog*>(dialog)->accept();
        });
    }
    std::string exported() {
        const auto path = (dir / "brigade.yaml").string();
        chooseFile(path);
        exportTextWithDialog(nullptr, *state, QString::fromStdString(dir.path().string()));
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void importText(const std::string& text, bool expectChange) {
        const auto path = (dir / "edited.yaml").string();
        std::ofstream(path) << text;
        chooseFile(path);
        modals.pressOnNextBox(QMessageBox::Ok);
        EXPECT_EQ(importTextWithDialog(nullptr, *state, QString()), expectChange);
    }

    std::unique_ptr<CodeplugState> state = std::make_unique<CodeplugState>();
    test::TempDir dir;
    test::ModalAnswerer modals;
};

TEST_F(TextDialogs, ARefusedTextChangesNothingAndListsWhy) {
    std::string text = exported();
    ASSERT_NE(text.find("# Source: brigade.ppg"), std::string::npos);
    const auto at = text.find("Tone 1: 389.0");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 13, "Tone 1: 200");
    const CodeplugImage before = state->image;
    importText(text, false);
    EXPECT_TRUE(state->image == before);
    EXPECT_TRUE(state->editImage == before);
    EXPECT_FALSE(state->modified);
    ASSERT_EQ(modals.texts.size(), 1);
    EXPECT_TRUE(modals.texts[0].contains(
        "edited.yaml:104:15: F2 Call 1 Tone 1: WARNING: Tone Frequency must be within 280Hz to "
        "3400Hz range."))
        << modals.texts[0].toStdString();
    EXPECT_EQ(modals.icons[0], QMessageBox::Critical);
}

TEST_F(TextDialogs, AnAcceptedTextBecomesTheCodeplugAndTheAdjustmentsAreShown) {
    std::string text = exported();
    const auto at = text.find("Tone 1: 389.0");
    text.replace(at, 13, "Tone 1: 1000");
    importText(text, true);
    EXPECT_TRUE(state->modified);
    EXPECT_EQ(ConstChannelBlock(state->image, 1).callTone(1, 1).tenthsHz, 10069);
    EXPECT_TRUE(state->editImage == state->image);
    ASSERT_EQ(modals.texts.size(), 1);
    EXPECT_TRUE(modals.texts[0].contains("F2 Call 1 Tone 1: taken as 1006.9"));
    EXPECT_EQ(modals.icons[0], QMessageBox::Information);
}

} // namespace
} // namespace quorl
