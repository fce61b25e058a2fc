#include "diagram/diagram_layout.h"
#include "support/stations.h"

#include <gtest/gtest.h>

namespace {

using Math::Tenths;

Tenths T(std::int64_t tenths) {
    return Tenths::FromUnits(tenths);
}

TDiagramData WithColdestMonth(double coldest) {
    return MakeStation("X", {coldest, 5, 10, 15, 20, 25, 20, 15, 10, 5, 0, coldest + 1},
                       {10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 10});
}

TDiagramData WithWettestMonth(double wettest) {
    return MakeStation("X", {-5, 5, 10, 15, 20, 25, 20, 15, 10, 5, 0, 0},
                       {10, 10, 10, 10, 10, 10, wettest, 10, 10, 10, 10, 10});
}

TEST(NegativeStepsTest, OneMoreForEveryStartedTenDegreesBelowZero) {
    EXPECT_EQ(NegativeSteps(WithColdestMonth(0.0)), 1);
    EXPECT_EQ(NegativeSteps(WithColdestMonth(12.0)), 1);
    EXPECT_EQ(NegativeSteps(WithColdestMonth(-0.1)), 2);
    EXPECT_EQ(NegativeSteps(WithColdestMonth(-9.9)), 2);
    EXPECT_EQ(NegativeSteps(WithColdestMonth(-10.0)), 3);
    EXPECT_EQ(NegativeSteps(WithColdestMonth(-19.9)), 3);
    EXPECT_EQ(NegativeSteps(WithColdestMonth(-20.0)), 4);
    EXPECT_EQ(NegativeSteps(WithColdestMonth(-89.5)), 10);
}

TEST(PrecipitationScaleTest, AutomaticReductionHasStrictLimits) {
    const TTvxConfig settings;
    EXPECT_EQ(TDiagramScale(WithWettestMonth(179.9), 2, settings).PrecipMode, 0);
    EXPECT_EQ(TDiagramScale(WithWettestMonth(180.0), 2, settings).PrecipMode, 1);
    EXPECT_EQ(TDiagramScale(WithWettestMonth(499.9), 2, settings).PrecipMode, 1);
    EXPECT_EQ(TDiagramScale(WithWettestMonth(500.0), 2, settings).PrecipMode, 2);
    EXPECT_EQ(TDiagramScale(WithWettestMonth(199.9), 1, settings).PrecipMode, 0);
    EXPECT_EQ(TDiagramScale(WithWettestMonth(200.0), 1, settings).PrecipMode, 1);
    EXPECT_EQ(TDiagramScale(WithWettestMonth(160.0), 3, settings).PrecipMode, 1);
    const TDiagramScale reduced(WithWettestMonth(500.0), 2, settings);
    EXPECT_EQ(reduced.PrecipFactor, 0.5);
    EXPECT_EQ(TDiagramScale(WithWettestMonth(10), 2, settings).PrecipFactor, 5.0);
}

TEST(PrecipitationScaleTest, FixedReductions) {
    TTvxConfig settings;
    settings.PrecipScaleAuto = false;
    const TDiagramScale fifth(WithWettestMonth(10), 1, settings);
    EXPECT_EQ(fifth.PrecipMode, 1);
    EXPECT_EQ(fifth.PrecipFactor, 1.0);
    settings.PrecipScale1to10 = true;
    EXPECT_EQ(TDiagramScale(WithWettestMonth(10), 1, settings).PrecipMode, 2);
    settings.PrecipScaleAuto = true; // automatic takes precedence
    EXPECT_EQ(TDiagramScale(WithWettestMonth(10), 1, settings).PrecipMode, 0);
}

TEST(HeightTest, TenDegreesOrTwentyMillimetresAGridStep) {
    constexpr int unit = 1000;
    EXPECT_EQ(TemperatureHeight(T(0), 2, unit), 2000);
    EXPECT_EQ(TemperatureHeight(T(100), 2, unit), 3000);
    EXPECT_EQ(TemperatureHeight(T(-55), 2, unit), 1450);
    EXPECT_EQ(TemperatureHeight(T(-7), 1, unit), 930);

    const TTvxConfig settings;
    TDiagramScale scale(WithWettestMonth(10), 2, settings);
    EXPECT_EQ(PrecipitationHeight(T(200), scale, unit), 3000);
    EXPECT_EQ(PrecipitationHeight(T(1000), scale, unit), 7000); // 100 mm: the same in every mode
    // 150 mm above the zero line: 7.5, 5.5 and 5.25 grid steps.
    const std::pair<int, double> modes[] = {{0, 5.0}, {1, 1.0}, {2, 0.5}};
    const int expected[] = {7500, 5500, 5250};
    for (int i = 0; i < 3; ++i) {
        scale.PrecipMode = modes[i].first;
        scale.PrecipFactor = modes[i].second;
        EXPECT_EQ(PrecipitationHeight(T(1500), scale, unit) - 2 * unit, expected[i]);
    }
    // Halves round towards positive infinity.
    EXPECT_EQ(TemperatureHeight(T(5), 0, 10), 1);
    EXPECT_EQ(TemperatureHeight(T(-5), 0, 10), 0);
}

TEST(CurveTest, EdgePointsCloseTheYear) {
    const TTvxConfig settings;
    const TDiagramLayout layout(settings, 1);
    const TDiagramData station = MakeStation("X", {-3.5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2.0},
                                             {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    const TDiagramScale scale(station, 2, settings);
    const TCurve curve = TemperatureCurve(station, scale, layout);
    EXPECT_EQ(curve.X[0], 1250);
    EXPECT_EQ(curve.X[1], 1750);
    EXPECT_EQ(curve.X[12], 12750);
    EXPECT_EQ(curve.X[13], 13250);
    // (2.0 + -3.5) / 2 = -0.75, cut to -0.7.
    EXPECT_EQ(curve.Height[0], TemperatureHeight(T(-7), 2, 1000));
    EXPECT_EQ(curve.Height[13], curve.Height[0]);
    EXPECT_EQ(curve.Height[1], TemperatureHeight(T(-35), 2, 1000));
}

TEST(CurveTest, SouthernStationsRunFromJuly) {
    TTvxConfig settings;
    const TDiagramData south = MakeStation("S", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
                                           {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, false);
    const TDiagramScale scale(south, 1, settings);
    EXPECT_TRUE(scale.MonthsFromJuly);
    EXPECT_EQ(InDisplayOrder(south.Temperatures().Values(), true)[0], Tenths(7));
    EXPECT_EQ(InDisplayOrder(south.Temperatures().Values(), true)[6], Tenths(1));
    settings.SouthernFromJuly = false;
    EXPECT_FALSE(TDiagramScale(south, 1, settings).MonthsFromJuly);
    EXPECT_FALSE(TDiagramScale(WithColdestMonth(1), 1, TTvxConfig()).MonthsFromJuly);
}

TEST(LayoutTest, RatioOneToTwoAndHalfSize) {
    TTvxConfig settings;
    settings.AxisRatio1to2 = true;
    const TDiagramLayout narrow(settings, 1);
    EXPECT_EQ(narrow.MonthWidth, 500);
    EXPECT_EQ(narrow.PlotRight, 7250);
    EXPECT_EQ(narrow.DiagramWidth, 13500);
    EXPECT_EQ(narrow.TableLeft, 8700);
    EXPECT_EQ(narrow.GridDotsPerMonth, 2);

    const TDiagramLayout half(TTvxConfig(), 2);
    EXPECT_EQ(half.GridStep, 500);
    EXPECT_EQ(half.PlotTop, 1675);
    EXPECT_EQ(half.FramePenWidth, 10);
    EXPECT_EQ(half.TableRowPitch, 270);
    EXPECT_EQ(half.ScreenStepX, 1);
    EXPECT_EQ(half.PictureSize(false), (TSize{9850, 6850}));

    TTvxConfig thick;
    thick.ThickLines = true;
    EXPECT_EQ(TDiagramLayout(thick, 1).CurvePenWidth, 50);
    EXPECT_EQ(TDiagramLayout(TTvxConfig(), 1).CurvePenWidth, 10);
    EXPECT_EQ(TDiagramLayout(TTvxConfig(), 1).PictureSize(true), (TSize{19700, 27300}));
}

TEST(LabelTest, TemperatureNeverAboveFortyAndPrecipitationReduced) {
    EXPECT_EQ(TemperatureLabel(0, 1), std::nullopt); // 90
    EXPECT_EQ(TemperatureLabel(5, 1), 40);
    EXPECT_EQ(TemperatureLabel(9, 1), 0); // the bottom axis
    EXPECT_EQ(TemperatureLabel(9, 3), -20);
    EXPECT_EQ(TemperatureLabel(0, 6), 40);

    const TTvxConfig settings;
    TDiagramScale scale(WithWettestMonth(10), 1, settings);
    EXPECT_EQ(PrecipitationLabel(3, scale), 120); // mode 0: unreduced
    scale.PrecipMode = 1;
    EXPECT_EQ(PrecipitationLabel(3, scale), 200);
    EXPECT_EQ(PrecipitationLabel(4, scale), 100);
    scale.PrecipMode = 2;
    EXPECT_EQ(PrecipitationLabel(3, scale), 300);
    EXPECT_EQ(PrecipitationLabel(0, scale), 900);
    scale.NegativeSteps = 3;
    EXPECT_EQ(PrecipitationLabel(7, scale), 0);
    EXPECT_EQ(PrecipitationLabel(8, scale), std::nullopt);
}

TEST(MappingTest, DeviceSizesAndFitting) {
    const TDiagramLayout layout(TTvxConfig(), 1);
    // A 600 dpi printer: 4961 pixels on 210 mm.
    const TDeviceCaps printer{4961, 7016, 210, 297, 600, 600};
    const TMapping mapping = layout.Mapping(printer, {0, 0});
    EXPECT_EQ(mapping.WindowExtent, (TSize{19500, 13500}));
    EXPECT_EQ(mapping.WindowOrigin, (TPoint{-100, -100}));
    EXPECT_EQ(mapping.ViewportExtent,
              (TSize{MulDiv(19500, 4961, 21000), MulDiv(13500, 7016, 29700)}));
    EXPECT_EQ(layout.NaturalSize(printer, false), (TSize{4654, 3236}));
    EXPECT_EQ(layout.LowerPlacement(printer), (TPoint{0, 3189 + 24}));

    EXPECT_EQ(FittedSize({19700, 13700}, {800, 600}), (TSize{800, 556}));
    EXPECT_EQ(FittedSize({19700, 13700}, {1000, 400}), (TSize{575, 400}));
    EXPECT_EQ(FittedSize({19700, 13700}, {0, 400}), (TSize{0, 0}));

    EXPECT_EQ(MulDiv(5, 3, 2), 8);   // 7.5 rounds up
    EXPECT_EQ(MulDiv(-5, 3, 2), -8); // and away from zero
    EXPECT_EQ(MulDiv(7, 1, 3), 2);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

} // namespace
