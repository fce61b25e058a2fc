#include "diagram/diagram_layout.h"

#include "model/rounded.h"

#include <cstdlib>

namespace {

// A value as the drawing computes with it: integer part plus tenths.
double AsDouble(Math::Tenths value) {
    return value.IntegerPart() + value.FractionPart() * 0.1;
}

TCurve Curve(const TDiagramData::TMonthValues& values, const TDiagramScale& scale,
             const TDiagramLayout& layout, auto height) {
    const TDiagramData::TMonthValues shown = InDisplayOrder(values, scale.MonthsFromJuly);
    TCurve curve{};
    for (int month = 0; month < 12; ++month) {
        curve.X[month + 1] = layout.PlotLeft + month * layout.MonthWidth + layout.MonthWidth / 2;
        curve.Height[month + 1] = height(shown[month]);
    }
    // Over the year boundary the curve closes at both axes.
    const int edge = height((shown[11] + shown[0]) / 2);
    curve.X[0] = layout.PlotLeft;
    curve.X[13] = layout.PlotRight;
    curve.Height[0] = curve.Height[13] = edge;
    return curve;
}

} // namespace

TDiagramLayout::TDiagramLayout(const TTvxConfig& settings, int scaleDivisor)
    : ScaleDivisor(scaleDivisor) {
    const auto scaled = [scaleDivisor](int base) {
        return base / scaleDivisor;
    };
    FramePenWidth = scaled(20);
    DiagramWidth = scaled(19500);
    DiagramHeight = scaled(13500);
    MarginX = scaled(100);
    MarginY = scaled(100);
    GridStep = scaled(1000);
    PlotWidth = scaled(12000);
    PlotHeight = scaled(9000);
    PlotLeft = scaled(1250);
    PlotTop = scaled(3350);
    AxisTickLength = scaled(100);
    MonthTickLength = scaled(200);
    UnitLabelY = scaled(2540);
    NameY = scaled(200);
    PositionY = scaled(1000);
    AltitudeY = scaled(1800);
    TableLeft = scaled(14700);
    TableHeadY = scaled(3150);
    TableColumnWidth = scaled(1550);
    TableMonthX = scaled(15150);
    TableFirstRowY = scaled(4500);
    TableRowPitch = scaled(540);
    TableValueInset = scaled(250);
    MeanLabelOffset = scaled(600);
    SumLabelOffset = scaled(2000);
    ZoneLabelOffset = scaled(3400);
    AxisFontHeight = scaled(450);
    NameFontHeight = scaled(600);
    PositionFontHeight = scaled(600);
    TableHeadFontHeight = scaled(540);
    TableValueFontHeight = scaled(450);
    HumidStepDivisor = scaled(8);
    AridStepDivisor = scaled(8);
    DotSize = scaled(25);
    ThickPenWidth = scaled(50);
    NormalPenWidth = scaled(10);
    ScreenFillModulus = scaled(10);

    // The climate zone needs two more lines below the annual values, which the frame takes in.
    if (settings.ClimateZoneShown())
        DiagramHeight += ZoneLabelOffset - SumLabelOffset;
    // At 1:2 the months are half as wide; the plot and everything right of it move closer.
    if (settings.AxisRatio1to2) {
        DiagramWidth -= PlotWidth / 2;
        TableLeft -= PlotWidth / 2;
        TableMonthX -= PlotWidth / 2;
    }
    ScreenStepX = scaleDivisor == 1 ? 5 : 1;
    XRatio = settings.AxisRatio1to2 ? 2 : 1;
    MonthWidth = GridStep / XRatio;
    PlotRight = PlotWidth / XRatio + PlotLeft;
    GridDotsPerMonth = settings.AxisRatio1to2 ? 2 : 4;
    CurvePenWidth = settings.ThickLines ? ThickPenWidth : NormalPenWidth;
    PlotBottom = PlotTop + PlotHeight;
}

TSize TDiagramLayout::PictureSize(bool comparing) const {
    return {2 * MarginX + DiagramWidth,
            comparing ? 2 * DiagramHeight + 3 * MarginY : 2 * MarginY + DiagramHeight};
}

TMapping TDiagramLayout::Mapping(const TDeviceCaps& device, TPoint placement) const {
    return {{DiagramWidth, DiagramHeight},
            {-MarginX, -MarginY},
            {MulDiv(DiagramWidth, device.HorizontalResolution, device.HorizontalSizeMm * 100),
             MulDiv(DiagramHeight, device.VerticalResolution, device.VerticalSizeMm * 100)},
            placement};
}

