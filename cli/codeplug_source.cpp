#include "cli/codeplug_source.h"

#include "base/printable_text.h"
#include "cli/codeplug_commands.h"
#include "cli/text_commands.h"
#include "codeplug/codeplug_document.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/load_like_open.h"
#include "textplug/text_file.h"

#include <memory>
#include <ostream>

namespace quorl::cli {

bool isCodeplugText(const std::string& file) {
    return textplug::isTextFile(file) || textplug::isGivenStream(file);
}

bool loadCodeplugSource(const CodeplugSource& source, CodeplugState& state, std::ostream& err,
                        const std::function<bool(CodeplugState&)>& readBase) {
    if (!isCodeplugText(source.file)) {
        if (!source.base.empty()) {
            err << "quorl: --base is for a codeplug text (.yaml); " << printableText(source.file)
                << " is a codeplug file\n";
            return false;
        }
        return loadLikeOpen(source.file, state, err);
    }
    auto base = std::make_unique<CodeplugState>();
    if (source.base.empty() ? !readBase(*base) : !loadLikeOpen(source.base, *base, err))
        return false;
    const auto image = applyTextFile(source.file, base->committedEdits(), source.partial, err);
    if (!image)
        return false;
    // As Open leaves a file of these bytes.
    state.loadBoth(*image);
    state.modified = false;
    state.currentPath = source.file;
    state.currentFileName = CodeplugDocument::fileNameOf(source.file);
    if (!state.checkImage()) {
        err << fileProblemLine(source.file, "the result does not pass the image check");
        return false;
    }
    state.loaded = true;
    return true;
}

} // namespace quorl::cli
