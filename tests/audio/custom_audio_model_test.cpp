#include "audio/custom_audio_model.h"

#include "audio/audio_texts.h"
#include "tests/support/scripted_answers.h"
#include "tests/support/test_files.h"
#include "tests/support/wav_writer.h"

#include <deque>
#include <fstream>
#include <gtest/gtest.h>

namespace quorl {
namespace {

class ScriptedAudioMessages : public AudioMessages, public test::ScriptedAnswers {
public:
    std::vector<std::string> errors;
    void error(std::string_view text) override { errors.emplace_back(text); }
    Answer askYesNoCancel(std::string_view q) override { return answer(q); }
};

class CustomAudioModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(install / "WavForms");
        for (int i = 0; i < kCustomAudioSlotCount; ++i)
            test::writeWav(defaultRecording(install, i), {});
    }
    CustomAudioModel makeModel() { return CustomAudioModel(install, build / kSlotStateFileName); }
    std::string stateText() { return test::fileText(build / kSlotStateFileName); }

    test::TempDir dir;
    std::filesystem::path install = dir / "share";
    std::filesystem::path build = dir / "BuildIMG";
    ScriptedAudioMessages messages;
};

TEST_F(CustomAudioModelTest, AMissingStateFileIsCreatedWithTheDefaults) {
    auto model = makeModel();
    ASSERT_TRUE(model.open());
    const std::string text = stateText();
    std::string expected;
    for (int i = 0; i < kCustomAudioSlotCount; ++i)
        expected += defaultRecording(install, i).string() + "\r\n";
    for (int i = 0; i < 26; ++i)
        expected += "0\r\n";
    EXPECT_EQ(text, expected);
    for (int i = 0; i < kCustomAudioSlotCount; ++i) {
        EXPECT_FALSE(model.slot(i).write);
        EXPECT_TRUE(model.writeEnabled(i));
    }
    EXPECT_FALSE(model.changed());
}

TEST_F(CustomAudioModelTest, BrowsingAGoodFileTicksWriteAndABadOneClearsIt) {
    auto model = makeModel();
    model.open();
    test::writeWav(dir / "mine.wav", {});
    model.browsed(2, dir / "mine.wav", messages);
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_TRUE(model.slot(2).write);
    EXPECT_EQ(model.activePath(2), dir / "mine.wav");
    EXPECT_EQ(model.lastFolder(2), dir.path());

    test::WavLayout stereo;
    stereo.channels = 2;
    test::writeWav(dir / "stereo.wav", stereo);
    model.browsed(2, dir / "stereo.wav", messages);
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_EQ(messages.errors[0], texts::kFileError5);
    EXPECT_FALSE(model.slot(2).write);
    EXPECT_FALSE(model.writeEnabled(2));
}

TEST_F(CustomAudioModelTest, UseDefaultWithoutAnyFileIsFileError12) {
    auto model = makeModel();
    model.open();
    std::filesystem::remove(defaultRecording(install, 5));
    EXPECT_FALSE(model.useDefaultToggled(5, true, messages));
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_EQ(messages.errors[0], texts::kFileError12);
    EXPECT_FALSE(model.slot(5).useDefault);
    EXPECT_FALSE(model.fileToPlay(5, messages));
    EXPECT_EQ(messages.errors.size(), 2u);
}

TEST_F(CustomAudioModelTest, OkReportsMarkedSlotsWhoseFilesVanished) {
    auto model = makeModel();
    model.open();
    test::writeWav(dir / "a.wav", {});
    test::writeWav(dir / "b.wav", {});
    model.browsed(0, dir / "a.wav", messages);
    model.browsed(7, dir / "b.wav", messages);
    std::filesystem::remove(dir / "a.wav");
    std::filesystem::remove(dir / "b.wav");
    EXPECT_FALSE(model.ok(messages));
    ASSERT_EQ(messages.errors.size(), 1u);
    EXPECT_EQ(messages.errors[0],
              "File Error #13 \r\n\r\nCan not find the audio file of Alert 1, SW C; the file is "
              "moved or deleted or changed to invalid file while the Custom Audio window is "
              "opened. ");
    EXPECT_FALSE(model.slot(0).write);
    messages.answers = {Answer::Cancel, Answer::Yes};
    EXPECT_FALSE(model.ok(messages)) << "Cancel stays";
    EXPECT_TRUE(model.ok(messages));
    EXPECT_EQ(messages.questions.back(), texts::kSaveConditionQuestion);
    EXPECT_EQ(stateText().substr(0, (dir / "a.wav").string().size()), (dir / "a.wav").string());
}

