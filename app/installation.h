#pragma once

#include <filesystem>

namespace quorl {

// The installation folder holds Lib (codeplug files), WavForms (default
// recordings) and Help. It is found from the program's own location,
// <prefix>/bin/program -> <prefix>/share/tessaly-vi-quorl, which holds for the
// build tree and for an installed copy alike. QUORL_DATA_DIR overrides it.
std::filesystem::path installationFolder();

// The same rule for a given program path (tests use it directly).
std::filesystem::path installationFolderFor(const std::filesystem::path& programPath);

std::filesystem::path libFolder();
std::filesystem::path wavFormsFolder();
std::filesystem::path helpFile();

} // namespace quorl
