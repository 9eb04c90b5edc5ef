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
    const PpgReadResult again = readPpgFile(path);
    err << fileProblemLine(path, again.status == PpgReadStatus::Ok
                                     ? "the codeplug does not pass the image check"
                                     : again.problem);
    return false;
}

} // namespace quorl
