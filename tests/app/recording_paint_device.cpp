#include "recording_paint_device.h"

#include <QTransform>

namespace quorl::test {

class RecordingPaintDevice::Engine : public QPaintEngine {
public:
    explicit Engine(RecordingPaintDevice& device) : QPaintEngine(AllFeatures), device_(device) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& changed) override {
        if (changed.state() & DirtyTransform)
            transform_ = changed.transform();
    }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
        device_.recording.texts.push_back({item.text(), transform_.map(p)});
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i)
            device_.recording.lines.push_back(
                {transform_.map(lines[i].p1()), transform_.map(lines[i].p2())});
    }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    Type type() const override { return User; }

private:
    RecordingPaintDevice& device_;
    QTransform transform_;
};

RecordingPaintDevice::RecordingPaintDevice() : engine_(new Engine(*this)) {}
RecordingPaintDevice::~RecordingPaintDevice() {
    delete engine_;
}
QPaintEngine* RecordingPaintDevice::paintEngine() const {
    return engine_;
}

int RecordingPaintDevice::metric(PaintDeviceMetric m) const {
    switch (m) {
    case PdmWidth:
        return 5100;
    case PdmHeight:
        return 6600;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 600;
    case PdmDepth:
        return 32;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    case PdmNumColors:
        return 256;
    case PdmWidthMM:
        return 216;
    case PdmHeightMM:
        return 279;
    default:
        return 0;
    }
}

const Recording::Text* Recording::find(const QString& prefix) const {
    for (const auto& t : texts)
        if (t.text.startsWith(prefix))
            return &t;
    return nullptr;
}

bool Recording::hasText(const QString& exact) const {
    for (const auto& t : texts)
        if (t.text == exact)
            return true;
    return false;
}

} // namespace quorl::test
