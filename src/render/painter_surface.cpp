#include "render/painter_surface.h"

#include "diagram/face_metrics.h"
#include "render/qt_text.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

QColor ToQColor(TColor color) {
    return QColor(color.Red, color.Green, color.Blue);
}

constexpr std::uint32_t HorizontalAlignMask = 6;
constexpr std::uint32_t AlignBottomFlag = 8;

} // namespace

TPainterSurface::TPainterSurface(QPainter& painter, const TDeviceCaps& reference,
                                 const QTransform& playback)
    : Painter(painter), Reference(reference), Playback(playback) {
    BlackPen = Add({TKind::Pen, {0, 0, 0}});
    BlackBrush = Add({TKind::Brush, {0, 0, 0}});
    NullBrush = Add({TKind::Brush, {}, 0, {}, true});
    const THandle whiteBrush = Add({TKind::Brush, {255, 255, 255}});
    const THandle systemFont = Add({TKind::Font, {}, 0, {"Arial", -1000, 0, 400, VariablePitch}});
    Current = {Playback,
               BlackPen,
               whiteBrush,
               systemFont,
               {0, 0, 0},
               TBackgroundMode::Opaque,
               AlignLeft | AlignTop,
               {}};
    Painter.setRenderHint(QPainter::Antialiasing, true);
    Painter.setRenderHint(QPainter::TextAntialiasing, true);
}

// The drawing asks only for pixels per millimetre. The device's size in whole millimetres would
// make 98.5 mm into 99 and the small picture 0.5 % too small, so the caps describe ten inches of
// the device, which hold an exact number of its pixels.
TDeviceCaps TPainterSurface::CapsOf(const QPaintDevice& device) {
    return {10 * device.logicalDpiX(), 10 * device.logicalDpiY(), 254, 254,
            device.logicalDpiX(),      device.logicalDpiY()};
}

TDrawingSurface::THandle TPainterSurface::Add(const TObject& object) {
    Objects.insert_or_assign(++LastHandle, object);
    return LastHandle;
}

void TPainterSurface::SaveState() {
    Saved.push_back(Current);
    Painter.save();
}

void TPainterSurface::RestoreState() {
    Current = Saved.back();
    Saved.pop_back();
    Painter.restore();
}

void TPainterSurface::SetMapping(const TMapping& mapping) {
    const auto scale = [](std::int32_t viewport, std::int32_t window) {
        return window == 0 ? 1.0 : static_cast<double>(viewport) / window;
    };
    const double sx = scale(mapping.ViewportExtent.Width, mapping.WindowExtent.Width);
    const double sy = scale(mapping.ViewportExtent.Height, mapping.WindowExtent.Height);
    const QTransform toDevice(sx, 0, 0, sy, mapping.ViewportOrigin.X - mapping.WindowOrigin.X * sx,
                              mapping.ViewportOrigin.Y - mapping.WindowOrigin.Y * sy);
    Current.Transform = toDevice * Playback;
}

TDrawingSurface::THandle TPainterSurface::CreatePen(TColor color, std::int32_t width) {
    return Add({TKind::Pen, color, width});
}

TDrawingSurface::THandle TPainterSurface::CreateBrush(TColor color) {
    return Add({TKind::Brush, color});
}

TDrawingSurface::THandle TPainterSurface::CreateFont(const TFontDescription& font) {
    return Add({TKind::Font, {}, 0, font});
}

TDrawingSurface::THandle TPainterSurface::StockObject(TStockObject object) {
    switch (object) {
    case TStockObject::BlackPen:
        return BlackPen;
    case TStockObject::BlackBrush:
        return BlackBrush;
    case TStockObject::NullBrush:
        return NullBrush;
    }
    return NullBrush;
}

TDrawingSurface::THandle TPainterSurface::Select(THandle object) {
    switch (Objects.at(object).Kind) {
    case TKind::Pen:
        return std::exchange(Current.Pen, object);
    case TKind::Brush:
        return std::exchange(Current.Brush, object);
    case TKind::Font:
        return std::exchange(Current.Font, object);
    }
    return object;
}

