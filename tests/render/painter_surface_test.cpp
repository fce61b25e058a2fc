#include "render/painter_surface.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {

constexpr TColor Black{0, 0, 0};
constexpr TColor Red{255, 0, 0};

// A white bitmap of 400 by 200 pixels drawn on one logical unit a pixel.
class PainterSurfaceTest : public testing::Test {
protected:
    PainterSurfaceTest()
        : Image(400, 200, QImage::Format_RGB32), Painter((Image.fill(Qt::white), &Image)),
          Surface(Painter, {400, 200, 4, 2, 254, 254}) {
        Surface.SetMapping({{400, 200}, {0, 0}, {400, 200}, {0, 0}});
        Painter.setRenderHint(QPainter::Antialiasing, false);
    }

    bool IsBlack(int x, int y) const { return Image.pixelColor(x, y) == QColor(Qt::black); }
    bool IsWhite(int x, int y) const { return Image.pixelColor(x, y) == QColor(Qt::white); }
    // Columns between which anything but white was drawn in the row band.
    std::pair<int, int> InkColumns(int top, int bottom) const {
        int first = Image.width(), last = -1;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < Image.width(); ++x)
                if (!IsWhite(x, y)) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return {first, last};
    }

    QImage Image;
    QPainter Painter;
    TPainterSurface Surface;
};

TEST_F(PainterSurfaceTest, LinesLeaveOutTheirEndPoint) {
    Surface.Select(Surface.CreatePen(Black, 1));
    Surface.MoveTo({10, 10});
    Surface.LineTo({10, 20});
    EXPECT_TRUE(IsBlack(10, 10));
    EXPECT_TRUE(IsBlack(10, 19));
    EXPECT_TRUE(IsWhite(10, 20));
    Surface.MoveTo({40, 10});
    Surface.LineTo({30, 10});
    EXPECT_TRUE(IsWhite(30, 10));
    EXPECT_TRUE(IsBlack(31, 10));
    EXPECT_TRUE(IsBlack(40, 10));
}

TEST_F(PainterSurfaceTest, PenWidthsAreLogicalWithOnePixelAtLeast) {
    Surface.Select(Surface.CreatePen(Black, 5));
    Surface.MoveTo({100, 50});
    Surface.LineTo({100, 60});
    EXPECT_TRUE(IsBlack(98, 55));
    EXPECT_TRUE(IsBlack(102, 55));
    EXPECT_TRUE(IsWhite(97, 55));
    EXPECT_TRUE(IsWhite(103, 55));
    Surface.Select(Surface.CreatePen(Black, 0));
    Surface.MoveTo({200, 50});
    Surface.LineTo({200, 60});
    EXPECT_TRUE(IsBlack(200, 55));
    EXPECT_TRUE(IsWhite(199, 55));
    EXPECT_TRUE(IsWhite(201, 55));
}

TEST_F(PainterSurfaceTest, RectanglesPixelsAndClipping) {
    Surface.Select(Surface.StockObject(TStockObject::BlackPen));
    Surface.Select(Surface.StockObject(TStockObject::BlackBrush));
    Surface.Rectangle({10, 10}, {14, 14});
    EXPECT_TRUE(IsBlack(10, 10));
    EXPECT_TRUE(IsBlack(13, 13));
    EXPECT_TRUE(IsWhite(14, 14));
    Surface.SetPixel({50, 50}, Red);
    EXPECT_EQ(Image.pixelColor(50, 50), QColor(Qt::red));

    Surface.SaveState();
    const TPoint square[] = {{100, 100}, {150, 100}, {150, 150}, {100, 150}};
    Surface.ClipToPolygon(square);
    Surface.Select(Surface.CreatePen(Black, 1));
    Surface.MoveTo({120, 80});
    Surface.LineTo({120, 170});
    EXPECT_TRUE(IsWhite(120, 90));
    EXPECT_TRUE(IsBlack(120, 120));
    EXPECT_TRUE(IsWhite(120, 160));
    Surface.RestoreState();
    Surface.MoveTo({130, 80});
    Surface.LineTo({130, 90});
    EXPECT_TRUE(IsBlack(130, 85)); // the clip went with the restored state
}

TEST_F(PainterSurfaceTest, TextIsAnchoredByItsAlignment) {
    Surface.Select(Surface.CreateFont({"Courier New", -40, 0, 400, FixedPitch}));
    Surface.SetBackgroundMode(TBackgroundMode::Transparent);
    Surface.SetTextAlign(AlignRight | AlignBaseline);
    Surface.TextOut({200, 60}, "40");
    const auto [left, right] = InkColumns(20, 70);
    EXPECT_LE(right, 200);
    EXPECT_GT(right, 190);
    EXPECT_GT(left, 140);
    // Top alignment puts the text below the anchor.
    Surface.SetTextAlign(AlignCenter | AlignTop);
    Surface.TextOut({300, 120}, "X");
    const auto [x0, x1] = InkColumns(120, 170);
    EXPECT_NEAR((x0 + x1) / 2.0, 300, 3);
    EXPECT_EQ(InkColumns(75, 120).second, -1);
}

TEST_F(PainterSurfaceTest, OpaqueTextClearsItsBox) {
    Surface.Select(Surface.CreatePen(Black, 30));
    Surface.MoveTo({0, 100});
    Surface.LineTo({400, 100});
    Surface.Select(Surface.CreateFont({"Arial", -40, 0, 400, VariablePitch}));
    Surface.SetTextAlign(AlignLeft | AlignBaseline);
    Surface.TextOut({10, 110}, "."); // opaque: a white box across the black band
    EXPECT_TRUE(IsWhite(13, 92));
    Surface.SetBackgroundMode(TBackgroundMode::Transparent);
    Surface.TextOut({300, 110}, ".");
    EXPECT_TRUE(IsBlack(303, 92));
}

TEST_F(PainterSurfaceTest, MetricsAndWidthComeFromTheFontItself) {
    Surface.Select(Surface.CreateFont({"Courier New", -100, 0, 400, FixedPitch}));
    const TTextMetrics metrics = Surface.TextMetrics();
    EXPECT_NEAR(metrics.Ascent, 83, 2);  // 100 * 1705 / 2048
    EXPECT_NEAR(metrics.Height, 113, 2); // and 30 below
    EXPECT_NEAR(metrics.InternalLeading, 13, 2);

    Surface.SetBackgroundMode(TBackgroundMode::Transparent);
    Surface.SetTextAlign(AlignLeft | AlignTop);
    Surface.Select(Surface.CreateFont({"Courier New", -40, 0, 400, FixedPitch}));
    Surface.TextOut({0, 0}, "MMMMMMMMMM");
    const int natural = InkColumns(0, 50).second;
    Surface.Select(Surface.CreateFont({"Courier New", -40, 40 * 5 / 11, 500, FixedPitch}));
    Surface.TextOut({0, 100}, "MMMMMMMMMM");
    const int narrow = InkColumns(100, 150).second;
    // Width 18 against the natural 24: three quarters as wide.
    EXPECT_NEAR(static_cast<double>(narrow) / natural, 0.76, 0.05);
}

} // namespace
