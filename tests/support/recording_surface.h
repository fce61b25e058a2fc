#pragma once

// A drawing surface that writes down what is drawn, in logical coordinates, with the pen, brush,
// font and text settings in effect at the time.

#include "diagram/drawing_surface.h"

#include <map>
#include <stdexcept>
#include <utility>
#include <vector>

class TRecordingSurface : public TDrawingSurface {
public:
    struct TObject {
        enum class TKind { Pen, Brush, Font } Kind;
        TColor Color;
        std::int32_t Width = 0;
        TFontDescription Font;
        bool Null = false;
    };
    struct TLine {
        TPoint From;
        TPoint To;
        TColor Color;
        std::int32_t Width;
    };
    struct TText {
        TPoint At;
        std::string Text;
        std::uint32_t Align;
        TColor Color;
        TFontDescription Font;
        TBackgroundMode Mode;
    };
    struct TShape {
        std::vector<TPoint> Points;
        TObject Pen;
        TObject Brush;
    };

    // A device whose pixels are logical units: 1 pixel = 0.01 mm.
    TDeviceCaps DeviceCaps() const override { return {30000, 20000, 300, 200, 2540, 2540}; }

    void SaveState() override { Saved.push_back(Current); }
    void RestoreState() override {
        Current = Saved.back();
        Saved.pop_back();
    }
    void SetMapping(const TMapping& mapping) override { Mappings.push_back(mapping); }

    THandle CreatePen(TColor color, std::int32_t width) override {
        return Add({TObject::TKind::Pen, color, width, {}, false});
    }
    THandle CreateBrush(TColor color) override {
        return Add({TObject::TKind::Brush, color, 0, {}, false});
    }
    THandle CreateFont(const TFontDescription& font) override {
        return Add({TObject::TKind::Font, {}, 0, font, false});
    }
    THandle StockObject(TStockObject object) override {
        switch (object) {
        case TStockObject::BlackPen:
            return Add({TObject::TKind::Pen, {}, 0, {}, false});
        case TStockObject::BlackBrush:
            return Add({TObject::TKind::Brush, {}, 0, {}, false});
        default:
            return Add({TObject::TKind::Brush, {}, 0, {}, true});
        }
    }
    THandle Select(THandle object) override {
        THandle& slot = Slot(Objects.at(object).Kind);
        return std::exchange(slot, object);
    }
    void Delete(THandle object) override {
        if (Current.Pen == object || Current.Brush == object || Current.Font == object)
            throw std::logic_error("deleting a selected object");
        Objects.erase(object);
    }

    void MoveTo(TPoint point) override { Position = point; }
    void LineTo(TPoint point) override {
        const TObject& pen = Objects.at(Current.Pen);
        Lines.push_back({Position, point, pen.Color, pen.Width});
        Position = point;
    }
    void Polygon(std::span<const TPoint> points) override {
        Polygons.push_back({{points.begin(), points.end()}, Pen(), Brush()});
    }
    void Rectangle(TPoint topLeft, TPoint bottomRight) override {
        Rectangles.push_back({{topLeft, bottomRight}, Pen(), Brush()});
    }
    void SetPixel(TPoint point, TColor color) override {
        Pixels.push_back({{point}, {TObject::TKind::Pen, color, 0, {}, false}, {}});
    }
    void ClipToPolygon(std::span<const TPoint> points) override {
        Clips.emplace_back(points.begin(), points.end());
    }

    void SetTextColor(TColor color) override { Current.TextColor = color; }
    TBackgroundMode SetBackgroundMode(TBackgroundMode mode) override {
        return std::exchange(Current.Mode, mode);
    }
    void SetTextAlign(std::uint32_t flags) override { Current.Align = flags; }
    void TextOut(TPoint point, std::string_view text) override {
        Texts.push_back({point, std::string(text), Current.Align, Current.TextColor,
                         Objects.at(Current.Font).Font, Current.Mode});
    }
    // Made-up metrics that keep the numbers easy: cell 120 % of the character height.
    TTextMetrics TextMetrics() const override {
        const std::int32_t height = -Objects.at(Current.Font).Font.Height;
        return {height * 6 / 5, height, height / 5};
    }

    // What was drawn.
    std::vector<TMapping> Mappings;
    std::vector<TLine> Lines;
    std::vector<TShape> Polygons;
    std::vector<TShape> Rectangles;
    std::vector<TShape> Pixels;
    std::vector<std::vector<TPoint>> Clips;
    std::vector<TText> Texts;

    // Objects still alive: created and not deleted.
    std::map<THandle, TObject> Objects;

private:
    struct TState {
        THandle Pen = 0;
        THandle Brush = 0;
        THandle Font = 0;
        TColor TextColor;
        TBackgroundMode Mode = TBackgroundMode::Opaque;
        std::uint32_t Align = 0;
    };

    THandle Add(const TObject& object) {
        Objects[++LastHandle] = object;
        return LastHandle;
    }
    THandle& Slot(TObject::TKind kind) {
        return kind == TObject::TKind::Pen     ? Current.Pen
               : kind == TObject::TKind::Brush ? Current.Brush
                                               : Current.Font;
    }
    TObject Pen() const { return Current.Pen ? Objects.at(Current.Pen) : TObject{}; }
    TObject Brush() const { return Current.Brush ? Objects.at(Current.Brush) : TObject{}; }

    TState Current;
    std::vector<TState> Saved;
    TPoint Position;
    THandle LastHandle = 0;
};
