#pragma once

// The parts of the programs' --help that tessaly-vi-quorl and quorl share. The
// manual pages are generated from --help, so these texts are their source too.
// "Heading:" followed by indented entries is the layout help2man understands.
namespace quorl::help {

inline constexpr const char* kEnvironmentHelp =
    "Environment:\n"
    "  QUORL_BUILD_DIR    Custom audio working folder (default:\n"
    "                     $XDG_DATA_HOME/tessaly-vi-quorl/BuildIMG).\n"
    "  XDG_DATA_HOME      Per-user data folder (default: ~/.local/share).\n"
    "  QUORL_INVENTORY    Where operations are recorded: sqlite:///path/file.sqlite,\n"
    "                     postgresql://host/db (credentials from ~/.pgpass or a\n"
    "                     service file, never the URL) or none (default: the\n"
    "                     bench's own inventory.sqlite).\n"
    "  QUORL_SIM_CRADLES  Simulated cradles to list besides the real ones:\n"
    "                     device paths separated by ':'.\n"
    "  XDG_RUNTIME_DIR    Holds tessaly-vi-quorl/sim-cradles, the cradles that\n"
    "                     quorl-pager-sim --register lists (without it, or when\n"
    "                     it is not an absolute path: $XDG_STATE_HOME, else\n"
    "                     ~/.local/state).\n"
    "  QUORL_TRACE        tessaly-vi-quorl appends a trace of every link to this\n"
    "                     file (quorl takes --trace FILE instead).\n"
    "  TMPDIR             Where the private scratch folders are made (default: /tmp).\n";

inline constexpr const char* kFilesHelp =
    "Files:\n"
    "  /dev/ttyUSB*       Programming cradles (Silicon Labs CP210x bridges).\n"
    "  /usr/lib/udev/rules.d/70-tessaly-cradle.rules\n"
    "                     Gives the user at the seat and the dialout group\n"
    "                     access to a cradle. A user who logs in remotely (ssh)\n"
    "                     is not at the seat and needs the dialout group:\n"
    "                     sudo usermod -aG dialout USER, then a new login.\n"
    "  /usr/share/tessaly-vi-quorl/Lib/*.ppg\n"
    "                     Factory codeplugs (VHF five channels, UHF one channel).\n"
    "  /usr/share/tessaly-vi-quorl/WavForms/*.wav\n"
    "                     Default custom audio recordings.\n"
    "  ~/.local/share/tessaly-vi-quorl/BuildIMG\n"
    "                     exist_file.jjb (the slot choices) and a copy of the last\n"
    "                     build's BuildIMG.cfg and of each slot's stream,\n"
    "                     BinFiles/<slot>_8000_ADPCM14-4-1.bin.\n"
    "  ~/.local/share/tessaly-vi-quorl/inventory.sqlite\n"
    "                     The bench's inventory of pagers (mode 0600);\n"
    "                     inventory-queue.sqlite holds records waiting for a\n"
    "                     shared store.\n"
    "  $TMPDIR/quorl-voice-XXXXXX\n"
    "                     Each voice build's private folder (mode 0700), removed\n"
    "                     when the build is done with.\n";

inline constexpr const char* kExamplesHelp =
    "Examples:\n"
    "  quorl check pager.ppg\n"
    "                     Open a codeplug file as the program does and check it.\n"
    "  quorl read -o pager.ppg\n"
    "                     Read the pager in the one connected cradle.\n"
    "  quorl write --verify pager.ppg\n"
    "                     Write the file to the pager, then read it back to compare.\n"
    "  quorl write --all --log fleet.csv pager.ppg\n"
    "                     Write every connected cradle at once, one CSV row a pager.\n"
    "  quorl audio compress alert.wav -o voice\n"
    "                     Compress a recording into voice/BinFiles.\n"
    "  quorl-pager-sim --register &\n"
    "                     A simulated cradle to try all of this without hardware.\n";

} // namespace quorl::help
