#include "diagram/emf_surface.h"

#include "diagram/face_metrics.h"
#include "model/windows1252.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>
#include <uemf.h>
#include <utility>

namespace {

U_COLORREF ColorRef(TColor color) {
    return colorref3_set(color.Red, color.Green, color.Blue);
}

U_POINTL Point(TPoint point) {
    return point32_set(point.X, point.Y);
}

// "Not computed", which every reader accepts for the bounds of a drawing record.
U_RECTL NoBounds() {
    return rectl_set(point32_set(0, 0), point32_set(-1, -1));
}

// The metafile's closing record; its last word repeats its size.
constexpr char EndOfFile[] = {14, 0, 0, 0, 20, 0, 0, 0, 0, 0, 0, 0, 16, 0, 0, 0, 20, 0, 0, 0};

void PutWord32(std::string& bytes, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::vector<std::uint16_t> Utf16(std::string_view windows1252) {
    std::vector<std::uint16_t> text;
    for (const char c : windows1252)
        text.push_back(
            static_cast<std::uint16_t>(Windows1252::ToCodePoint(static_cast<unsigned char>(c))));
    text.push_back(0);
    return text;
}

} // namespace

// The growing metafile: records made by libUEMF, appended as they come, and the table of object
// slots.
struct TEmfSurface::TRecorder {
    std::string Bytes;
    std::uint32_t Records = 0;
    EMFHANDLES* Handles = nullptr;
    std::map<THandle, TKind> Kinds;
    std::map<THandle, TFontDescription> Fonts;

    TRecorder() {
        if (emf_htable_create(128, 128, &Handles) != 0)
            throw std::bad_alloc();
    }
    ~TRecorder() { emf_htable_free(&Handles); }
    TRecorder(const TRecorder&) = delete;
    TRecorder& operator=(const TRecorder&) = delete;

