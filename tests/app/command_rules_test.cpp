#include "app/command_rules.h"

#include <gtest/gtest.h>

namespace quorl {
namespace {

TEST(CommandRules, BeforeAnyLoad) {
    const CommandContext nothing;
    for (Command c : {Command::Save, Command::SaveAs, Command::Print, Command::PrintPreview,
                      Command::UserData, Command::WriteCodeplug, Command::WriteCustomAudio,
                      Command::SystemSetup, Command::ExportText, Command::ImportText})
        EXPECT_FALSE(isCommandEnabled(c, nothing)) << static_cast<int>(c);
    for (Command c : {Command::Open, Command::ReadCodeplug, Command::CustomAudio, Command::Exit,
                      Command::Help, Command::About, Command::Toolbar, Command::StatusBar})
        EXPECT_TRUE(isCommandEnabled(c, nothing)) << static_cast<int>(c);
}

TEST(CommandRules, EachConditionEnablesItsOwnCommands) {
    CommandContext loaded;
    loaded.loaded = true;
    EXPECT_TRUE(isCommandEnabled(Command::WriteCodeplug, loaded));
    EXPECT_TRUE(isCommandEnabled(Command::UserData, loaded));
    // Text import needs a codeplug to apply the text to.
    EXPECT_TRUE(isCommandEnabled(Command::ExportText, loaded));
    EXPECT_TRUE(isCommandEnabled(Command::ImportText, loaded));
    EXPECT_FALSE(isCommandEnabled(Command::WriteCustomAudio, loaded));
    EXPECT_FALSE(isCommandEnabled(Command::SystemSetup, loaded));

    CommandContext marked;
    marked.anySlotMarked = true;
    EXPECT_TRUE(isCommandEnabled(Command::WriteCustomAudio, marked));
    EXPECT_FALSE(isCommandEnabled(Command::Save, marked));

    CommandContext cradle;
    cradle.cradleConnected = true;
    EXPECT_TRUE(isCommandEnabled(Command::SystemSetup, cradle));
}

TEST(CommandRules, WhatWaitsForAPagerOperation) {
    for (Command c :
         {Command::Open, Command::Save, Command::SaveAs, Command::PrintPreview, Command::Print,
          Command::ReadCodeplug, Command::WriteCodeplug, Command::WriteCustomAudio,
          Command::UserData, Command::SystemSetup, Command::Help})
        EXPECT_TRUE(isBlockedWhileBusy(c)) << static_cast<int>(c);
    for (Command c : {Command::CustomAudio, Command::About, Command::Exit, Command::Toolbar,
                      Command::StatusBar})
        EXPECT_FALSE(isBlockedWhileBusy(c)) << static_cast<int>(c);
}

} // namespace
} // namespace quorl
