#pragma once

// Which commands are enabled and which wait while a pager operation runs. Plain
// C++, so the rules are tested without a display.
namespace quorl {

enum class Command {
    Open,
    Save,
    SaveAs,
    PrintPreview,
    Print,
    ExportPdf,
    ExportText,
    ImportText,
    Exit,
    ReadCodeplug,
    WriteCodeplug,
    WriteCustomAudio,
    UserData,
    CustomAudio,
    Toolbar,
    StatusBar,
    SystemSetup,
    Help,
    About,
};

struct CommandContext {
    bool loaded = false;
    bool anySlotMarked = false;   // a custom audio slot is marked for writing
    bool cradleConnected = false; // the last cradle refresh found one
};

bool isCommandEnabled(Command command, const CommandContext& context);

// Commands that do nothing while `busy` is set; Custom Audio, About, Exit and the
// bars stay usable during a pager operation.
bool isBlockedWhileBusy(Command command);

} // namespace quorl
