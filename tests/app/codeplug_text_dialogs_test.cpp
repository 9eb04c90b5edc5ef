// File > Export Text... and Import Text... with their real dialogs.
#include "app/codeplug_text_dialogs.h"
#include "codeplug/channel_block.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/default_codeplug.h"
#include "modal_answerer.h"
#include "tests/support/test_files.h"

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
        "edited.yaml:106:15: F2 Call 1 Tone 1: WARNING: Tone Frequency must be within 280Hz to "
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

TEST_F(TextDialogs, ExportOntoAnExistingTextUpdatesItOrReplacesIt) {
    const auto path = (dir / "brigade.yaml").string();
    std::ofstream(path, std::ios::app) << "# checked by Ruth, 2026-03\n";
    ChannelBlock(state->image, 1).setSquelchLevel(0);
    const auto exportOnto = [&](QMessageBox::StandardButton answer) {
        chooseFile(path);
        modals.pressOnNextBox(answer);
        exportTextWithDialog(nullptr, *state, QString::fromStdString(dir.path().string()));
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    // The file does not read as a codeplug yet: nothing is written over it.
    EXPECT_EQ(exportOnto(QMessageBox::Yes), "# checked by Ruth, 2026-03\n");
    ASSERT_EQ(modals.texts.size(), 2);
    EXPECT_TRUE(modals.texts[0].contains("brigade.yaml exists.")) << modals.texts[0].toStdString();

    const std::string fresh = exportOnto(QMessageBox::No);
    EXPECT_EQ(fresh.find("checked by Ruth"), std::string::npos);
    std::ofstream(path) << fresh << "# checked by Ruth, 2026-03\n";
    ChannelBlock(state->image, 1).setSquelchLevel(4);
    const std::string updated = exportOnto(QMessageBox::Yes);
    EXPECT_TRUE(updated.ends_with("# checked by Ruth, 2026-03\n"));
    EXPECT_NE(updated.find("  F2:\n    Receiver Frequency: 154.190000\n    Channel Bandwidth: "
                           "25\n    Squelch Level: 5\n"),
              std::string::npos)
        << updated;
}

TEST_F(TextDialogs, ATextOfSomeValuesIsOfferedAsAPatch) {
    const auto path = (dir / "patch.yaml").string();
    std::ofstream(path) << "channels:\n  F2: {Squelch Level: 5}\n";
    chooseFile(path);
    modals.pressOnNextBox(QMessageBox::Yes);
    modals.pressOnNextBox(QMessageBox::Ok); // the note about the missing format key
    EXPECT_TRUE(importTextWithDialog(nullptr, *state, QString()));
    EXPECT_EQ(ConstChannelBlock(state->image, 1).squelchLevel(), 4);
    EXPECT_EQ(ConstChannelBlock(state->image, 0).squelchLevel(), 2) << "the rest is kept";
    ASSERT_GE(modals.texts.size(), 1);
    EXPECT_TRUE(modals.texts[0].contains("Apply only the values in the text?"));

    // Declined: nothing changes.
    std::ofstream(path) << "channels:\n  F2: {Squelch Level: 1}\n";
    chooseFile(path);
    modals.pressOnNextBox(QMessageBox::No);
    modals.pressOnNextBox(QMessageBox::Ok); // the list of missing values
    EXPECT_FALSE(importTextWithDialog(nullptr, *state, QString()));
    EXPECT_EQ(ConstChannelBlock(state->image, 1).squelchLevel(), 4);
}

} // namespace
} // namespace quorl
