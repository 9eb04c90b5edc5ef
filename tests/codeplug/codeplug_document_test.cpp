#include "codeplug/codeplug_document.h"

#include "codeplug/channel_block.h"
#include "codeplug/codeplug_texts.h"
#include "codeplug/ppg_file.h"
#include "test_document_host.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>
#include <memory>

namespace quorl {
namespace {

using test::readAll;
using test::writeAll;

class DocumentTest : public ::testing::Test {
protected:
    test::TempDir dir;
    std::unique_ptr<CodeplugState> state = std::make_unique<CodeplugState>();
    test::ScriptedDocumentHost host;
    CodeplugDocument doc{*state, host};

    std::string validFile(const std::string& name) {
        writeAll(dir / name, test::ppgRecord(test::validImage()));
        return (dir / name).string();
    }
    void openChosen(const std::string& path) {
        host.openChoices.push_back(path);
        doc.onFileOpen();
    }
};

TEST_F(DocumentTest, OpenLoadsBothImagesAndStoresTheFolder) {
    const auto path = validFile("pager.ppg");
    openChosen(path);
    EXPECT_TRUE(host.errors.empty());
    EXPECT_TRUE(state->loaded);
    EXPECT_FALSE(state->modified);
    EXPECT_EQ(state->image, test::validImage());
    EXPECT_EQ(state->editImage, test::validImage());
    EXPECT_EQ(state->currentFileName, "pager.ppg");
    EXPECT_EQ(host.title, "pager.ppg");
    EXPECT_EQ(host.storedWorkingDir, path);
    EXPECT_EQ(host.userDataOpened, 1);
    EXPECT_EQ(state->bandLowMHz(), 143);
    EXPECT_EQ(host.dialogFolders.at(0), host.lib) << "nothing stored yet: Lib";

    openChosen(path);
    EXPECT_EQ(host.dialogFolders.at(1), dir.path().string());
}

TEST_F(DocumentTest, ARelativePathIsStoredAbsolute) {
    validFile("pager.ppg");
    const auto cwd = std::filesystem::current_path();
    std::filesystem::create_directory(dir / "sub");
    std::filesystem::current_path(dir / "sub");
    openChosen("../pager.ppg");
    std::filesystem::current_path(cwd);
    EXPECT_TRUE(state->loaded);
    EXPECT_EQ(host.storedWorkingDir, (dir / "pager.ppg").string());
    EXPECT_EQ(state->currentPath, (dir / "pager.ppg").string());
}

TEST_F(DocumentTest, WorkingDirZeroMeansTheLibFolder) {
    host.storedWorkingDir = "0";
    EXPECT_EQ(doc.initialFolder(), host.lib);
    host.storedWorkingDir = "/home/tech/codeplugs/f1.ppg";
    EXPECT_EQ(doc.initialFolder(), "/home/tech/codeplugs");
}

TEST_F(DocumentTest, OpenClearsTheFirmwareVersion) {
    state->firmwareVersion = {"V", "0", "1", "0", "2"};
    host.openChoices.push_back(std::nullopt);
    doc.onFileOpen();
    EXPECT_EQ(state->firmwareVersionText(), "");
}

TEST_F(DocumentTest, FailedReadsKeepThePreviousFileAsSaveTarget) {
    const auto good = validFile("good.ppg");
    openChosen(good);
    auto shortRecord = test::ppgRecord(test::validImage());
    shortRecord.pop_back();
    writeAll(dir / "short.ppg", shortRecord);

    openChosen((dir / "short.ppg").string());
    ASSERT_EQ(host.errors, std::vector<std::string>{std::string(texts::kFileError2)});
    EXPECT_EQ(state->currentPath, good);
    EXPECT_TRUE(state->loaded);

    openChosen((dir / "absent.ppg").string());
    EXPECT_EQ(host.errors.back(), texts::kFileError1);
    EXPECT_EQ(state->currentPath, good);
    EXPECT_EQ(state->currentFileName, "good.ppg");
}

TEST_F(DocumentTest, FailedCheckKeepsTheBytesAndClearsLoaded) {
    openChosen(validFile("good.ppg"));
    auto bad = test::validImage();
    ChannelBlock(bad, 0).setFrequencyWord(0, 0, 0);
    writeAll(dir / "bad.ppg", test::ppgRecord(bad));
    openChosen((dir / "bad.ppg").string());
    EXPECT_EQ(host.errors.back(), texts::kFileError2);
    EXPECT_FALSE(state->loaded);
    EXPECT_EQ(state->image, bad);
    EXPECT_EQ(state->editImage, bad);
}

TEST_F(DocumentTest, OpenWithUnsavedEditsAsksAndCancelStops) {
    openChosen(validFile("a.ppg"));
    state->modified = true;
    host.answers.push_back(Answer::Cancel);
    doc.onFileOpen(); // no open dialog expected: the script would throw
    EXPECT_EQ(host.questions, std::vector<std::string>{std::string(texts::kSaveChangesQuestion)});
}

TEST_F(DocumentTest, OpenWithUnsavedEditsStopsWhenTheSaveFails) {
    openChosen(validFile("a.ppg"));
    state->modified = true;
    state->currentPath = (dir / "gone/a.ppg").string();
    host.answers.push_back(Answer::Yes);
    doc.onFileOpen();
    EXPECT_TRUE(host.errors.back().starts_with(texts::kFileError3)) << host.errors.back();
    EXPECT_TRUE(state->modified) << "edits kept, nothing opened over them";
}

TEST_F(DocumentTest, SaveWritesChecksumsAndMirrorButNotTheEditImage) {
    const auto path = validFile("s.ppg");
    openChosen(path);
    state->image.set(0x0210, 0x07);
    state->editImage.set(0x0211, 0x55);
    state->modified = true;
    ASSERT_TRUE(doc.onFileSave());
    EXPECT_FALSE(state->modified);
    const auto read = readPpgFile(path);
    ASSERT_EQ(read.status, PpgReadStatus::Ok);
    EXPECT_EQ(read.image.at(0x0210), 0x07);
    EXPECT_EQ(read.image.at(0x0211), 0x00);
    EXPECT_EQ(read.image.at(0x025F), read.image.sum(0x0200, 0x5F));
    for (Address a = 0; a < 383; ++a)
        ASSERT_EQ(read.image.at(0x3C00 + a), read.image.at(0x0100 + a)) << a;
}

TEST_F(DocumentTest, SaveAsCommitsEditsAndChecksumsMatchTheFile) {
    openChosen(validFile("a.ppg"));
    ChannelBlock(state->editImage, 2).setSquelchLevel(4);
    state->editImage.set(0x3FF0, 0x99); // beyond the committed range
    state->modified = true;
    const auto target = (dir / "b.ppg").string();
    host.saveChoices.push_back(target);
    ASSERT_TRUE(doc.onFileSaveAs());
    EXPECT_EQ(host.saveKinds.back(), SaveDialogKind::SaveAs);
    EXPECT_EQ(state->currentFileName, "b.ppg");
    EXPECT_EQ(host.title, "b.ppg");
    EXPECT_EQ(host.storedWorkingDir, target);
    const auto img = readPpgFile(target).image;
    EXPECT_EQ(ConstChannelBlock(img, 2).squelchLevel(), 4);
    EXPECT_EQ(img.at(0x3FF0), 0x00);
    EXPECT_EQ(img.at(0x04DF), img.sum(0x0440, 159));
    EXPECT_EQ(img.at(0x02BF), img.sum(0x0280, 0x3F));
}

TEST_F(DocumentTest, SaveIntoAnUnwritablePlaceKeepsTheOldFile) {
    const auto path = validFile("locked.ppg");
    openChosen(path);
    const auto before = readAll(path);
    state->image.set(0x0210, 0x07);
    state->modified = true;
    {
        test::FileSizeLimit diskFull(4096);
        EXPECT_FALSE(doc.onFileSave());
    }
    EXPECT_TRUE(host.errors.back().starts_with(texts::kFileError3)) << host.errors.back();
    EXPECT_EQ(readAll(path), before);
    EXPECT_TRUE(state->modified);
}

TEST_F(DocumentTest, FailedSaveAsChangesNothing) {
    openChosen(validFile("a.ppg"));
    state->editImage.set(0x0211, 0x55);
    const auto image = state->image;
    host.saveChoices.push_back((dir / "missing/b.ppg").string());
    EXPECT_FALSE(doc.onFileSaveAs());
    EXPECT_TRUE(host.errors.back().starts_with(texts::kFileError3)) << host.errors.back();
    EXPECT_EQ(state->image, image);
    EXPECT_EQ(state->currentFileName, "a.ppg");
}

// The questions before a pager read replaces the image: which one is asked, and
// whether the read may go on after the answer and the save it asks for.
TEST_F(DocumentTest, TheQuestionsBeforeAReadSettleTheImageInMemory) {
    const std::string overwrite(texts::kOverwriteQuestion);
    const std::string saveChanges(texts::kSaveChangesQuestion);
    struct Case {
        const char* name;
        bool fromFile;
        bool modified;
        std::optional<Answer> answer;
        std::optional<std::string> saveAsTo; // the Save As dialog's choice
        std::string asked;
        bool goesOn;
        bool savedAs;
    };
    const std::vector<Case> cases = {
        {"from a pager, overwrite", false, false, Answer::Yes, {}, overwrite, true, false},
        {"from a pager, save it first", false, false, Answer::No, "kept.ppg", overwrite, true,
         true},
        {"from a pager, Save As cancelled", false, false, Answer::No, std::nullopt, overwrite,
         false, false},
        {"from a pager, cancel", false, false, Answer::Cancel, {}, overwrite, false, false},
        {"a saved file", true, false, {}, {}, "", true, false},
        {"an edited file, save", true, true, Answer::Yes, {}, saveChanges, true, false},
        {"an edited file, do not save", true, true, Answer::No, {}, saveChanges, true, false},
        {"an edited file, cancel", true, true, Answer::Cancel, {}, saveChanges, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        state->modified = false; // the last case's edits are not this one's
        openChosen(validFile("a.ppg"));
        if (!c.fromFile)
            state->currentPath.clear();
        state->modified = c.modified;
        state->image.set(0x0210, 0x07); // committed, not yet in the file
        host.questions.clear();
        if (c.answer)
            host.answers.push_back(*c.answer);
        const bool asksSaveAs = c.answer == Answer::No && !c.fromFile;
        if (asksSaveAs)
            host.saveChoices.push_back(c.saveAsTo ? std::optional((dir / *c.saveAsTo).string())
                                                  : std::nullopt);
        EXPECT_EQ(doc.settleBeforeRead(), c.goesOn);
        EXPECT_EQ(host.questions,
                  c.asked.empty() ? std::vector<std::string>{} : std::vector{c.asked});
        EXPECT_EQ(std::filesystem::exists(dir / "kept.ppg"), c.savedAs);
        const bool saved = c.fromFile && c.answer == Answer::Yes;
        EXPECT_EQ(readPpgFile((dir / "a.ppg").string()).image.at(0x0210) == 0x07, saved);
        std::filesystem::remove(dir / "kept.ppg");
    }
    state->loaded = false;
    host.questions.clear();
    EXPECT_TRUE(doc.settleBeforeRead()) << "nothing loaded, nothing to lose";
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(DocumentTest, BusyBlocksOpenSaveAndSaveAs) {
    const BusyClaim claim(state->busy);
    doc.onFileOpen(); // would throw on the unscripted dialog
    EXPECT_FALSE(doc.onFileSave());
    EXPECT_FALSE(doc.onFileSaveAs());
    EXPECT_FALSE(doc.settleBeforeRead());
    EXPECT_TRUE(host.dialogFolders.empty());
}

TEST_F(DocumentTest, ExitWithoutChangesClosesWithoutAsking) {
    EXPECT_TRUE(doc.saveOnExit());
    openChosen(validFile("a.ppg"));
    EXPECT_TRUE(doc.saveOnExit());
    EXPECT_TRUE(host.questions.empty());
}

TEST_F(DocumentTest, ExitWithACurrentFileSavesOnYes) {
    const auto path = validFile("a.ppg");
    openChosen(path);
    state->image.set(0x0210, 0x07);
    state->modified = true;
    host.answers = {Answer::Cancel, Answer::No, Answer::Yes};
    EXPECT_FALSE(doc.saveOnExit());
    EXPECT_TRUE(doc.saveOnExit());
    EXPECT_TRUE(doc.saveOnExit());
    EXPECT_EQ(readPpgFile(path).image.at(0x0210), 0x07);
}

TEST_F(DocumentTest, ExitStaysOpenWhenTheSaveFails) {
    openChosen(validFile("a.ppg"));
    state->modified = true;
    state->currentPath = (dir / "gone/a.ppg").string();
    host.answers = {Answer::Yes};
    EXPECT_FALSE(doc.saveOnExit());
    EXPECT_TRUE(host.errors.back().starts_with(texts::kFileError3)) << host.errors.back();
}

TEST_F(DocumentTest, ExitWithoutAFileWritesTheEditsAsTheyAre) {
    // An image read from the pager: no file yet.
    state->loadBoth(test::validImage());
    state->loaded = true;
    state->editImage.set(0x0211, 0x55);
    state->modified = true;
    const auto target = (dir / "new.ppg").string();
    host.answers = {Answer::Yes, Answer::Yes};
    host.saveChoices = {std::nullopt, target};
    EXPECT_FALSE(doc.saveOnExit()) << "dialog cancelled: stay open";
    EXPECT_TRUE(doc.saveOnExit());
    EXPECT_EQ(host.saveKinds.back(), SaveDialogKind::SaveOnExit);
    const auto img = readPpgFile(target).image;
    EXPECT_EQ(img.at(0x0211), 0x55);
    EXPECT_EQ(img.at(0x025F), test::validImage().at(0x025F)) << "no checksum update";
    EXPECT_TRUE(host.storedWorkingDir.empty()) << "no WorkingDir on this path";
}

} // namespace
} // namespace quorl
