#pragma once

#include "diagram/drawing_surface.h"

#include <memory>
#include <string>
#include <vector>

// Records the drawing as an enhanced metafile (EMF), the format Windows programs exchange
// vector pictures in. Text carries the glyph advances a Windows reader uses for "Arial" and
// "Courier New", and the metrics the drawing reads are theirs.
class TEmfSurface : public TDrawingSurface {
public:
    // A reference device of 1 pixel per 1/100 mm, so that the picture maps one to one and every
    // reader draws pen widths right.
    static TDeviceCaps TrueSizeDevice();

    // frame: the picture's size in 1/100 mm; reference: the device it is recorded for.
    TEmfSurface(TSize frame, const TDeviceCaps& reference = TrueSizeDevice());
    ~TEmfSurface() override;

    // Ends the recording and hands out the metafile's bytes.
    std::string Finish();

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
    struct TRecorder;
    enum class TKind { Pen, Brush, Font };
    struct TState {
        THandle Pen;
        THandle Brush;
        THandle Font;
        TBackgroundMode Mode = TBackgroundMode::Opaque;
        TMapping Mapping;
    };

    THandle& Selected(TKind kind);
    TKind KindOf(THandle object) const;

    TDeviceCaps Reference;
    std::unique_ptr<TRecorder> Recorder;
    TState Current;
    std::vector<TState> Saved;
};
