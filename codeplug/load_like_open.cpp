#include "codeplug/load_like_open.h"

#include "base/printable_text.h"
#include "codeplug/codeplug_document.h"
#include "codeplug/ppg_file.h"
#include "codeplug/stream_document_host.h"

#include <ostream>

namespace quorl {

bool loadLikeOpen(const std::string& path, CodeplugState& state, std::ostream& err) {
    StreamDocumentHost host(err);
    CodeplugDocument document(state, host);
    state.currentPath = path;
    state.currentFileName = CodeplugDocument::fileNameOf(path);
    if (document.openFile(false) == OpenResult::Loaded)
        return true;
    // The program's own message names no file and no cause; a terminal user needs both.
    err << fileProblemLine(path, whyNotOpened(path));
    return false;
}

std::string whyNotOpened(const std::string& path) {
    const PpgReadResult again = readPpgFile(path);
    return again.status == PpgReadStatus::Ok ? std::string(kFailsImageCheck) : again.problem;
}

} // namespace quorl
