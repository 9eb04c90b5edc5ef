#include "app/codeplug_text_dialogs.h"

#include "app/app_texts.h"
#include "app/message_box.h"
#include "codeplug/atomic_file_write.h"
#include "codeplug/codeplug_state.h"
#include "textplug/codeplug_fields.h"
#include "textplug/text_export.h"
#include "textplug/text_file.h"
#include "textplug/text_import.h"

#include <QFileDialog>
#include <QFileInfo>

namespace quorl {

namespace {

std::string listed(const std::string& file, const std::vector<textplug::TextProblem>& list) {
    std::string out;
    for (const auto& p : list)
        out += textplug::formatProblem(file, p) + "\n";
    return out;
}

} // namespace

void exportTextWithDialog(QWidget* owner, const CodeplugState& state, const QString& folder) {
    QString suggested = QString::fromStdString(state.currentFileName);
    suggested = suggested.isEmpty()
                    ? QStringLiteral("codeplug.yaml")
                    : QFileInfo(suggested).completeBaseName() + QStringLiteral(".yaml");
    const QString path = QFileDialog::getSaveFileName(owner, QString(), folder + "/" + suggested,
                                                      QString::fromUtf8(texts::kTextFilter));
    if (path.isEmpty())
        return;
    const std::string text = textplug::exportText(
        textplug::codeplugFields(state.image, state.firmwareVersion), state.currentFileName);
    if (!writeFileAtomically(path.toStdString(),
                             std::as_bytes(std::span(text.data(), text.size()))))
        showStopMessage(owner, std::string(texts::kTextWriteFailed) + path.toStdString());
}

bool importTextWithDialog(QWidget* owner, CodeplugState& state, const QString& folder) {
    const QString path = QFileDialog::getOpenFileName(owner, QString(), folder,
                                                      QString::fromUtf8(texts::kTextFilter));
    if (path.isEmpty())
        return false;
    const std::string file = QFileInfo(path).fileName().toStdString();
    std::string why;
    const auto text = textplug::readTextFile(path.toStdString(), why);
    if (!text) {
        showStopMessage(owner, file + ": " + why);
        return false;
    }
    const textplug::ImportResult result = textplug::importCodeplugText(*text, state.image);
    if (!result.image) {
        showStopMessage(owner,
                        std::string(texts::kTextImportRefused) + listed(file, result.errors));
        return false;
    }
    // As if the values had been entered in the User Data window and OK pressed.
    state.image = *result.image;
    state.editImage = *result.image;
    state.modified = true;
    state.checkImage();
    if (!result.notes.empty())
        showInformation(owner, std::string(texts::kTextImportNotes) + listed(file, result.notes));
    return true;
}

} // namespace quorl
