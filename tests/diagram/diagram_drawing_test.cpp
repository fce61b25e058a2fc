#include "diagram/diagram_drawing.h"
#include "model/windows1252.h"
#include "support/recording_surface.h"
#include "support/stations.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

using namespace Windows1252::Literals;
using TLine = TRecordingSurface::TLine;

constexpr TColor Black{0, 0, 0};
constexpr TColor Red{255, 0, 0};
constexpr TColor Blue{0, 0, 255};
constexpr TColor Yellow{255, 255, 0};

const TDiagramData Humid = MakeStation("Nass", {5, 6, 8, 10, 12, 14, 15, 14, 12, 10, 8, 6},
                                       {80, 70, 75, 80, 90, 95, 100, 90, 85, 80, 85, 90});
const TDiagramData Arid = MakeStation("Trocken", {20, 22, 25, 28, 32, 34, 35, 34, 31, 27, 23, 20},
                                      {5, 4, 3, 2, 1, 0, 0, 0, 1, 3, 4, 5});
// Precipitation twice the temperature: both curves lie on each other.
const TDiagramData Meeting = MakeStation("Gleich", {5, 6, 7, 8, 9, 10, 11, 10, 9, 8, 7, 6},
                                         {10, 12, 14, 16, 18, 20, 22, 20, 18, 16, 14, 12});
const TDiagramData ColdAndWet = MakeStation("Kalt", {-15, -12, -6, 2, 8, 12, 14, 12, 7, 1, -6, -12},
                                            {40, 35, 30, 30, 40, 60, 70, 70, 60, 50, 45, 40});
const TDiagramData Monsoon = MakeStation("Monsun", {24, 25, 27, 29, 30, 29, 28, 28, 28, 28, 27, 25},
                                         {10, 20, 30, 50, 150, 400, 600, 500, 300, 150, 40, 10});

struct TDrawn {
    TRecordingSurface Surface;
    TDiagramLayout Layout;
};

TDrawn Draw(const TDiagramData& station, const TTvxConfig& settings, bool forOutput = true,
            bool color = true) {
    TDrawn drawn{{}, TDiagramLayout(settings, 1)};
    const TDiagramRendering rendering{&settings, forOutput, color, 1};
    DrawPicture(drawn.Surface, rendering, {&station, NegativeSteps(station)});
    return drawn;
}

// The vertical marking lines, which stand between the axes, in the given colour.
std::vector<TLine> Marks(const TDrawn& drawn, TColor color, int width) {
    std::vector<TLine> marks;
    for (const TLine& line : drawn.Surface.Lines)
        if (line.From.X == line.To.X && line.Color == color && line.Width == width &&
            line.From.X >= drawn.Layout.PlotLeft && line.From.X <= drawn.Layout.PlotRight &&
            line.From.Y < drawn.Layout.PlotBottom)
            marks.push_back(line);
    return marks;
}

bool HasText(const TDrawn& drawn, const std::string& text) {
    return std::any_of(drawn.Surface.Texts.begin(), drawn.Surface.Texts.end(),
                       [&](const auto& t) { return t.Text == text; });
}

TEST(MarkingTest, HumidStationIsOnlyHatched) {
    const TDrawn drawn = Draw(Humid, TTvxConfig());
    const auto hatch = Marks(drawn, Blue, 10);
    // Every 125 units from the left to the right axis; where two segments meet the line is
    // drawn by both.
    EXPECT_EQ(hatch.size(), 97u + 12u);
    for (const TLine& line : hatch)
        EXPECT_EQ((line.From.X - drawn.Layout.PlotLeft) % 125, 0);
    EXPECT_TRUE(Marks(drawn, Yellow, 2).empty());
}

TEST(MarkingTest, AridStationIsOnlyFilledAndNotAtTheAxes) {
    const TDrawn drawn = Draw(Arid, TTvxConfig());
    const auto fill = Marks(drawn, Yellow, 2);
    ASSERT_FALSE(fill.empty());
    EXPECT_TRUE(Marks(drawn, Blue, 10).empty());
    const auto [first, last] =
        std::minmax_element(fill.begin(), fill.end(),
                            [](const TLine& a, const TLine& b) { return a.From.X < b.From.X; });
    EXPECT_EQ(first->From.X, drawn.Layout.PlotLeft + 1);
    EXPECT_EQ(last->From.X, drawn.Layout.PlotRight - 1);
    // From the temperature down to one past the precipitation, whose end point is not drawn.
    EXPECT_LT(first->From.Y, first->To.Y);
}

TEST(MarkingTest, NothingWhereTheCurvesMeet) {
    const TDrawn drawn = Draw(Meeting, TTvxConfig());
    EXPECT_TRUE(Marks(drawn, Blue, 10).empty());
    EXPECT_TRUE(Marks(drawn, Yellow, 2).empty());
}

