#include "app/installation.h"

#include <cstdlib>

namespace quorl {

namespace fs = std::filesystem;

fs::path installationFolderFor(const fs::path& programPath) {
    return programPath.parent_path().parent_path() / "share" / "tessaly-vi-quorl";
}

fs::path installationFolder() {
    if (const char* overridden = std::getenv("QUORL_DATA_DIR"); overridden && *overridden)
        return overridden;
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return installationFolderFor(ec ? fs::current_path() / "bin" / "program" : self);
}

fs::path libFolder() {
    return installationFolder() / "Lib";
}
fs::path wavFormsFolder() {
    return installationFolder() / "WavForms";
}
fs::path helpFile() {
    return installationFolder() / "Help" / "index.html";
}

} // namespace quorl
