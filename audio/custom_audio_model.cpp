#include "audio/custom_audio_model.h"

#include "audio/audio_texts.h"

namespace quorl {

namespace fs = std::filesystem;

namespace {
bool isFile(const fs::path& p) {
    std::error_code ec;
    return !p.empty() && fs::is_regular_file(p, ec);
}
} // namespace

CustomAudioModel::CustomAudioModel(fs::path installFolder, fs::path stateFile)
    : installFolder_(std::move(installFolder)), stateFile_(std::move(stateFile)),
      states_(defaultSlotStates(installFolder_)) {
    writeEnabled_.fill(true);
}

fs::path CustomAudioModel::activePath(int i) const {
    return slot(i).useDefault ? defaultRecording(installFolder_, i) : fs::path(slot(i).path);
}

fs::path CustomAudioModel::lastFolder(int i) const {
    const auto& last = lastFolders_.at(static_cast<std::size_t>(i));
    return last.empty() ? installFolder_ / "WavForms" : last;
}

void CustomAudioModel::loadQuietly() {
    if (auto read = readSlotStateFile(stateFile_, installFolder_))
        states_ = *read;
    anyMarked_ = quorl::anySlotMarked(states_);
}

bool CustomAudioModel::open() {
    changed_ = false;
    bool ok = true;
    if (auto read = readSlotStateFile(stateFile_, installFolder_)) {
        states_ = *read;
    } else {
        states_ = defaultSlotStates(installFolder_);
        ok = writeSlotStateFile(stateFile_, states_);
    }
    for (int i = 0; i < kCustomAudioSlotCount; ++i) {
        writeEnabled_[static_cast<std::size_t>(i)] = true;
        applyCheck(i, checkWav(activePath(i)).status, false);
    }
    return ok;
}

void CustomAudioModel::applyCheck(int i, WavCheck status, bool tick) {
    auto& s = states_[static_cast<std::size_t>(i)];
    auto& enabled = writeEnabled_[static_cast<std::size_t>(i)];
    switch (status) {
    case WavCheck::CannotOpen:
        return; // no message, the row stays as it was
    case WavCheck::Ok:
        enabled = true;
        if (tick)
            s.write = true;
        return;
    default:
        s.write = false;
        enabled = false;
        return;
    }
}

void CustomAudioModel::browsed(int i, const fs::path& chosen, AudioMessages& messages) {
    auto& s = states_[static_cast<std::size_t>(i)];
    lastFolders_[static_cast<std::size_t>(i)] = chosen.parent_path();
    s.path = chosen.string();
    changed_ = true;
    const WavCheckResult r = checkWav(chosen);
    if (r.status != WavCheck::Ok && r.status != WavCheck::CannotOpen)
        messages.error(wavCheckMessage(r.status));
    if (r.status == WavCheck::Ok)
        s.useDefault = false; // a custom file was chosen
    applyCheck(i, r.status, true);
}

bool CustomAudioModel::useDefaultToggled(int i, bool useDefault, AudioMessages& messages) {
    auto& s = states_[static_cast<std::size_t>(i)];
    const fs::path defaultFile = defaultRecording(installFolder_, i);
    if (!isFile(defaultFile) && !isFile(s.path)) {
        messages.error(texts::kFileError12);
        return false;
    }
    s.useDefault = useDefault;
    changed_ = true;
    const fs::path target = activePath(i);
    if (!isFile(target)) {
        // The file switched to is gone: nothing of it can be written.
        s.write = false;
        writeEnabled_[static_cast<std::size_t>(i)] = false;
        return true;
    }
    const WavCheck status = checkWav(target).status;
    if (status == WavCheck::Ok)
        writeEnabled_[static_cast<std::size_t>(i)] = true;
    else
        applyCheck(i, status, false);
    return true;
}

void CustomAudioModel::writeToggled(int i, bool write) {
    states_[static_cast<std::size_t>(i)].write = write;
    changed_ = true;
}

std::optional<WavCheckResult> CustomAudioModel::fileToPlay(int i, AudioMessages& messages) const {
    const fs::path file = activePath(i);
    if (!isFile(file)) {
        messages.error(texts::kFileError12);
        return std::nullopt;
    }
    WavCheckResult r = checkWav(file);
    if (r.status != WavCheck::Ok) {
        if (const auto text = wavCheckMessage(r.status); !text.empty())
            messages.error(text);
        return std::nullopt;
    }
    return r;
}

bool CustomAudioModel::save() {
    anyMarked_ = quorl::anySlotMarked(states_);
    const bool ok = writeSlotStateFile(stateFile_, states_);
    if (ok)
        changed_ = false;
    return ok;
}

bool CustomAudioModel::ok(AudioMessages& messages) {
    std::string names;
    for (int i = 0; i < kCustomAudioSlotCount; ++i) {
        auto& s = states_[static_cast<std::size_t>(i)];
        if (s.write && !isFile(activePath(i))) {
            if (!names.empty())
                names += ", ";
            names += kCustomAudioSlots[static_cast<std::size_t>(i)].shortName;
            s.write = false;
        }
    }
    if (!names.empty()) {
        messages.error(std::string(texts::kFileError13Head) + names +
                       std::string(texts::kFileError13Tail));
        return false;
    }
    return askToSaveChanges(messages);
}

bool CustomAudioModel::askToSaveChanges(AudioMessages& messages) {
    if (!changed_)
        return true;
    switch (messages.askYesNoCancel(texts::kSaveConditionQuestion)) {
    case Answer::Yes:
        save();
        return true;
    case Answer::No:
        return true;
    case Answer::Cancel:
        return false;
    }
    return false;
}

bool CustomAudioModel::settleForUserDataOk(AudioMessages& messages) {
    std::string_view missingCustom, missingDefault;
    for (int i = 0; i < kCustomAudioSlotCount; ++i) {
        const auto& s = slot(i);
        if (!s.write)
            continue;
        const auto name = kCustomAudioSlots[static_cast<std::size_t>(i)].shortName;
        if (!s.useDefault && !isFile(s.path))
            missingCustom = name;
        if (s.useDefault && !isFile(defaultRecording(installFolder_, i)))
            missingDefault = name;
    }
    if (!missingCustom.empty()) {
        messages.error(std::string(texts::kUserDataFileError13Head) + std::string(missingCustom) +
                       std::string(texts::kUserDataFileError13Tail));
        return false;
    }
    if (!missingDefault.empty()) {
        messages.error(std::string(texts::kUserDataFileError15Head) + std::string(missingDefault) +
                       std::string(texts::kUserDataFileError15Tail));
        return false;
    }
    save();
    return true;
}

bool CustomAudioModel::settleForUserDataClose(AudioMessages& messages) {
    return askToSaveChanges(messages);
}

} // namespace quorl
