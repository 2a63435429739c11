#pragma once

// The texts a widget paints, as it paints them on the screen: what its
// delegates and its style finally draw, after any shortening.

#include <QPaintDevice>
#include <QPaintEngine>
#include <QStringList>
#include <QWidget>

namespace hollowsweep::test {

class TextRecordingEngine final : public QPaintEngine {
public:
    TextRecordingEngine()
        : QPaintEngine(QPaintEngine::AllFeatures) {}
    QStringList Texts;

    bool begin(QPaintDevice* /*device*/) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState& /*state*/) override {}
    void drawPixmap(const QRectF& /*r*/, const QPixmap& /*pm*/, const QRectF& /*sr*/) override {}
    void drawPath(const QPainterPath& /*path*/) override {}
    void drawPolygon(const QPointF* /*points*/, int /*pointCount*/,
                     PolygonDrawMode /*mode*/) override {}
    void drawTextItem(const QPointF& /*p*/, const QTextItem& textItem) override {
        Texts << textItem.text();
    }
    Type type() const override { return QPaintEngine::User; }
};

class TextRecordingDevice final : public QPaintDevice {
public:
    explicit TextRecordingDevice(QSize size)
        : size_(size) {}
    ~TextRecordingDevice() override = default;
    TextRecordingDevice(const TextRecordingDevice&) = delete;
    TextRecordingDevice& operator=(const TextRecordingDevice&) = delete;

    QPaintEngine* paintEngine() const override { return &engine_; }
    QStringList Texts() const { return engine_.Texts; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return size_.width() * 254 / 960;
        case PdmHeightMM:
            return size_.height() * 254 / 960;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 96;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    QSize size_;
    mutable TextRecordingEngine engine_;
};

// Every text the widget draws when it paints itself, in drawing order.
inline QStringList PaintedTexts(QWidget* widget) {
    TextRecordingDevice device(widget->size());
    widget->render(&device);
    return device.Texts();
}

} // namespace hollowsweep::test
