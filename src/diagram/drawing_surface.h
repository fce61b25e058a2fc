#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// A place to draw on in the manner of the classic graphics device interface: logical
// coordinates mapped onto device pixels, pens, brushes and fonts created as objects and
// selected, text placed by alignment flags. The diagram is drawn once against this interface;
// bitmaps, printers, PDF, SVG and enhanced metafiles are surfaces of it.

struct TColor {
    std::uint8_t Red = 0;
    std::uint8_t Green = 0;
    std::uint8_t Blue = 0;
    friend bool operator==(const TColor&, const TColor&) = default;
};

struct TPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

// The anisotropic mapping of logical onto device coordinates:
// device = (logical - WindowOrigin) * ViewportExtent / WindowExtent + ViewportOrigin.
struct TMapping {
    TSize WindowExtent;
    TPoint WindowOrigin;
    TSize ViewportExtent;
    TPoint ViewportOrigin;
    friend bool operator==(const TMapping&, const TMapping&) = default;
};

// What a surface tells of its device: pixels, millimetres and pixels per inch.
struct TDeviceCaps {
    std::int32_t HorizontalResolution = 0;
    std::int32_t VerticalResolution = 0;
    std::int32_t HorizontalSizeMm = 0;
    std::int32_t VerticalSizeMm = 0;
    std::int32_t LogPixelsX = 0;
    std::int32_t LogPixelsY = 0;
};

enum : std::uint8_t {
    FixedPitch = 0x01,
    VariablePitch = 0x02,
    FamilySwiss = 0x20,
    FamilyModern = 0x30
};

struct TFontDescription {
    std::string Face;
    // Negative: the character (em) height; logical units.
    std::int32_t Height = 0;
    // 0: the face's natural width.
    std::int32_t Width = 0;
    std::int32_t Weight = 400;
    std::uint8_t PitchAndFamily = 0;
    friend bool operator==(const TFontDescription&, const TFontDescription&) = default;
};

// Metrics of the selected font in logical units.
struct TTextMetrics {
    std::int32_t Height = 0;
    std::int32_t Ascent = 0;
    std::int32_t InternalLeading = 0;
};

// Text alignment flags, one horizontal and one vertical combined.
enum TTextAlign : std::uint32_t {
    AlignLeft = 0,
    AlignRight = 2,
    AlignCenter = 6,
    AlignTop = 0,
    AlignBaseline = 24,
};

enum class TBackgroundMode { Transparent = 1, Opaque = 2 };

enum class TStockObject { BlackPen, BlackBrush, NullBrush };

class TDrawingSurface {
public:
    // A created or stock pen, brush or font.
    using THandle = std::uint32_t;

    virtual ~TDrawingSurface() = default;

    virtual TDeviceCaps DeviceCaps() const = 0;

    // The whole drawing state: mapping, selected objects, colours, modes, clipping.
    virtual void SaveState() = 0;
    virtual void RestoreState() = 0;
    virtual void SetMapping(const TMapping& mapping) = 0;

    // Pen widths are logical units; 0 or 1 is one device pixel.
    virtual THandle CreatePen(TColor color, std::int32_t width) = 0;
    virtual THandle CreateBrush(TColor color) = 0;
    virtual THandle CreateFont(const TFontDescription& font) = 0;
    virtual THandle StockObject(TStockObject object) = 0;
    // Selects the object and returns the one of its kind it replaces.
    virtual THandle Select(THandle object) = 0;
    // Deletes a created object that is no longer selected.
    virtual void Delete(THandle object) = 0;

    virtual void MoveTo(TPoint point) = 0;
    // A line from the current position to the point, which itself is not drawn.
    virtual void LineTo(TPoint point) = 0;
    // A closed polygon and a rectangle, outlined with the pen and filled with the brush.
    virtual void Polygon(std::span<const TPoint> points) = 0;
    virtual void Rectangle(TPoint topLeft, TPoint bottomRight) = 0;
    virtual void SetPixel(TPoint point, TColor color) = 0;
    // Records the polygon as a path and makes it the clip region, replacing the old one.
    virtual void ClipToPolygon(std::span<const TPoint> points) = 0;

    virtual void SetTextColor(TColor color) = 0;
    // Returns the mode it replaces. A new surface writes text on an opaque white background.
    virtual TBackgroundMode SetBackgroundMode(TBackgroundMode mode) = 0;
    virtual void SetTextAlign(std::uint32_t flags) = 0;
    // Windows-1252 text at the point, anchored by the alignment.
    virtual void TextOut(TPoint point, std::string_view text) = 0;
    virtual TTextMetrics TextMetrics() const = 0;
};
