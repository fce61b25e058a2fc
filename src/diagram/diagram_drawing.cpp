#include "diagram/diagram_drawing.h"

#include "model/climate_zone.h"
#include "model/rounded.h"
#include "model/windows1252.h"

#include <algorithm>
#include <vector>

using namespace Windows1252::Literals;

namespace {

constexpr TColor Black{0, 0, 0};
constexpr TColor Red{255, 0, 0};
constexpr TColor Green{0, 255, 0};
constexpr TColor Blue{0, 0, 255};
constexpr TColor Grey{128, 128, 128};
constexpr TColor Yellow{255, 255, 0};

using THandle = TDrawingSurface::THandle;

using Math::Rounded;

// A whole number as written in the table: tenths only where there are any.
std::string TableNumber(Math::Tenths value, bool withTenths) {
    return withTenths ? value.DisplayText() : std::to_string(value.IntegerPart());
}

// One diagram of one station, drawn in the diagram's own logical coordinates.
class TDiagramDrawing {
public:
    TDiagramDrawing(TDrawingSurface& surface, const TDiagramRendering& rendering,
                    const TDiagramLayout& layout, const TDiagramData& station,
                    const TDiagramScale& scale, bool overlay)
        : Surface(surface), Rendering(rendering), Settings(*rendering.Settings), Layout(layout),
          Station(station), Scale(scale), Overlay(overlay),
          ZeroLineY(layout.PlotBottom - (scale.NegativeSteps - 1) * layout.GridStep),
          CurveBase(layout.PlotBottom + layout.GridStep) {}

    void Draw(TPoint placement) {
        Surface.SaveState();
        Surface.SetMapping(Layout.Mapping(Surface.DeviceCaps(), placement));
        FrameAndClip();
        if (!Overlay)
            CreateFonts();
        const TCurve temperature = TemperatureCurve(Station, Scale, Layout);
        const TCurve precipitation = PrecipitationCurve(Station, Scale, Layout);
        if (!Overlay && Settings.MarkAridHumid)
            Marking(temperature, precipitation);
        Curves(temperature, precipitation);
        if (!Overlay) {
            if (Settings.DrawAxes)
                Axes();
            if (Settings.DrawGrid)
                Grid();
            Header();
            Table();
        }
        Surface.RestoreState();
        for (const THandle object : Created)
            Surface.Delete(object);
    }

private:
    TColor Colored(TColor color) const { return Rendering.Color ? color : Black; }

    THandle Keep(THandle object) {
        Created.push_back(object);
        return object;
    }
    THandle Pen(TColor color, int width) { return Keep(Surface.CreatePen(color, width)); }
    THandle Font(const char* face, int weight, int height, int width, std::uint8_t pitch) {
        return Keep(Surface.CreateFont({face, -height, width, weight, pitch}));
    }

    // Selects a pen unless it is selected already.
    void Use(THandle pen) {
        if (pen != CurrentPen)
            Surface.Select(pen);
        CurrentPen = pen;
    }

    void Line(TPoint from, TPoint to) {
        Surface.MoveTo(from);
        Surface.LineTo(to);
    }

    // A diagram is clipped to its frame; the curves laid over another diagram stay within that
    // one's plot, off its heading and table.
    void FrameAndClip() {
        if (Overlay) {
            const TPoint plot[] = {{Layout.PlotLeft, Layout.PlotTop},
                                   {Layout.PlotRight, Layout.PlotTop},
                                   {Layout.PlotRight, Layout.PlotBottom},
                                   {Layout.PlotLeft, Layout.PlotBottom}};
            Surface.ClipToPolygon(plot);
            return;
        }
        const TPoint corners[] = {{0, 0},
                                  {Layout.DiagramWidth, 0},
                                  {Layout.DiagramWidth, Layout.DiagramHeight},
                                  {0, Layout.DiagramHeight}};
        if (Settings.DrawFrame) {
            Use(Pen(Black, Layout.FramePenWidth));
            Surface.Select(Surface.StockObject(TStockObject::NullBrush));
            Surface.Polygon(corners);
        }
        Surface.ClipToPolygon(corners);
    }

