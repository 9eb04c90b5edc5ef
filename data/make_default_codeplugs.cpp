// Writes the factory codeplugs that the installation's Lib folder holds.
#include "codeplug/default_codeplug.h"
#include "codeplug/ppg_file.h"

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_default_codeplugs LIB_FOLDER\n");
        return 2;
    }
    const std::filesystem::path lib = argv[1];
    std::filesystem::create_directories(lib);
    const bool ok =
        quorl::writePpgFile(lib / "Default_VHF_5CH.ppg",
                            quorl::makeDefaultCodeplug(quorl::vhfFiveChannelFactory())) &&
        quorl::writePpgFile(lib / "Default_UHF_1CH.ppg",
                            quorl::makeDefaultCodeplug(quorl::uhfSingleChannelFactory()));
    if (!ok) {
        std::fprintf(stderr, "cannot write the default codeplugs into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
