#pragma once

#include <quorl_version.h>

// The program's own texts for the frame, its menus and boxes, used verbatim.
namespace quorl::texts {

inline constexpr const char* kFrameTitle = "Tessaly VI Quorl";
inline constexpr const char* kUntitled = "Untitled";
inline constexpr const char* kAppIdentifier = "VoicePager.AppID.NoVersion";
inline constexpr const char* kProfileCompany = "Local AppWizard-Generated Applications";

inline constexpr const char* kMenuFile = "&File";
inline constexpr const char* kMenuOperation = "Operation";
inline constexpr const char* kWriteToAllCradles = "Write to All Cradles...";
inline constexpr const char* kAboutLinkTrace = "About the link trace";
inline constexpr const char* kMenuView = "&View";
inline constexpr const char* kMenuInventory = "&Inventory...";
inline constexpr const char* kMenuTheme = "T&heme";
inline constexpr const char* kThemeSystem = "&System";
inline constexpr const char* kThemeLight = "&Light";
inline constexpr const char* kThemeDark = "&Dark";
inline constexpr const char* kReplaceUnsaved =
    "The open codeplug has changes that are not saved. Replace it with the inventory's?";
inline constexpr const char* kMenuTools = "&Tools";
inline constexpr const char* kMenuHelp = "&Help";

inline constexpr const char* kCmdOpen = "&Open...\tCtrl+O";
inline constexpr const char* kCmdSave = "&Save\tCtrl+S";
inline constexpr const char* kCmdSaveAs = "Save &As...";
inline constexpr const char* kCmdPrintPreview = "Print Pre&view";
inline constexpr const char* kCmdPrint = "&Print...\tCtrl+P";
inline constexpr const char* kCmdExportPdf = "&Export PDF...";
inline constexpr const char* kCmdExportText = "Export &Text...";
inline constexpr const char* kCmdImportText = "&Import Text...";
inline constexpr const char* kCmdExit = "E&xit";
inline constexpr const char* kCmdReadCodeplug = "Read Codeplug\tF3";
inline constexpr const char* kCmdWriteCodeplug = "Write Codeplug\tF7";
inline constexpr const char* kCmdWriteCustomAudio = "Write Custom Audio";
inline constexpr const char* kCmdUserData = "User Data\tF5";
inline constexpr const char* kCmdCustomAudio = "Custom Audio";
inline constexpr const char* kCmdToolbar = "&Toolbar";
inline constexpr const char* kCmdStatusBar = "&Status Bar";
inline constexpr const char* kCmdSystemSetup = "&System Setup\tF9";
inline constexpr const char* kCmdHelp = "Content and Index...\tF1";
inline constexpr const char* kCmdAbout = "About Tessaly VI Quorl...\tCtrl+H";

// Status-bar prompt and tooltip, separated by the newline.
inline constexpr const char* kPromptUserData = "Open User Data window\nView User Data ";
inline constexpr const char* kPromptReadCodeplug = "Read codeplug from pager\nRead Codplug ";
inline constexpr const char* kPromptWriteCodeplug = "Write codeplug to pager\nWrite Codeplug ";
inline constexpr const char* kPromptWriteCustomAudio =
    "Write custom audio to pager\nWrite Custom Audio ";
inline constexpr const char* kPromptCustomAudio = "Open Custom Audio window\nView Custom Audio";
inline constexpr const char* kPromptSystemSetup =
    "Configure serial communication port\nSystem Setup ";
inline constexpr const char* kPromptHelp = "Open Help Topics window\nHelp";
// Prompts of the framework's own commands.
inline constexpr const char* kPromptOpen = "Open an existing document\nOpen";
inline constexpr const char* kPromptSave = "Save the active document\nSave";
inline constexpr const char* kPromptSaveAs = "Save the active document with a new name\nSave As";
inline constexpr const char* kPromptPrint = "Print the active document\nPrint";
inline constexpr const char* kPromptPrintPreview = "Display full pages\nPrint Preview";
inline constexpr const char* kPromptExportPdf =
    "Save the printed summary as a PDF file\nExport PDF";
inline constexpr const char* kPdfFailed = "The PDF file could not be written: ";
inline constexpr const char* kPromptExportText = "Save the codeplug as YAML text\nExport Text";
inline constexpr const char* kPromptImportText =
    "Apply a YAML text to the codeplug under the editors' rules\nImport Text";
inline constexpr const char* kTextFilter = "Codeplug Text(*.yaml *.yml)";
inline constexpr const char* kOpenFilterWithText = "Codeplug File(*.ppg);;YAML text (*.yaml *.yml)";
inline constexpr const char* kSaveFilterWithText =
    "Codeplug Files(*.ppg);;YAML text (*.yaml *.yml)";
inline constexpr const char* kTextUnknownModel =
    ": the text names no model this program has a factory codeplug of.\n\nModel Number: ";
inline constexpr const char* kTextWriteFailed = "The text file could not be written: ";
inline constexpr const char* kTextImportRefused =
    "Nothing was changed. The editors refuse these values:\n\n";
inline constexpr const char* kTextImportNotes = "The text was applied. The editors adjusted:\n\n";
inline constexpr const char* kTextUpdateQuestion =
    " exists.\n\nYes: update only the values that differ and keep its comments.\nNo: replace "
    "it with a new export.";
inline constexpr const char* kTextUpdateRefused = "The text was not changed:\n\n";
inline constexpr const char* kTextPartialQuestion =
    "The text gives only some of the codeplug's values.\n\nApply only the values in the text? "
    "The codeplug keeps every other value.";
inline constexpr const char* kPromptExit = "Quit the application; prompts to save documents\nExit";
inline constexpr const char* kPromptToolbar = "Show or hide the toolbar\nToggle ToolBar";
inline constexpr const char* kPromptStatusBar = "Show or hide the status bar\nToggle Status Bar";
inline constexpr const char* kPromptAbout =
    "Display program information, version number and copyright\nAbout";
inline constexpr const char* kPromptReady = "Ready";
// The status-bar note after a pager operation that worked: what, how long, when.
inline constexpr const char* kNoteReadDone = "Read the pager in %1 s (%2)";
inline constexpr const char* kNoteWriteDone = "Wrote the pager in %1 s (%2)";
inline constexpr const char* kNoteAudioDone = "Wrote the custom audio in %1 s (%2)";
inline constexpr const char* kExportPdfTitle = "Export PDF";
inline constexpr const char* kExportTextTitle = "Export Text";
inline constexpr const char* kImportTextTitle = "Import Text";
inline constexpr const char* kSaveAsTitle = "Save As";
// The status bar's word after a file was written and read back whole.
inline constexpr const char* kSavedNote = "Saved %1";
inline constexpr const char* kExportedNote = "Exported %1";
// The status-bar note for what must wait while a pager operation runs (closing the
// frame, a Play Pager button).
inline constexpr const char* kOperationRunningNote = "A pager operation is running; please wait.";

inline constexpr const char* kAboutTitle = "About Tessaly VI Quorl";
inline constexpr const char* kAboutProduct = "Tessaly VI Two Tone Voice Pager Programming Software";
// Release and date come from the build's one version source.
inline constexpr const char* kAboutVersion =
    "Version " QUORL_RELEASE_TEXT "                    Build date : " QUORL_RELEASE_DATE_TEXT;
inline constexpr const char* kAboutBuild = "Program version " QUORL_VERSION;

inline constexpr const char* kCommunicationError1 =
    "Communication Error #1 \r\n\r\nUSB device not connected! \r\nPlease connect the pager "
    "programming cradle to your PC and try again. ";

inline constexpr const char* kOleFailed =
    "OLE initialization failed.  Make sure that the OLE libraries are the correct version.";

inline constexpr const char* kHelpMissing = "The help manual cannot be found: ";

} // namespace quorl::texts