TEST(MarkingTest, HumidHatchingStopsAtTheZeroLine) {
    const TDrawn drawn = Draw(ColdAndWet, TTvxConfig());
    const int zeroLine = drawn.Layout.PlotBottom - (NegativeSteps(ColdAndWet) - 1) * 1000;
    const auto hatch = Marks(drawn, Blue, 10);
    ASSERT_FALSE(hatch.empty());
    for (const TLine& line : hatch)
        EXPECT_LE(line.To.Y, zeroLine + 1);
    // Winter months are below zero: there the hatch ends exactly at the zero line.
    EXPECT_EQ(hatch.front().To.Y, zeroLine + 1);
}

TEST(MarkingTest, PerhumidAreaOnlyWhenTheScaleIsReduced) {
    // Automatic: 600 mm needs mode 2 with its solid area above 100 mm.
    const TDrawn reduced = Draw(Monsoon, TTvxConfig());
    const auto solid = Marks(reduced, Blue, 2);
    ASSERT_FALSE(solid.empty());
    for (const TLine& line : solid)
        EXPECT_EQ(line.To.Y, reduced.Layout.PlotBottom + 1000 - 6 * 1000);

    TTvxConfig unreducedSettings;
    const TDiagramData light =
        MakeStation("Leicht", {24, 25, 27, 29, 30, 29, 28, 28, 28, 28, 27, 25},
                    {10, 20, 30, 50, 80, 120, 190, 150, 100, 60, 40, 10});
    const TDrawn unreduced = Draw(light, unreducedSettings);
    EXPECT_TRUE(Marks(unreduced, Blue, 2).empty()); // mode 0 has no solid area
    EXPECT_FALSE(Marks(unreduced, Blue, 10).empty());
}

TEST(MarkingTest, ScreenUsesCoarseStepsAndPixels) {
    const TDrawn output = Draw(Arid, TTvxConfig(), true);
    const TDrawn screen = Draw(Arid, TTvxConfig(), false);
    const auto fine = Marks(output, Yellow, 2);
    const auto coarse = Marks(screen, Yellow, 11);
    ASSERT_FALSE(coarse.empty());
    EXPECT_NEAR(static_cast<double>(fine.size()) / coarse.size(), 10.0, 0.2);
    EXPECT_FALSE(screen.Surface.Pixels.empty()); // grid dots
    EXPECT_TRUE(screen.Surface.Rectangles.empty());
    EXPECT_FALSE(output.Surface.Rectangles.empty());
}

TEST(MarkingTest, BlackAndWhiteDotsTheAridArea) {
    const TDrawn drawn = Draw(Arid, TTvxConfig(), true, false);
    EXPECT_TRUE(Marks(drawn, Yellow, 2).empty());
    int aridDots = 0;
    for (const auto& square : drawn.Surface.Rectangles) {
        const TPoint centre{(square.Points[0].X + square.Points[1].X) / 2,
                            (square.Points[0].Y + square.Points[1].Y) / 2};
        EXPECT_EQ(square.Points[1].X - square.Points[0].X, 24);
        EXPECT_EQ(square.Brush.Color, Black);
        if ((centre.X - drawn.Layout.PlotLeft) % 125 == 0 && (centre.X - 1250) % 250 != 0)
            ++aridDots;
    }
    EXPECT_GT(aridDots, 50);
    for (const TLine& line : drawn.Surface.Lines)
        EXPECT_EQ(line.Color, Black);
    for (const auto& text : drawn.Surface.Texts)
        EXPECT_EQ(text.Color, Black);
}

TEST(AxesTest, ColoursAndLabels) {
    const TDrawn drawn = Draw(ColdAndWet, TTvxConfig());
    std::vector<std::string> temperatureLabels;
    for (const auto& text : drawn.Surface.Texts) {
        if (text.Color == Red)
            temperatureLabels.push_back(text.Text);
        if (text.Text == "mm") {
            EXPECT_EQ(text.Color, Blue);
        }
    }
    EXPECT_EQ(temperatureLabels,
              (std::vector<std::string>{"40", "30", "20", "10", "0", "-10", "-20", "°C"_cp1252}));
    // Month letters are written without background, the labels on the opaque background.
    for (const auto& text : drawn.Surface.Texts) {
        if (text.Text.size() == 1 && std::isalpha(static_cast<unsigned char>(text.Text[0]))) {
            EXPECT_EQ(text.Mode, TBackgroundMode::Transparent);
        }
        if (text.Text == "40") {
            EXPECT_EQ(text.Mode, TBackgroundMode::Opaque);
        }
    }
    const auto curves = std::count_if(drawn.Surface.Lines.begin(), drawn.Surface.Lines.end(),
                                      [](const TLine& l) { return l.Color == Red; });
    EXPECT_EQ(curves, 13);
}