TPoint TDiagramLayout::LowerPlacement(const TDeviceCaps& device) const {
    const auto deviceHeight = [&device](int logical) {
        return MulDiv(logical, device.VerticalResolution, device.VerticalSizeMm * 100);
    };
    return {0, deviceHeight(DiagramHeight) + deviceHeight(MarginY)};
}

TSize TDiagramLayout::NaturalSize(const TDeviceCaps& device, bool comparing) const {
    const TSize picture = PictureSize(comparing);
    return {MulDiv(picture.Width, device.HorizontalResolution, device.HorizontalSizeMm * 100),
            MulDiv(picture.Height, device.VerticalResolution, device.VerticalSizeMm * 100)};
}

TSize FittedSize(TSize picture, TSize client) {
    if (picture.Height <= 0 || client.Height <= 0 || client.Width <= 0)
        return {0, 0};
    const double pictureAspect = static_cast<double>(picture.Width) / picture.Height;
    const double clientAspect = static_cast<double>(client.Width) / client.Height;
    if (clientAspect > pictureAspect)
        return {static_cast<std::int32_t>(client.Height * pictureAspect), client.Height};
    return {client.Width, static_cast<std::int32_t>(client.Width / pictureAspect)};
}

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

int NegativeSteps(const TDiagramData& station) {
    const Math::Tenths coldest = station.Temperatures().Min();
    if (coldest >= 0)
        return 1;
    return std::abs((coldest / 10).IntegerPart()) + 2;
}

TDiagramScale::TDiagramScale(const TDiagramData& station, int negativeSteps,
                             const TTvxConfig& settings)
    : NegativeSteps(negativeSteps),
      MonthsFromJuly(settings.SouthernFromJuly && !station.Coords().IsNorth()) {
    const Math::Tenths wettest = station.Precipitation().Max();
    if (!settings.PrecipScaleAuto) {
        PrecipMode = settings.PrecipScale1to10 ? 2 : 1;
    } else if (wettest + Math::Tenths((negativeSteps - 1) * 20) < 200) {
        PrecipMode = 0;
    } else if (wettest + Math::Tenths((negativeSteps - 1) * 100) < 600) {
        PrecipMode = 1;
    } else {
        PrecipMode = 2;
    }
    PrecipFactor = PrecipMode == 0 ? 5.0 : PrecipMode == 1 ? 1.0 : 0.5;
}

int TemperatureHeight(Math::Tenths temperature, int negativeSteps, int gridStep) {
    return Math::Rounded(0.1 * gridStep * AsDouble(temperature) + negativeSteps * gridStep);
}

int PrecipitationHeight(Math::Tenths precipitation, const TDiagramScale& scale, int gridStep) {
    const int k = scale.NegativeSteps;
    if (precipitation <= 100)
        return Math::Rounded(0.05 * gridStep * AsDouble(precipitation) + k * gridStep);
    return Math::Rounded(0.01 * gridStep * scale.PrecipFactor * (AsDouble(precipitation) - 100) +
                         k * gridStep + 5 * gridStep);
}

TDiagramData::TMonthValues InDisplayOrder(const TDiagramData::TMonthValues& values,
                                          bool monthsFromJuly) {
    if (!monthsFromJuly)
        return values;
    TDiagramData::TMonthValues shown{};
    for (int i = 0; i < 12; ++i)
        shown[i] = values[(i + 6) % 12];
    return shown;
}

TCurve TemperatureCurve(const TDiagramData& station, const TDiagramScale& scale,
                        const TDiagramLayout& layout) {
    return Curve(station.Temperatures().Values(), scale, layout, [&](Math::Tenths value) {
        return TemperatureHeight(value, scale.NegativeSteps, layout.GridStep);
    });
}

TCurve PrecipitationCurve(const TDiagramData& station, const TDiagramScale& scale,
                          const TDiagramLayout& layout) {
    return Curve(station.Precipitation().Values(), scale, layout, [&](Math::Tenths value) {
        return PrecipitationHeight(value, scale, layout.GridStep);
    });
}

std::optional<int> TemperatureLabel(int line, int negativeSteps) {
    const int value = (10 - line - negativeSteps) * 10;
    return value < 50 ? std::optional(value) : std::nullopt;
}

std::optional<int> PrecipitationLabel(int line, const TDiagramScale& scale) {
    const int value = (10 - line - scale.NegativeSteps) * 20;
    if (value < 0)
        return std::nullopt;
    if (scale.PrecipMode != 0 && value > 100)
        return scale.PrecipMode == 1 ? 5 * value - 400 : 10 * value - 900;
    return value;
}