    void CreateFonts() {
        const std::uint8_t modern = FixedPitch | FamilyModern;
        const std::uint8_t swiss = VariablePitch | FamilySwiss;
        AxisFont = Font("Courier New", 400, Layout.AxisFontHeight, 0, modern);
        NameFont = Font("Arial", 400, Layout.NameFontHeight, 0, swiss);
        PositionFont = Font("Arial", 400, Layout.PositionFontHeight, 0, swiss);
        TableHeadFont = Font("Courier New", 500, Layout.TableHeadFontHeight,
                             Layout.TableHeadFontHeight * 5 / 11, modern);
        TableValueFont = Font("Arial", 400, Layout.TableValueFontHeight,
                              Layout.TableValueFontHeight * 2 / 5, swiss);
    }

    // A dot of the grid or of the arid marking: a pixel on screen, a small square in output.
    void Dot(TPoint at, TColor color) {
        if (!Rendering.ForOutput)
            return Surface.SetPixel(at, color);
        const int size = Settings.ThickLines ? Layout.DotSize : Layout.DotSize / 2;
        Surface.Rectangle({at.X - size, at.Y - size}, {at.X + size, at.Y + size});
    }

    // Humid periods hatched (and solid above 100 mm when the scale is reduced), arid periods
    // filled yellow, or dotted in black and white, between the two curves.
    void Marking(const TCurve& temperature, const TCurve& precipitation) {
        const int unit = Layout.GridStep;
        const int zero = Scale.NegativeSteps * unit;
        const int hundred = (Scale.NegativeSteps + 5) * unit;
        const int humidSpacing = unit / Layout.HumidStepDivisor;
        const int aridSpacing = unit / Layout.AridStepDivisor;
        const int step = Rendering.ForOutput ? 1 : Layout.ScreenStepX;
        const int modulus = Rendering.ForOutput ? 1 : Layout.ScreenFillModulus;

        const THandle humidPen = Pen(Colored(Blue), Layout.CurvePenWidth);
        const THandle perhumidPen = Pen(Colored(Blue), modulus + 1);
        const THandle aridPen = Pen(Colored(Yellow), Rendering.Color ? modulus + 1 : 1);
        Surface.Select(Keep(Surface.CreateBrush(Colored(Yellow))));

        for (int i = 0; i < 13; ++i) {
            const int x0 = temperature.X[i];
            const int x1 = temperature.X[i + 1];
            const auto slope = [x0, x1](const TCurve& curve, int index) {
                return static_cast<double>(curve.Height[index + 1] - curve.Height[index]) /
                       (x1 - x0);
            };
            const double slopeT = slope(temperature, i);
            const double slopeP = slope(precipitation, i);
            int counter = 0;
            for (int x = x0; x <= x1; x += step, counter += step) {
                if (counter == modulus)
                    counter = 0;
                const double p = precipitation.Height[i] + slopeP * (x - x0);
                const double t = temperature.Height[i] + slopeT * (x - x0);
                if (p > t) {
                    if ((x - Layout.PlotLeft) % humidSpacing == 0) {
                        Use(humidPen);
                        Line({x, Rounded(CurveBase - p)},
                             {x, Rounded(CurveBase - std::max(t, static_cast<double>(zero))) + 1});
                    } else if (Scale.PrecipMode != 0 && p > hundred && counter == 0) {
                        Use(perhumidPen);
                        Line({x, Rounded(CurveBase - p)}, {x, CurveBase - hundred});
                    }
                } else if (p < t && x != temperature.X[0] && x != temperature.X[13]) {
                    const double top = std::max(t, static_cast<double>(zero));
                    if (Rendering.Color) {
                        if (counter == 0) {
                            Use(aridPen);
                            Line({x, Rounded(CurveBase - top)}, {x, Rounded(CurveBase - p) + 1});
                        }
                    } else if ((x - Layout.PlotLeft) % aridSpacing == 0) {
                        Use(aridPen);
                        for (int y = Rounded(CurveBase - top) + 1; y <= Rounded(CurveBase - p) - 1;
                             ++y)
                            if ((y - Layout.PlotTop) % aridSpacing == 0)
                                Dot({x, y}, Colored(Yellow));
                    }
                }
            }
        }
    }