void TPainterSurface::Delete(THandle object) {
    Objects.erase(object);
}

QPointF TPainterSurface::Map(TPoint point) const {
    return Current.Transform.map(QPointF(point.X, point.Y));
}

// Pen widths are logical units along x, one device pixel at least.
double TPainterSurface::PenWidth() const {
    const std::int32_t width = Objects.at(Current.Pen).Width;
    return width <= 1 ? 1.0 : std::max(1.0, width * std::abs(Current.Transform.m11()));
}

void TPainterSurface::FillPixels(QRectF area, TColor color) {
    Painter.fillRect(area, ToQColor(color));
}

void TPainterSurface::MoveTo(TPoint point) {
    Current.Position = point;
}

void TPainterSurface::LineTo(TPoint point) {
    const QPoint from = Map(Current.Position).toPoint();
    const QPoint to = Map(point).toPoint();
    const QPointF exactFrom = Map(Current.Position);
    const QPointF exactTo = Map(point);
    Current.Position = point;
    const TColor color = Objects.at(Current.Pen).Color;
    if (from == to)
        return;

    // Lines along an axis cover whole pixels up to, not including, the end point.
    const int width = std::max(1, static_cast<int>(std::lround(PenWidth())));
    const auto span = [](int start, int end) {
        return start < end ? std::pair(start, end) : std::pair(end + 1, start + 1);
    };
    if (from.x() == to.x()) {
        const auto [top, bottom] = span(from.y(), to.y());
        FillPixels(QRectF(from.x() - width / 2, top, width, bottom - top), color);
    } else if (from.y() == to.y()) {
        const auto [left, right] = span(from.x(), to.x());
        FillPixels(QRectF(left, from.y() - width / 2, right - left, width), color);
    } else {
        Painter.setPen(
            QPen(ToQColor(color), PenWidth(), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        Painter.drawLine(exactFrom, exactTo);
    }
}

void TPainterSurface::Polygon(std::span<const TPoint> points) {
    // Corners on whole pixels, and an outline of whole pixels centred on them, stay sharp.
    const int width = std::max(1, static_cast<int>(std::lround(PenWidth())));
    const double centre = width % 2 ? 0.5 : 0.0;
    QPolygonF corners;
    for (const TPoint point : points)
        corners << QPointF(Map(point).toPoint()) + QPointF(centre, centre);
    const TObject& brush = Objects.at(Current.Brush);
    Painter.setBrush(brush.Null ? QBrush(Qt::NoBrush) : QBrush(ToQColor(brush.Color)));
    Painter.setPen(QPen(ToQColor(Objects.at(Current.Pen).Color), width, Qt::SolidLine,
                        Qt::SquareCap, Qt::MiterJoin));
    Painter.drawPolygon(corners);
}

void TPainterSurface::Rectangle(TPoint topLeft, TPoint bottomRight) {
    const QPoint a = Map(topLeft).toPoint();
    const QPoint b = Map(bottomRight).toPoint();
    // The right and bottom edges lie outside, as on the classic devices; never less than a pixel.
    const QRectF area(std::min(a.x(), b.x()), std::min(a.y(), b.y()),
                      std::max(1, std::abs(b.x() - a.x())), std::max(1, std::abs(b.y() - a.y())));
    const TObject& brush = Objects.at(Current.Brush);
    const TColor pen = Objects.at(Current.Pen).Color;
    if (!brush.Null)
        FillPixels(area, brush.Color);
    const double width = std::min({PenWidth(), area.width() / 2, area.height() / 2});
    if (brush.Null || brush.Color != pen) {
        FillPixels({area.left(), area.top(), area.width(), width}, pen);
        FillPixels({area.left(), area.bottom() - width, area.width(), width}, pen);
        FillPixels({area.left(), area.top(), width, area.height()}, pen);
        FillPixels({area.right() - width, area.top(), width, area.height()}, pen);
    }
}

void TPainterSurface::SetPixel(TPoint point, TColor color) {
    const QPoint at = Map(point).toPoint();
    FillPixels(QRectF(at.x(), at.y(), 1, 1), color);
}

void TPainterSurface::ClipToPolygon(std::span<const TPoint> points) {
    QPolygonF corners;
    for (const TPoint point : points)
        corners << Map(point);
    QPainterPath path;
    path.addPolygon(corners);
    path.closeSubpath();
    Painter.setClipPath(path, Qt::ReplaceClip);
}

void TPainterSurface::SetTextColor(TColor color) {
    Current.TextColor = color;
}

TBackgroundMode TPainterSurface::SetBackgroundMode(TBackgroundMode mode) {
    return std::exchange(Current.Mode, mode);
}

void TPainterSurface::SetTextAlign(std::uint32_t flags) {
    Current.Align = flags;
}

TPainterSurface::TDeviceFont TPainterSurface::FontOf(const TFontDescription& description) const {
    const TFaceMetrics& face = TFaceMetrics::Of(description.Face);
    const double scaleX = std::abs(Current.Transform.m11());
    const double scaleY = std::abs(Current.Transform.m22());
    const double em = description.Height < 0
                          ? -description.Height
                          : static_cast<double>(description.Height) * face.UnitsPerEm /
                                (face.WinAscent + face.WinDescent);
    QFont font(QString::fromStdString(std::string(description.Face)));
    font.setStyleHint((description.PitchAndFamily & FixedPitch) ? QFont::TypeWriter
                                                                : QFont::SansSerif);
    const double pixels = std::max(1.0, em * scaleY);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(pixels))));
    font.setWeight(static_cast<QFont::Weight>(std::clamp(description.Weight, 100, 900)));
    font.setKerning(false);
    // A given width scales the glyphs horizontally against the face's average width. The text is
    // drawn scaled rather than with a stretched font, which not every paint device supports.
    double widthScale = 1.0;
    if (description.Width > 0)
        widthScale = description.Width * scaleX / (pixels * face.AverageWidth / face.UnitsPerEm);
    return {font, widthScale};
}

