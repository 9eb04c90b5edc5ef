#pragma once

#include "audio/ui/slot_preview.h"

#include <QObject>
#include <array>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace quorl {

class WaveOutput;

// Per slot of the Custom Audio window: "Preview ▶", which plays the recording as the
// pager will play it (a second press stops), and the bar that shows how much of the
// slot's four sectors the compressed recording takes, with the longest recording
// that fits at the download's compression.
class SlotPreviewControls : public QObject {
    Q_OBJECT

public:
    static constexpr int kSlots = 13;
    struct Row {
        QPushButton* preview = nullptr;
        QProgressBar* fit = nullptr;
        QLabel* longest = nullptr;
    };

    // `mayPlay(slot)` runs the window's own checks (and messages) before a preview.
    SlotPreviewControls(WaveOutput& output, std::function<bool(int)> mayPlay, QObject* parent);

    // The row's widgets, made as children of `parent`; `name` is the slot's short name.
    Row makeRow(int slot, const QString& name, QWidget* parent);
    // The slot's active recording is now `wav` (heard again only when it changed);
    // `usable` is false when it fails the WAV check.
    void show(int slot, const std::string& wav, bool usable);
    void preview(int slot);
    // The slot's file was rewritten: the next show() hears it afresh.
    void forget(int slot) { shown_[static_cast<std::size_t>(slot)].clear(); }
    int previewing() const { return previewing_; }
    const Row& row(int slot) const { return rows_[static_cast<std::size_t>(slot)]; }

    // Says why a preview cannot play (the window's message box; tests replace it).
    std::function<void(const QString&)> showProblem;
    // 8 kHz 16-bit samples the last preview handed to the sound output.
    std::vector<std::uint8_t> lastPlayed;

signals:
    void heard(int slot);   // the slot's fit is shown
    void playing(int slot); // its preview went to the sound output

private:
    void ready(int slot, const HeardRecording& result);
    void showFit(int slot, const HeardRecording& result);
    void play(int slot, const HeardStream& stream);
    void stopped();

    WaveOutput& output_;
    std::function<bool(int)> mayPlay_;
    SlotPreview* preview_;
    std::array<Row, kSlots> rows_{};
    std::array<std::string, kSlots> shown_{};
    int previewing_ = -1;  // the slot being prepared or played
    bool waiting_ = false; // its recording is still being compressed
};

} // namespace quorl