    void Polyline(const TCurve& curve) {
        Surface.MoveTo({curve.X[0], CurveBase - curve.Height[0]});
        for (int i = 1; i < 14; ++i)
            Surface.LineTo({curve.X[i], CurveBase - curve.Height[i]});
    }

    void Curves(const TCurve& temperature, const TCurve& precipitation) {
        if (Settings.DrawTemperatureCurve) {
            Use(Pen(Colored(Overlay ? Green : Red), Layout.CurvePenWidth));
            Polyline(temperature);
        }
        if (Settings.DrawPrecipitationCurve) {
            Use(Pen(Colored(Overlay ? Grey : Blue), Layout.CurvePenWidth));
            Polyline(precipitation);
        }
    }

    void Axes() {
        const int left = Layout.PlotLeft;
        const int right = Layout.PlotRight;
        Use(Pen(Black, Layout.CurvePenWidth));
        Line({left, Layout.PlotTop}, {left, Layout.PlotBottom});
        Line({right, Layout.PlotTop}, {right, Layout.PlotBottom});
        Line({left, ZeroLineY}, {right + 1, ZeroLineY});
        for (int month = 0; month <= 12; ++month) {
            const int x = left + month * Layout.MonthWidth;
            Line({x, ZeroLineY}, {x, ZeroLineY + Layout.MonthTickLength});
        }
        for (int line = 0; line <= 9; ++line) {
            const int y = Layout.PlotTop + line * Layout.GridStep;
            Line({left, y}, {left - Layout.AxisTickLength, y});
            Line({right, y}, {right + Layout.AxisTickLength, y});
        }

        Surface.Select(AxisFont);
        const TTextMetrics metrics = Surface.TextMetrics();
        Surface.SetTextColor(Black);
        Surface.SetTextAlign(AlignCenter | AlignTop);
        const TBackgroundMode labelMode = Surface.SetBackgroundMode(TBackgroundMode::Transparent);
        const std::string_view letters = Scale.MonthsFromJuly ? "JASONDJFMAMJ" : "JFMAMJJASOND";
        for (int i = 0; i < 12; ++i)
            Surface.TextOut({left + Layout.MonthWidth / 2 + i * Layout.MonthWidth,
                             ZeroLineY + metrics.Height / 2},
                            letters.substr(static_cast<std::size_t>(i), 1));
        Surface.SetBackgroundMode(labelMode);

        const int lift = (metrics.Ascent - metrics.InternalLeading) / 2;
        const int leftText = left - 2 * Layout.AxisTickLength;
        const int rightText = right + 2 * Layout.AxisTickLength;
        Surface.SetTextColor(Colored(Red));
        Surface.SetTextAlign(AlignRight | AlignBaseline);
        for (int line = 0; line <= 9; ++line)
            if (const auto label = TemperatureLabel(line, Scale.NegativeSteps))
                Surface.TextOut({leftText, Layout.PlotTop + line * Layout.GridStep + lift},
                                std::to_string(*label));
        Surface.SetTextAlign(AlignRight | AlignTop);
        Surface.TextOut({leftText, Layout.UnitLabelY}, "°C"_cp1252);

        Surface.SetTextColor(Colored(Blue));
        Surface.SetTextAlign(AlignLeft | AlignBaseline);
        for (int line = 0; line <= 9; ++line)
            if (const auto label = PrecipitationLabel(line, Scale))
                Surface.TextOut({rightText, Layout.PlotTop + line * Layout.GridStep + lift},
                                std::to_string(*label));
        Surface.SetTextAlign(AlignLeft | AlignTop);
        Surface.TextOut({rightText, Layout.UnitLabelY}, "mm");
    }