TTextMetrics TPainterSurface::TextMetrics() const {
    const TFontDescription& description = Objects.at(Current.Font).Font;
    const QFontMetricsF metrics(FontOf(description).Font, Painter.device());
    const double scaleY = std::max(1e-9, std::abs(Current.Transform.m22()));
    const auto logical = [scaleY](double pixels) {
        return static_cast<std::int32_t>(std::lround(pixels / scaleY));
    };
    const std::int32_t height = logical(metrics.ascent() + metrics.descent());
    return {height, logical(metrics.ascent()), height - std::abs(description.Height)};
}

void TPainterSurface::TextOut(TPoint point, std::string_view text) {
    const TDeviceFont font = FontOf(Objects.at(Current.Font).Font);
    const QFontMetricsF metrics(font.Font, Painter.device());
    const QString characters = ToQString(text);
    const double width = metrics.horizontalAdvance(characters) * font.WidthScale;
    const QPointF anchor = Map(point);

    double left = anchor.x();
    if ((Current.Align & HorizontalAlignMask) == AlignCenter)
        left -= width / 2;
    else if ((Current.Align & HorizontalAlignMask) == AlignRight)
        left -= width;
    double baseline = anchor.y() + metrics.ascent();
    if ((Current.Align & AlignBaseline) == AlignBaseline)
        baseline = anchor.y();
    else if (Current.Align & AlignBottomFlag)
        baseline = anchor.y() - metrics.descent();

    if (Current.Mode == TBackgroundMode::Opaque)
        Painter.fillRect(
            QRectF(left, baseline - metrics.ascent(), width, metrics.ascent() + metrics.descent()),
            Qt::white);
    Painter.save();
    Painter.translate(left, baseline);
    Painter.scale(font.WidthScale, 1.0);
    Painter.setFont(font.Font);
    Painter.setPen(ToQColor(Current.TextColor));
    Painter.drawText(QPointF(0, 0), characters);
    Painter.restore();
}
