#pragma once

#include "config/tvx_config.h"
#include "diagram/drawing_surface.h"
#include "model/diagram_data.h"

#include <array>
#include <optional>

// The fixed logical layout of a climate diagram (1 unit = 1/100 mm, y downwards) and its scales.
// Every measure is its full-size value divided by the scale divisor: 1 on screen, 2 for the
// small printed size.
struct TDiagramLayout {
    TDiagramLayout(const TTvxConfig& settings, int scaleDivisor);

    int ScaleDivisor;
    int FramePenWidth, DiagramWidth, DiagramHeight, MarginX, MarginY, GridStep, PlotWidth,
        PlotHeight, PlotLeft, PlotTop, AxisTickLength, MonthTickLength, UnitLabelY, NameY,
        PositionY, AltitudeY, TableLeft, TableHeadY, TableColumnWidth, TableMonthX, TableFirstRowY,
        TableRowPitch, TableValueInset, MeanLabelOffset, SumLabelOffset, ZoneLabelOffset,
        AxisFontHeight, NameFontHeight, PositionFontHeight, TableHeadFontHeight,
        TableValueFontHeight, HumidStepDivisor, AridStepDivisor, DotSize, ThickPenWidth,
        NormalPenWidth, ScreenFillModulus;

    // Derived measures.
    int ScreenStepX, XRatio, MonthWidth, PlotRight, GridDotsPerMonth, CurvePenWidth, PlotBottom;

    // The whole picture with its margins: one diagram, or two stacked for a comparison.
    TSize PictureSize(bool comparing) const;
    // The mapping for a diagram placed at a point of a device (device pixels).
    TMapping Mapping(const TDeviceCaps& device, TPoint placement) const;
    // Where the lower diagram of a comparison is placed on the device.
    TPoint LowerPlacement(const TDeviceCaps& device) const;
    // The picture in device pixels at its true size.
    TSize NaturalSize(const TDeviceCaps& device, bool comparing) const;
};

// The largest size of the picture's aspect that fits into a window's client area.
TSize FittedSize(TSize picture, TSize client);

// Windows' integer multiply-divide: a * b / c rounded to the nearest whole number.
std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c);

// The number of grid intervals below the zero line (k): 1 for a station never below 0 °C, one
// more for every started 10 °C below it.
int NegativeSteps(const TDiagramData& station);

// How the drawing of one station is scaled.
struct TDiagramScale {
    // Grid intervals below the zero line.
    int NegativeSteps;
    // Precipitation above 100 mm: 0 unreduced (factor 5.0), 1 reduced 1:5 (1.0), 2 1:10 (0.5).
    int PrecipMode;
    double PrecipFactor;
    // Southern stations may run from July to June.
    bool MonthsFromJuly;

    TDiagramScale(const TDiagramData& station, int negativeSteps, const TTvxConfig& settings);
};

// Heights above the curve base in logical units.
int TemperatureHeight(Math::Tenths temperature, int negativeSteps, int gridStep);
int PrecipitationHeight(Math::Tenths precipitation, const TDiagramScale& scale, int gridStep);

// The twelve monthly values in display order.
TDiagramData::TMonthValues InDisplayOrder(const TDiagramData::TMonthValues& values,
                                          bool monthsFromJuly);

// The fourteen points of a curve: the middle of each month's column, and the left and right axes
// at the mean of the last and the first month.
struct TCurve {
    std::array<int, 14> X;
    std::array<int, 14> Height;
};

TCurve TemperatureCurve(const TDiagramData& station, const TDiagramScale& scale,
                        const TDiagramLayout& layout);
TCurve PrecipitationCurve(const TDiagramData& station, const TDiagramScale& scale,
                          const TDiagramLayout& layout);

// The labels of grid line j (0 at the top, 9 at the bottom); nothing where none is written.
std::optional<int> TemperatureLabel(int line, int negativeSteps);
std::optional<int> PrecipitationLabel(int line, const TDiagramScale& scale);