    // Dotted lines over the plot, none on the zero line.
    void Grid() {
        Use(Surface.StockObject(TStockObject::BlackPen));
        Surface.Select(Surface.StockObject(TStockObject::BlackBrush));
        for (int x = Layout.PlotLeft + Layout.MonthWidth; x < Layout.PlotRight;
             x += Layout.MonthWidth)
            for (int y = Layout.PlotTop; y <= Layout.PlotBottom; y += Layout.GridStep / 4)
                if (y != ZeroLineY)
                    Dot({x, y}, Black);
        const int dotSpacing = Layout.MonthWidth / Layout.GridDotsPerMonth;
        for (int y = Layout.PlotTop; y <= Layout.PlotBottom; y += Layout.GridStep) {
            if (y == ZeroLineY)
                continue;
            for (int x = Layout.PlotLeft + dotSpacing; x < Layout.PlotRight; x += dotSpacing)
                Dot({x, y}, Black);
        }
    }

    void Header() {
        if (!Settings.ShowPlaceInfo)
            return;
        const int middle = Layout.DiagramWidth / 2;
        Surface.SetTextColor(Black);
        Surface.SetTextAlign(AlignCenter | AlignTop);
        Surface.Select(NameFont);
        Surface.TextOut({middle, Layout.NameY}, Station.Place().Name());
        Surface.Select(PositionFont);
        Surface.TextOut({middle, Layout.PositionY}, Station.Coords().Text());
        Surface.TextOut({middle, Layout.AltitudeY}, Station.Altitude().Text());
    }

    void Table() {
        const TTvxConfig::TTable variant = Settings.Table();
        if (variant == TTvxConfig::TTable::None)
            return;
        const int left = Layout.TableLeft;
        const int column = Layout.TableColumnWidth;
        Surface.Select(TableHeadFont);
        const TTextMetrics head = Surface.TextMetrics();
        Surface.SetTextColor(Black);
        Surface.SetTextAlign(AlignLeft | AlignBaseline);
        Surface.TextOut({left, Layout.TableHeadY}, "Monat");
        Surface.TextOut({left + column + column / 10, Layout.TableHeadY}, "Temp.");
        Surface.TextOut({left + 2 * column + column / 10, Layout.TableHeadY}, "Nied.");
        Surface.TextOut({left + column, Layout.TableHeadY + head.Height}, " (°C)"_cp1252);
        Surface.TextOut({left + 2 * column, Layout.TableHeadY + head.Height}, " (mm)");

        const auto& precipitation = Station.Precipitation();
        const bool tenths =
            std::any_of(precipitation.Values().begin(), precipitation.Values().end(),
                        [](Math::Tenths v) { return v.FractionPart() != 0; });
        const auto temperatures =
            InDisplayOrder(Station.Temperatures().Values(), Scale.MonthsFromJuly);
        const auto rain = InDisplayOrder(precipitation.Values(), Scale.MonthsFromJuly);
        const std::string_view months = "JANFEBMRZAPRMAIJUNJULAUGSEPOKTNOVDEZ";
        for (int row = 0; row < 12; ++row) {
            const int y = Layout.TableFirstRowY + row * Layout.TableRowPitch;
            const int month = Scale.MonthsFromJuly ? (row + 6) % 12 : row;
            Surface.TextOut({Layout.TableMonthX, y},
                            months.substr(static_cast<std::size_t>(3 * month), 3));
            if (variant == TTvxConfig::TTable::WithoutValues)
                continue;
            Surface.Select(TableValueFont);
            Surface.SetTextAlign(AlignRight | AlignBaseline);
            Surface.TextOut({left + 2 * column - Layout.TableValueInset, y},
                            temperatures[row].DisplayText());
            Surface.TextOut({left + 3 * column - Layout.TableValueInset, y},
                            TableNumber(rain[row], tenths));
            Surface.Select(TableHeadFont);
            Surface.SetTextAlign(AlignLeft | AlignBaseline);
        }

        const int bodyEnd =
            Layout.TableFirstRowY + 12 * Layout.TableRowPitch - (3 * head.Ascent) / 4;
        Surface.TextOut({left, bodyEnd + Layout.MeanLabelOffset}, "Temp.-Jahresmittel");
        Surface.TextOut({left, bodyEnd + Layout.SumLabelOffset}, "Niederschlagssumme");
        if (variant == TTvxConfig::TTable::Complete) {
            Surface.Select(TableValueFont);
            Surface.SetTextAlign(AlignCenter | AlignBaseline);
            const int middle = left + 3 * column / 2;
            const Math::Tenths total = precipitation.Total();
            Surface.TextOut({middle, bodyEnd + Layout.MeanLabelOffset + head.Height},
                            Station.Temperatures().MeanText() + " °C"_cp1252);
            Surface.TextOut({middle, bodyEnd + Layout.SumLabelOffset + head.Height},
                            TableNumber(total, total.FractionPart() != 0) + " mm");
        }
        if (Settings.ClimateZoneShown()) {
            Surface.Select(TableHeadFont);
            Surface.SetTextAlign(AlignLeft | AlignBaseline);
            Surface.TextOut({left, bodyEnd + Layout.ZoneLabelOffset}, "Klimazone");
            Surface.Select(TableValueFont);
            Surface.SetTextAlign(AlignCenter | AlignBaseline);
            Surface.TextOut({left + 3 * column / 2, bodyEnd + Layout.ZoneLabelOffset + head.Height},
                            ClimateZoneOf(Station).Code);
        }

        Use(Pen(Black, Layout.FramePenWidth));
        const int ruleY = Layout.TableFirstRowY -
                          (Layout.TableFirstRowY - Layout.TableHeadY - 2 * head.Height) / 2 -
                          head.Ascent;
        Line({left, ruleY}, {left + 3 * column, ruleY});
        Line({left, bodyEnd}, {left + 3 * column, bodyEnd});
        for (const int x : {left + column, left + 2 * column})
            Line({x, Layout.TableHeadY - head.Ascent}, {x, bodyEnd});
    }