TEST_F(CustomAudioModelTest, SavedStateSurvivesAndMarksTheProgram) {
    {
        auto model = makeModel();
        model.open();
        model.writeToggled(12, true);
        messages.answers = {Answer::Yes};
        ASSERT_TRUE(model.ok(messages));
        EXPECT_TRUE(model.anySlotMarked());
    }
    auto again = makeModel();
    again.loadQuietly();
    EXPECT_TRUE(again.anySlotMarked());
    EXPECT_TRUE(again.slot(12).write);
}

TEST_F(CustomAudioModelTest, UserDataSettlingNamesTheLastMissingSlot) {
    auto model = makeModel();
    model.open();
    model.writeToggled(3, true);
    model.useDefaultToggled(3, true, messages);
    std::filesystem::remove(defaultRecording(install, 3));
    EXPECT_FALSE(model.settleForUserDataOk(messages));
    EXPECT_EQ(messages.errors.back(),
              "File Error #15 \r\n\r\nDefault wave file of Alert 4 does not exist; move the file "
              "another folder or delete it while the custom audio window is open. ");
    test::writeWav(defaultRecording(install, 3), {});
    EXPECT_TRUE(model.settleForUserDataOk(messages));
    EXPECT_FALSE(model.changed());
}

TEST_F(CustomAudioModelTest, ShortOrGarbledStateFilesReadAsDefaults) {
    std::filesystem::create_directories(build);
    std::ofstream(build / kSlotStateFileName, std::ios::binary) << "/x/custom.wav\r\nonly two\r\n";
    auto model = makeModel();
    model.open();
    EXPECT_EQ(model.slot(0).path, "/x/custom.wav");
    EXPECT_EQ(model.slot(2).path, defaultRecording(install, 2).string());
    EXPECT_FALSE(model.slot(0).write);
}

} // namespace
} // namespace quorl

namespace quorl {
namespace {

TEST_F(CustomAudioModelTest, UseDefaultSwitchesWhenEitherFileExistsAndClearsWriteWhenItFails) {
    const auto custom = dir / "mine.wav";
    test::writeWav(custom, {});
    auto model = makeModel();
    model.open();
    model.browsed(5, custom, messages);
    ASSERT_TRUE(model.slot(5).write);

    // The default is gone but the custom file is there: the switch happens
    // quietly, and the now missing active file cannot be written.
    std::filesystem::remove(defaultRecording(install, 5));
    EXPECT_TRUE(model.useDefaultToggled(5, true, messages));
    EXPECT_TRUE(messages.errors.empty());
    EXPECT_TRUE(model.slot(5).useDefault);
    EXPECT_FALSE(model.slot(5).write);
    EXPECT_FALSE(model.writeEnabled(5));
    // Back to the custom file: it passes, so Write may be ticked again.
    EXPECT_TRUE(model.useDefaultToggled(5, false, messages));
    EXPECT_FALSE(model.slot(5).useDefault);
    EXPECT_TRUE(model.writeEnabled(5));

    // Only the default exists: switching to the missing custom file happens too,
    // without a message, and leaves nothing to write.
    model.browsed(6, dir / "gone.wav", messages);
    EXPECT_TRUE(model.useDefaultToggled(6, true, messages));
    EXPECT_TRUE(model.writeEnabled(6));
    model.writeToggled(6, true);
    EXPECT_TRUE(model.useDefaultToggled(6, false, messages));
    EXPECT_FALSE(model.slot(6).useDefault);
    EXPECT_FALSE(model.slot(6).write);
    EXPECT_FALSE(model.writeEnabled(6));
    EXPECT_TRUE(messages.errors.empty());

    // A default that fails the check clears and disables Write.
    {
        std::ofstream bad(defaultRecording(install, 7), std::ios::binary | std::ios::trunc);
        bad << "RIFX not a wave";
    }
    model.writeToggled(7, true);
    EXPECT_TRUE(model.useDefaultToggled(7, true, messages));
    EXPECT_TRUE(messages.errors.empty()) << "the check after Use Default is quiet";
    EXPECT_FALSE(model.slot(7).write);
    EXPECT_FALSE(model.writeEnabled(7));
}

} // namespace
} // namespace quorl