    // Takes a record made by libUEMF and frees it.
    void Append(char* record) {
        if (!record)
            throw std::bad_alloc();
        const auto size = reinterpret_cast<const U_EMR*>(record)->nSize;
        Bytes.append(record, size);
        ++Records;
        std::free(record);
    }
};

TDeviceCaps TEmfSurface::TrueSizeDevice() {
    // 32 cm by 28 cm hold a comparison of two diagrams.
    return {32000, 28000, 320, 280, 2540, 2540};
}

TEmfSurface::TEmfSurface(TSize frame, const TDeviceCaps& reference)
    : Reference(reference), Recorder(std::make_unique<TRecorder>()),
      Current{U_BLACK_PEN, U_WHITE_BRUSH, U_SYSTEM_FONT, TBackgroundMode::Opaque, {}} {
    const U_RECTL frameRect =
        rectl_set(point32_set(0, 0), point32_set(frame.Width - 1, frame.Height - 1));
    const U_RECTL bounds = rectl_set(
        point32_set(0, 0),
        point32_set(
            frame.Width * reference.HorizontalResolution / (reference.HorizontalSizeMm * 100) - 1,
            frame.Height * reference.VerticalResolution / (reference.VerticalSizeMm * 100) - 1));
    Recorder->Append(
        U_EMRHEADER_set(bounds, frameRect, nullptr, 0, nullptr,
                        sizel_set(reference.HorizontalResolution, reference.VerticalResolution),
                        sizel_set(reference.HorizontalSizeMm, reference.VerticalSizeMm), 0));
    // A fresh device: opaque white text background, black text, left and top alignment.
    Recorder->Append(U_EMRSETBKMODE_set(U_OPAQUE));
    Recorder->Append(U_EMRSETBKCOLOR_set(ColorRef({255, 255, 255})));
    Recorder->Append(U_EMRSETTEXTCOLOR_set(ColorRef({0, 0, 0})));
    Recorder->Append(U_EMRSETTEXTALIGN_set(AlignLeft | AlignTop));
}

TEmfSurface::~TEmfSurface() = default;

std::string TEmfSurface::Finish() {
    std::string bytes = std::move(Recorder->Bytes);
    bytes.append(EndOfFile, sizeof EndOfFile);
    PutWord32(bytes, 48, static_cast<std::uint32_t>(bytes.size()));
    PutWord32(bytes, 52, Recorder->Records + 1);
    const std::uint32_t handles = Recorder->Handles->peak + 1;
    bytes[56] = static_cast<char>(handles & 0xFF);
    bytes[57] = static_cast<char>(handles >> 8);
    Recorder = std::make_unique<TRecorder>();
    return bytes;
}

void TEmfSurface::SaveState() {
    Saved.push_back(Current);
    Recorder->Append(U_EMRSAVEDC_set());
}

void TEmfSurface::RestoreState() {
    Current = Saved.back();
    Saved.pop_back();
    Recorder->Append(U_EMRRESTOREDC_set(-1));
}

void TEmfSurface::SetMapping(const TMapping& mapping) {
    Current.Mapping = mapping;
    Recorder->Append(U_EMRSETMAPMODE_set(U_MM_ANISOTROPIC));
    Recorder->Append(U_EMRSETWINDOWEXTEX_set(
        sizel_set(mapping.WindowExtent.Width, mapping.WindowExtent.Height)));
    Recorder->Append(U_EMRSETWINDOWORGEX_set(Point(mapping.WindowOrigin)));
    Recorder->Append(U_EMRSETVIEWPORTEXTEX_set(
        sizel_set(mapping.ViewportExtent.Width, mapping.ViewportExtent.Height)));
    Recorder->Append(U_EMRSETVIEWPORTORGEX_set(Point(mapping.ViewportOrigin)));
}

TDrawingSurface::THandle TEmfSurface::CreatePen(TColor color, std::int32_t width) {
    std::uint32_t slot = 0;
    if (width <= 1) {
        // One device pixel: a cosmetic pen.
        Recorder->Append(createpen_set(&slot, Recorder->Handles,
                                       logpen_set(U_PS_SOLID, point_set(1, 0), ColorRef(color))));
    } else {
        PU_EXTLOGPEN pen = extlogpen_set(
            U_PS_GEOMETRIC | U_PS_SOLID | U_PS_ENDCAP_ROUND | U_PS_JOIN_ROUND,
            static_cast<std::uint32_t>(width), U_BS_SOLID, ColorRef(color), 0, 0, nullptr);
        Recorder->Append(extcreatepen_set(&slot, Recorder->Handles, nullptr, 0, nullptr, pen));
        std::free(pen);
    }
    Recorder->Kinds[slot] = TKind::Pen;
    return slot;
}

TDrawingSurface::THandle TEmfSurface::CreateBrush(TColor color) {
    std::uint32_t slot = 0;
    Recorder->Append(createbrushindirect_set(&slot, Recorder->Handles,
                                             logbrush_set(U_BS_SOLID, ColorRef(color), 0)));
    Recorder->Kinds[slot] = TKind::Brush;
    return slot;
}

TDrawingSurface::THandle TEmfSurface::CreateFont(const TFontDescription& font) {
    std::vector<std::uint16_t> face = Utf16(font.Face);
    face.resize(std::max<std::size_t>(face.size(), 32), 0);
    std::uint16_t empty[64] = {};
    const U_LOGFONT logFont =
        logfont_set(font.Height, font.Width, 0, 0, font.Weight, 0, 0, 0, U_ANSI_CHARSET, 0, 0, 0,
                    font.PitchAndFamily, face.data());
    U_LOGFONT_PANOSE described = logfont_panose_set(logFont, empty, empty, 0, U_PANOSE{});
    std::uint32_t slot = 0;
    Recorder->Append(extcreatefontindirectw_set(&slot, Recorder->Handles, nullptr,
                                                reinterpret_cast<const char*>(&described)));
    Recorder->Kinds[slot] = TKind::Font;
    Recorder->Fonts[slot] = font;
    return slot;
}

TDrawingSurface::THandle TEmfSurface::StockObject(TStockObject object) {
    switch (object) {
    case TStockObject::BlackPen:
        return U_BLACK_PEN;
    case TStockObject::BlackBrush:
        return U_BLACK_BRUSH;
    case TStockObject::NullBrush:
        return U_NULL_BRUSH;
    }
    return U_NULL_BRUSH;
}

TEmfSurface::TKind TEmfSurface::KindOf(THandle object) const {
    switch (object) {
    case U_BLACK_PEN:
        return TKind::Pen;
    case U_BLACK_BRUSH:
    case U_NULL_BRUSH:
    case U_WHITE_BRUSH:
        return TKind::Brush;
    case U_SYSTEM_FONT:
        return TKind::Font;
    default:
        return Recorder->Kinds.at(object);
    }
}

TDrawingSurface::THandle& TEmfSurface::Selected(TKind kind) {
    return kind == TKind::Pen ? Current.Pen : kind == TKind::Brush ? Current.Brush : Current.Font;
}

TDrawingSurface::THandle TEmfSurface::Select(THandle object) {
    Recorder->Append(selectobject_set(object, Recorder->Handles));
    return std::exchange(Selected(KindOf(object)), object);
}

void TEmfSurface::Delete(THandle object) {
    std::uint32_t slot = object;
    Recorder->Append(deleteobject_set(&slot, Recorder->Handles));
    Recorder->Kinds.erase(object);
    Recorder->Fonts.erase(object);
}

void TEmfSurface::MoveTo(TPoint point) {
    Recorder->Append(U_EMRMOVETOEX_set(Point(point)));
}

void TEmfSurface::LineTo(TPoint point) {
    Recorder->Append(U_EMRLINETO_set(Point(point)));
}

void TEmfSurface::Polygon(std::span<const TPoint> points) {
    std::vector<U_POINTL> corners;
    for (const TPoint point : points)
        corners.push_back(Point(point));
    Recorder->Append(
        U_EMRPOLYGON_set(NoBounds(), static_cast<std::uint32_t>(corners.size()), corners.data()));
}

void TEmfSurface::Rectangle(TPoint topLeft, TPoint bottomRight) {
    Recorder->Append(U_EMRRECTANGLE_set(rectl_set(Point(topLeft), Point(bottomRight))));
}

void TEmfSurface::SetPixel(TPoint point, TColor color) {
    Recorder->Append(U_EMRSETPIXELV_set(Point(point), ColorRef(color)));
}

void TEmfSurface::ClipToPolygon(std::span<const TPoint> points) {
    // An outline of moves and lines: every reader takes it as a clip path.
    Recorder->Append(U_EMRBEGINPATH_set());
    MoveTo(points.front());
    for (const TPoint point : points.subspan(1))
        LineTo(point);
    Recorder->Append(U_EMRCLOSEFIGURE_set());
    Recorder->Append(U_EMRENDPATH_set());
    Recorder->Append(U_EMRSELECTCLIPPATH_set(U_RGN_COPY));
}

void TEmfSurface::SetTextColor(TColor color) {
    Recorder->Append(U_EMRSETTEXTCOLOR_set(ColorRef(color)));
}

TBackgroundMode TEmfSurface::SetBackgroundMode(TBackgroundMode mode) {
    Recorder->Append(U_EMRSETBKMODE_set(static_cast<std::uint32_t>(mode)));
    return std::exchange(Current.Mode, mode);
}

void TEmfSurface::SetTextAlign(std::uint32_t flags) {
    Recorder->Append(U_EMRSETTEXTALIGN_set(flags));
}

void TEmfSurface::TextOut(TPoint point, std::string_view text) {
    const auto font = Recorder->Fonts.find(Current.Font);
    const TFontLayout layout(font != Recorder->Fonts.end() ? font->second : TFontDescription{});
    std::vector<std::uint32_t> advances;
    for (const char c : text)
        advances.push_back(
            static_cast<std::uint32_t>(layout.Advance(static_cast<unsigned char>(c))));
    std::vector<std::uint16_t> characters = Utf16(text);

    // 1/100 mm per logical unit, as Windows writes it.
    const TMapping& mapping = Current.Mapping;
    const auto scale = [](std::int32_t millimetres, std::int32_t pixels, std::int32_t viewport,
                          std::int32_t window) {
        return window == 0 || pixels == 0
                   ? 1.0f
                   : static_cast<float>(100.0 * millimetres / pixels * viewport / window);
    };
    char* placed = emrtext_set(Point(point), static_cast<std::uint32_t>(text.size()), 2,
                               characters.data(), 0, NoBounds(), advances.data());
    Recorder->Append(
        U_EMREXTTEXTOUTW_set(NoBounds(), U_GM_COMPATIBLE,
                             scale(Reference.HorizontalSizeMm, Reference.HorizontalResolution,
                                   mapping.ViewportExtent.Width, mapping.WindowExtent.Width),
                             scale(Reference.VerticalSizeMm, Reference.VerticalResolution,
                                   mapping.ViewportExtent.Height, mapping.WindowExtent.Height),
                             reinterpret_cast<PU_EMRTEXT>(placed)));
    std::free(placed);
}

TTextMetrics TEmfSurface::TextMetrics() const {
    const auto font = Recorder->Fonts.find(Current.Font);
    return TFontLayout(font != Recorder->Fonts.end() ? font->second : TFontDescription{}).Metrics();
}