    TDrawingSurface& Surface;
    const TDiagramRendering& Rendering;
    const TTvxConfig& Settings;
    const TDiagramLayout& Layout;
    const TDiagramData& Station;
    const TDiagramScale& Scale;
    const bool Overlay;
    const int ZeroLineY;
    const int CurveBase;

    std::vector<THandle> Created;
    THandle CurrentPen = 0;
    THandle AxisFont = 0, NameFont = 0, PositionFont = 0, TableHeadFont = 0, TableValueFont = 0;
};

} // namespace

TDiagramRendering TDiagramRendering::Screen(const TTvxConfig& settings) {
    return {&settings, false, true, 1};
}

TDiagramRendering TDiagramRendering::Output(const TTvxConfig& settings) {
    return {&settings, true, settings.ColorOutput, settings.LargeSizeOutput ? 1 : 2};
}

void DrawPicture(TDrawingSurface& surface, const TDiagramRendering& rendering,
                 const TDiagramContent& content) {
    const TTvxConfig& settings = *rendering.Settings;
    const TDiagramLayout layout(settings, rendering.ScaleDivisor);
    const auto steps = [&content](int own) {
        return content.ZeroAxisFixed ? 3 : own;
    };

    const TDiagramScale scale(*content.Station, steps(content.NegativeSteps), settings);
    TDiagramDrawing(surface, rendering, layout, *content.Station, scale, false).Draw({0, 0});
    if (!content.Comparing())
        return;

    const TDiagramScale lowerScale(*content.Comparison, steps(content.CompareNegativeSteps),
                                   settings);
    TDiagramDrawing(surface, rendering, layout, *content.Comparison, lowerScale, false)
        .Draw(layout.LowerPlacement(surface.DeviceCaps()));
    if (content.ShowOverlay) {
        // The upper diagram's scales, with the month order of the comparison station.
        TDiagramScale overlayScale = scale;
        overlayScale.MonthsFromJuly =
            TDiagramScale(*content.Comparison, 1, settings).MonthsFromJuly;
        TDiagramDrawing(surface, rendering, layout, *content.Comparison, overlayScale, true)
            .Draw({0, 0});
    }
}
