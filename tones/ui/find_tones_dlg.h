#pragma once

#include "codeplug/codeplug_image.h"
#include "tones/found_tone.h"
#include "tones/page_grouping.h"
#include "tones/wav_audio.h"

#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

class QLabel;
class QPushButton;
class QTableWidget;

namespace quorl {

class CTestPagePlayer;
class CToneStrip;

// Where "Use for..." puts a page's tones: a call address (two tones) or a group
// call (one) of a channel.
struct ToneUse {
    int channel = 0;
    int call = 0;  // 1..10 or 0
    int group = 0; // 1..5 or 0
    std::vector<double> hz;
};

// Tools > Find Tones in a Recording...: the steady tones and pages of a recording
// on a strip, with their table codes and, when a codeplug is open, the calls each
// page alerts. Any page can be played; "Use for..." hands its tones to the host,
// which puts them into a call through the channel tab's rules.
class CFindTonesDlg : public QDialog {
    Q_OBJECT

public:
    // `image` is the open codeplug, or null when none is loaded.
    CFindTonesDlg(const CodeplugImage* image, QWidget* parent = nullptr);
    ~CFindTonesDlg() override;

    void setToneUse(std::function<void(const ToneUse&)> use);
    // Reads and searches the file on a worker thread; `searched` follows.
    void openRecording(const QString& path);
    // Searches a recording in hand at once (the manual's pictures).
    void showRecording(tones::Recording recording);

    const std::vector<tones::FoundTone>& found() const { return found_; }
    const std::vector<tones::FoundPage>& pages() const { return pages_; }
    QTableWidget* pageTable() const { return table_; }
    QPushButton* openButton() const { return open_; }
    QPushButton* playButton() const { return play_; }
    QPushButton* useButton() const { return use_; }
    QLabel* statusLabel() const { return status_; }
    CToneStrip* strip() const { return strip_; }

    // The choice the "Use for..." window offers for a page, as the host applies it.
    static std::optional<ToneUse> askUse(QWidget* parent, const CodeplugImage& image,
                                         const tones::FoundPage& page);

    struct Result; // what one search found

signals:
    void searched();

private:
    void showResult(const Result& r);
    int selectedPage() const;
    void onSelection();
    void onPlay();
    void onUse();

    std::optional<CodeplugImage> image_;
    std::function<void(const ToneUse&)> use_fn_;
    CTestPagePlayer* player_;
    tones::Recording recording_;
    std::vector<tones::FoundTone> found_;
    std::vector<tones::FoundPage> pages_;
    QPushButton* open_;
    QLabel* status_;
    CToneStrip* strip_;
    QTableWidget* table_;
    QPushButton* play_;
    QPushButton* use_;
    unsigned search_ = 0; // the latest search; older results are dropped
};

} // namespace quorl
