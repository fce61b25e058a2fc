#pragma once

#include "diagram/drawing_surface.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QTransform>
#include <map>
#include <vector>

// Draws on any Qt paint device (a bitmap, a printer, PDF, SVG) with the rules of the classic
// graphics device interface the diagram is written for: coordinates mapped onto the pixels of a
// reference device and from there, scaled, onto the paint device; pen widths in logical units with
// one device pixel at least; a line's last pixel left out; text anchored by alignment flags and
// written on an opaque background unless told otherwise.
class TPainterSurface : public TDrawingSurface {
public:
    // reference: the device the drawing computes its mapping for; playback: how its pixels are
    // placed on the paint device (scaled for a bitmap fitted into a window).
    TPainterSurface(QPainter& painter, const TDeviceCaps& reference,
                    const QTransform& playback = QTransform());

    // The device a paint device is to the drawing, true to its resolution.
    static TDeviceCaps CapsOf(const QPaintDevice& device);

    TDeviceCaps DeviceCaps() const override { return Reference; }
    void SaveState() override;
    void RestoreState() override;
    void SetMapping(const TMapping& mapping) override;
    THandle CreatePen(TColor color, std::int32_t width) override;
    THandle CreateBrush(TColor color) override;
    THandle CreateFont(const TFontDescription& font) override;
    THandle StockObject(TStockObject object) override;
    THandle Select(THandle object) override;
    void Delete(THandle object) override;
    void MoveTo(TPoint point) override;
    void LineTo(TPoint point) override;
    void Polygon(std::span<const TPoint> points) override;
    void Rectangle(TPoint topLeft, TPoint bottomRight) override;
    void SetPixel(TPoint point, TColor color) override;
    void ClipToPolygon(std::span<const TPoint> points) override;
    void SetTextColor(TColor color) override;
    TBackgroundMode SetBackgroundMode(TBackgroundMode mode) override;
    void SetTextAlign(std::uint32_t flags) override;
    void TextOut(TPoint point, std::string_view text) override;
    TTextMetrics TextMetrics() const override;

private:
    enum class TKind { Pen, Brush, Font };
    struct TObject {
        TObject(TKind kind, TColor color = {}, std::int32_t width = 0, TFontDescription font = {},
                bool null = false)
            : Kind(kind), Color(color), Width(width), Font(std::move(font)), Null(null) {}

        TKind Kind;
        TColor Color;
        std::int32_t Width;
        TFontDescription Font;
        bool Null;
    };
    struct TState {
        QTransform Transform;
        THandle Pen;
        THandle Brush;
        THandle Font;
        TColor TextColor;
        TBackgroundMode Mode = TBackgroundMode::Opaque;
        std::uint32_t Align = AlignLeft | AlignTop;
        TPoint Position;
    };

    THandle Add(const TObject& object);
    QPointF Map(TPoint point) const;
    double PenWidth() const;
    // A font at its device size, and how much narrower (below 1) its description asks it to be.
    struct TDeviceFont {
        QFont Font;
        double WidthScale;
    };
    TDeviceFont FontOf(const TFontDescription& description) const;
    void FillPixels(QRectF area, TColor color);

    QPainter& Painter;
    TDeviceCaps Reference;
    QTransform Playback;
    std::map<THandle, TObject> Objects;
    THandle LastHandle = 0;
    THandle BlackPen = 0, BlackBrush = 0, NullBrush = 0;
    TState Current;
    std::vector<TState> Saved;
};
