#include "app/codeplug_text_dialogs.h"

#include "app/app_texts.h"
#include "app/message_box.h"
#include "app/suggested_file_name.h"
#include "base/atomic_file_write.h"
#include "codeplug/codeplug_state.h"
#include "textplug/codeplug_fields.h"
#include "textplug/text_export.h"
#include "textplug/text_file.h"
#include "textplug/text_import.h"
#include "textplug/text_update.h"

#include <QFileDialog>
#include <QFileInfo>
#include <fstream>
#include <iterator>

namespace quorl {

namespace {

std::string listed(const std::string& file, const std::vector<textplug::TextProblem>& list) {
    std::string out;
    for (const auto& p : list)
        out += textplug::formatProblem(file, p) + "\n";
    return out;
}

} // namespace

QString exportTextWithDialog(QWidget* owner, const CodeplugState& state, const QString& folder) {
    const QString suggested =
        QString::fromStdString(suggestedFileBase(state)) + QStringLiteral(".yaml");
    // An existing file is asked about below: updated in place or replaced.
    const QString path = QFileDialog::getSaveFileName(
        owner, QString::fromUtf8(texts::kExportTextTitle), folder + "/" + suggested,
        QString::fromUtf8(texts::kTextFilter), nullptr, QFileDialog::DontConfirmOverwrite);
    if (path.isEmpty())
        return {};
    const auto fields = textplug::codeplugFields(state.image, state.firmwareVersion);
    std::string text = textplug::exportText(fields, state.currentFileName);
    const std::string file = QFileInfo(path).fileName().toStdString();
    if (QFileInfo::exists(path)) {
        const Answer answer = askYesNoCancel(owner, file + texts::kTextUpdateQuestion);
        if (answer == Answer::Cancel)
            return {};
        if (answer == Answer::Yes) {
            std::string why;
            const auto existing = textplug::readTextFile(path.toStdString(), why);
            if (!existing) {
                showStopMessage(owner, file + ": " + why);
                return {};
            }
            const textplug::UpdateResult updated = textplug::updateText(*existing, fields);
            if (!updated.text) {
                showStopMessage(owner, std::string(texts::kTextUpdateRefused) +
                                           listed(file, updated.errors));
                return {};
            }
            text = *updated.text;
        }
    }
    if (!writeFileAtomically(path.toStdString(),
                             std::as_bytes(std::span(text.data(), text.size())))) {
        showStopMessage(owner, std::string(texts::kTextWriteFailed) + path.toStdString());
        return {};
    }
    // Written is what reads back byte for byte.
    std::ifstream in(path.toStdString(), std::ios::binary);
    const std::string back{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return back == text ? path : QString();
}

std::optional<CodeplugImage> applyTextWithDialogs(QWidget* owner, const QString& path,
                                                  const CodeplugImage& base) {
    const std::string file = QFileInfo(path).fileName().toStdString();
    std::string why;
    const auto text = textplug::readTextFile(path.toStdString(), why);
    if (!text) {
        showStopMessage(owner, file + ": " + why);
        return std::nullopt;
    }
    textplug::ImportResult result = textplug::importCodeplugText(*text, base);
    // A text that leaves values out may be meant as a patch: offered, not assumed.
    if (textplug::refusedOnlyForMissingValues(result) &&
        askYesNo(owner, texts::kTextPartialQuestion))
        result = textplug::importCodeplugText(*text, base, textplug::ImportOptions{true});
    if (!result.image) {
        showStopMessage(owner,
                        std::string(texts::kTextImportRefused) + listed(file, result.errors));
        return std::nullopt;
    }
    if (!result.notes.empty())
        showInformation(owner, std::string(texts::kTextImportNotes) + listed(file, result.notes));
    return result.image;
}

TextFileChoice importTextFileDialog(const QString& folder) {
    return [folder](QWidget* owner) {
        return QFileDialog::getOpenFileName(owner, QString::fromUtf8(texts::kImportTextTitle),
                                            folder, QString::fromUtf8(texts::kTextFilter));
    };
}

std::optional<CodeplugImage> importTextOnto(QWidget* owner, const CodeplugImage& base,
                                            const TextFileChoice& choose) {
    const QString path = choose(owner);
    if (path.isEmpty())
        return std::nullopt;
    return applyTextWithDialogs(owner, path, base);
}

bool importTextWithDialog(QWidget* owner, CodeplugState& state, const QString& folder) {
    const auto image = importTextOnto(owner, state.image, importTextFileDialog(folder));
    if (!image)
        return false;
    // As if the values had been entered in the User Data window and OK pressed.
    state.image = *image;
    state.editImage = *image;
    state.modified = true;
    state.checkImage();
    return true;
}

} // namespace quorl
