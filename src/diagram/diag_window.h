#pragma once

#include "diagram/diagram_drawing.h"

#include <QImage>
#include <QWidget>

class TDiagramData;
class TTvxConfig;

// The view of one station's climate diagram inside its diagram frame: the station, perhaps a
// comparison station below it with its curves overlaid, and the picture fitted into the window.
// The picture is drawn once into a cached bitmap, always in colour, as sharp as the screen
// allows; painting copies the bitmap, and only a new size or a changed picture draws it again.
class TDiagWindow : public QWidget {
public:
    TDiagWindow(const TTvxConfig& settings, TDiagramData& station, QWidget* parent = nullptr);
    ~TDiagWindow() override;

    TDiagramData& Station() const { return *ShownStation; }
    TDiagramData* Comparison() const { return ComparisonStation; }
    bool IsComparing() const { return ComparisonStation != nullptr; }
    bool IsOverlayShown() const { return OverlayShown; }
    int NegativeSteps() const { return StationNegativeSteps; }

    // A comparison station below the own one, or none; each change draws the picture anew.
    void SetComparison(TDiagramData* comparison);
    void SetOverlayShown(bool shown);
    void SetZeroAxisFixed(bool fixed);

    // Drops the cached bitmap, so that the next paint draws the picture anew.
    void InvalidatePicture();
    // The picture as the window shows it (empty before the first paint), and how often it was
    // drawn.
    const QImage& CachedBitmap() const { return Bitmap; }
    int PictureDrawings() const { return Drawings; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TDiagramContent Content() const;
    void DrawPicture();

    const TTvxConfig& Settings;
    TDiagramData* ShownStation;
    TDiagramData* ComparisonStation = nullptr;
    bool OverlayShown = false;
    bool ZeroAxisFixed = false;
    int StationNegativeSteps;
    int ComparisonNegativeSteps = 0;
    QImage Bitmap;
    int Drawings = 0;
};
