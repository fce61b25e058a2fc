#include "app/diag_frame.h"
#include "config/tvx_config.h"
#include "diagram/diag_window.h"
#include "support/lone_diagram_owner.h"
#include "support/stations.h"

#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class DiagFrameTest : public testing::Test, public TLoneDiagramOwner {
protected:
    void Activated(TDiagFrame& frame) override { ActivatedFrames.push_back(&frame); }
    void Closed(TDiagFrame& frame) override { ClosedFrames.push_back(&frame); }

    TTvxConfig Settings;
    TDiagramData Berlin = BerlinStation();
    TDiagramData Manaus = ManausStation();
    std::vector<TDiagFrame*> ActivatedFrames;
    std::vector<TDiagFrame*> ClosedFrames;
    TDiagFrame Frame{Settings, Berlin, *this};
};

TEST_F(DiagFrameTest, TitledByTheStationAndMadeHidden) {
    EXPECT_EQ(Frame.windowTitle(), "Berlin/Deutschland");
    EXPECT_FALSE(Frame.isVisible());
    EXPECT_EQ(&Frame.View().Station(), &Berlin);
}

TEST_F(DiagFrameTest, ThePictureIsDrawnOnlyForANewSizeOrANewPicture) {
    Frame.Place(QRect(10, 20, 600, 400));
    Frame.show();
    TDiagWindow& view = Frame.View();
    view.grab();
    EXPECT_EQ(view.PictureDrawings(), 1);
    // Painting again, or after being covered, copies the bitmap.
    view.grab();
    view.repaint();
    EXPECT_EQ(view.PictureDrawings(), 1);
    EXPECT_FALSE(view.CachedBitmap().isNull());
    EXPECT_LE(view.CachedBitmap().width(), 600);

    Frame.Place(QRect(10, 20, 500, 400));
    view.grab();
    EXPECT_EQ(view.PictureDrawings(), 2);
    EXPECT_EQ(Frame.frameGeometry(), QRect(10, 20, 500, 400));

    view.SetComparison(&Manaus);
    view.grab();
    EXPECT_EQ(view.PictureDrawings(), 3);
    EXPECT_TRUE(view.IsComparing());
    view.SetComparison(nullptr);
    EXPECT_FALSE(view.IsOverlayShown());
}

TEST_F(DiagFrameTest, TheScreenPictureIsInColourWhateverTheOutputSetting) {
    Settings.ColorOutput = false;
    Frame.Place(QRect(0, 0, 600, 400));
    Frame.show();
    Frame.View().grab();
    const QImage& bitmap = Frame.View().CachedBitmap();
    bool coloured = false;
    for (int y = 0; y < bitmap.height() && !coloured; ++y)
        for (int x = 0; x < bitmap.width() && !coloured; ++x) {
            const QColor pixel = bitmap.pixelColor(x, y);
            coloured = pixel.red() != pixel.green() || pixel.green() != pixel.blue();
        }
    EXPECT_TRUE(coloured);
}

TEST_F(DiagFrameTest, EscapeClosesTheFrameAndTellsTheOwner) {
    Frame.show();
    QTest::keyClick(&Frame.View(), Qt::Key_Escape);
    EXPECT_FALSE(Frame.isVisible());
    EXPECT_EQ(ClosedFrames, std::vector<TDiagFrame*>{&Frame});
}

} // namespace