TEST(AxesTest, GridWithoutAxesHasDotsButNoText) {
    TTvxConfig settings;
    settings.DrawAxes = false;
    settings.ShowPlaceInfo = false;
    settings.TableComplete = false;
    const TDrawn drawn = Draw(Humid, settings);
    EXPECT_TRUE(drawn.Surface.Texts.empty());
    // 11 dotted month lines of 37 dots and 9 dotted grid lines of 47 dots, none on the zero line
    // (here the bottom axis, k = 1).
    EXPECT_EQ(drawn.Surface.Rectangles.size(), 11u * 36 + 9u * 47);
}

TEST(TableTest, Variants) {
    TTvxConfig settings;
    EXPECT_TRUE(HasText(Draw(Humid, settings), "10,0 °C"_cp1252));
    EXPECT_TRUE(HasText(Draw(Humid, settings), "1020 mm"));

    settings.TableComplete = false;
    settings.TableMonthlyOnly = true;
    const TDrawn monthly = Draw(Humid, settings);
    EXPECT_TRUE(HasText(monthly, "Temp.-Jahresmittel"));
    EXPECT_FALSE(HasText(monthly, "1020 mm"));
    EXPECT_TRUE(HasText(monthly, "95"));

    settings.TableMonthlyOnly = false;
    settings.TableWithoutValues = true;
    const TDrawn bare = Draw(Humid, settings);
    EXPECT_TRUE(HasText(bare, "Niederschlagssumme"));
    EXPECT_TRUE(HasText(bare, "MRZ"));
    EXPECT_FALSE(HasText(bare, "95"));
    EXPECT_FALSE(HasText(bare, "5,0"));
    const auto rules = std::count_if(bare.Surface.Lines.begin(), bare.Surface.Lines.end(),
                                     [](const TLine& l) { return l.Width == 20; });
    EXPECT_EQ(rules, 4);
}

TEST(TableTest, PrecipitationDecimalsOnlyWhenAnyMonthHasThem) {
    const TDiagramData mixed = MakeStation("M", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
                                           {10, 12.5, 10, 10, 10, 10, 10, 10, 10, 10, 10, 12});
    const TDrawn drawn = Draw(mixed, TTvxConfig());
    EXPECT_TRUE(HasText(drawn, "10,0"));
    EXPECT_TRUE(HasText(drawn, "12,5"));
    EXPECT_TRUE(HasText(drawn, "12,0"));
    EXPECT_TRUE(HasText(drawn, "124,5 mm"));
    EXPECT_FALSE(HasText(Draw(Humid, TTvxConfig()), "80,0"));
}

TEST(HeaderTest, NameAndPositionCentred) {
    const TDrawn drawn = Draw(Humid, TTvxConfig());
    const auto name = std::find_if(drawn.Surface.Texts.begin(), drawn.Surface.Texts.end(),
                                   [](const auto& t) { return t.Text == "Nass"; });
    ASSERT_NE(name, drawn.Surface.Texts.end());
    EXPECT_EQ(name->At, (TPoint{9750, 200}));
    EXPECT_EQ(name->Align, AlignCenter | AlignTop);
    EXPECT_EQ(name->Font.Face, "Arial");
    EXPECT_EQ(name->Font.Height, -600);
    EXPECT_TRUE(HasText(drawn, "52°31'N/13°24'E"_cp1252));
    EXPECT_TRUE(HasText(drawn, "34m"));
}

TEST(PictureTest, ComparisonStacksTwoDiagramsAndOverlaysCurves) {
    const TTvxConfig settings;
    TRecordingSurface surface;
    const TDiagramRendering rendering{&settings, true, true, 1};
    TDiagramContent content{
        &Humid, NegativeSteps(Humid), &ColdAndWet, NegativeSteps(ColdAndWet), true, false};
    DrawPicture(surface, rendering, content);
    ASSERT_EQ(surface.Mappings.size(), 3u);
    EXPECT_EQ(surface.Mappings[1].ViewportOrigin, (TPoint{0, 13600}));
    EXPECT_EQ(surface.Mappings[2].ViewportOrigin, (TPoint{0, 0}));
    const auto green =
        std::count_if(surface.Lines.begin(), surface.Lines.end(), [](const TLine& l) {
            return l.Color == TColor{0, 255, 0};
        });
    EXPECT_EQ(green, 13);
    // The laid-over curves stay within the upper plot, off its heading and its table.
    const TDiagramLayout layout(settings, 1);
    ASSERT_EQ(surface.Clips.size(), 3u);
    EXPECT_EQ(surface.Clips[2], (std::vector<TPoint>{{layout.PlotLeft, layout.PlotTop},
                                                     {layout.PlotRight, layout.PlotTop},
                                                     {layout.PlotRight, layout.PlotBottom},
                                                     {layout.PlotLeft, layout.PlotBottom}}));
    // Every object made for a drawing is gone afterwards, apart from stock objects.
    for (const auto& [handle, object] : surface.Objects)
        EXPECT_TRUE(object.Kind != TRecordingSurface::TObject::TKind::Font);
}

} // namespace
