#include "app/codeplug_text_format.h"

#include "app/app_texts.h"
#include "app/codeplug_text_dialogs.h"
#include "app/message_box.h"
#include "base/atomic_file_write.h"
#include "codeplug/codeplug_state.h"
#include "codeplug/default_codeplug.h"
#include "textplug/codeplug_fields.h"
#include "textplug/text_export.h"
#include "textplug/text_file.h"
#include "textplug/text_reader.h"

#include <QFileInfo>
#include <span>

namespace quorl {

namespace {

std::optional<CodeplugImage> factoryCodeplugOf(const std::string& model) {
    for (const FactoryCodeplug& f : {vhfFiveChannelFactory(), uhfSingleChannelFactory()})
        if (f.modelNumber == model)
            return makeDefaultCodeplug(f);
    return std::nullopt;
}

} // namespace

bool CodeplugTextFormat::handles(const std::string& path) const {
    return textplug::isTextFile(path);
}

std::optional<CodeplugImage> CodeplugTextFormat::open(const std::string& path) {
    const QString qpath = QString::fromStdString(path);
    const std::string file = QFileInfo(qpath).fileName().toStdString();
    std::string why;
    const auto text = textplug::readTextFile(path, why);
    if (!text) {
        showStopMessage(owner_, file + ": " + why);
        return std::nullopt;
    }
    // The identity is always the base's, so the base is the model the text was made from.
    const auto parsed = textplug::readCodeplugText(*text);
    const auto named = parsed.values.find(textplug::pathKey({"identity", "Model Number"}));
    const std::string model = named == parsed.values.end() ? std::string() : named->second.value;
    const auto base = factoryCodeplugOf(model);
    if (!base) {
        showStopMessage(owner_, file + texts::kTextUnknownModel + model);
        return std::nullopt;
    }
    return applyTextWithDialogs(owner_, qpath, *base);
}

bool CodeplugTextFormat::save(const std::string& path, const CodeplugImage& image,
                              std::string& problem) {
    const std::string text = textplug::exportText(
        textplug::codeplugFields(image, state_.firmwareVersion), state_.currentFileName);
    return writeFileAtomically(path, std::as_bytes(std::span(text.data(), text.size())), &problem);
}

} // namespace quorl
