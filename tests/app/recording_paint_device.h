#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QString>
#include <vector>

namespace quorl::test {

// A paint device that keeps what was drawn on it: every text with the baseline
// point where it starts, and every line, in device units. It stands for a 600-dpi
// printer page.
struct Recording {
    struct Text {
        QString text;
        QPointF baseline;
    };
    struct Line {
        QPointF from, to;
    };
    std::vector<Text> texts;
    std::vector<Line> lines;

    // The first text that starts with `prefix`, or nullptr.
    const Text* find(const QString& prefix) const;
    bool hasText(const QString& exact) const;
};

class RecordingPaintDevice : public QPaintDevice {
public:
    RecordingPaintDevice();
    ~RecordingPaintDevice() override;
    QPaintEngine* paintEngine() const override;

    Recording recording;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    class Engine;
    Engine* engine_;
};

} // namespace quorl::test
