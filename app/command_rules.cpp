#include "app/command_rules.h"

namespace quorl {

bool isCommandEnabled(Command command, const CommandContext& c) {
    switch (command) {
    case Command::Save:
    case Command::SaveAs:
    case Command::PrintPreview:
    case Command::Print:
    case Command::ExportPdf:
    case Command::ExportText:
    case Command::ImportText:
    case Command::WriteCodeplug:
    case Command::UserData:
        return c.loaded;
    case Command::WriteCustomAudio:
        return c.anySlotMarked;
    case Command::SystemSetup:
        return c.cradleConnected;
    case Command::Open:
    case Command::Exit:
    case Command::ReadCodeplug:
    case Command::CustomAudio:
    case Command::Toolbar:
    case Command::StatusBar:
    case Command::Help:
    case Command::About:
        return true;
    }
    return false;
}

bool isBlockedWhileBusy(Command command) {
    switch (command) {
    case Command::CustomAudio:
    case Command::About:
    case Command::Exit:
    case Command::Toolbar:
    case Command::StatusBar:
        return false;
    default:
        return true;
    }
}

} // namespace quorl
