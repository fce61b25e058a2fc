#include "diagram/diag_window.h"

#include "app/wait_cursor.h"
#include "render/diagram_output.h"

#include <QKeyEvent>
#include <QPainter>

TDiagWindow::TDiagWindow(const TTvxConfig& settings, TDiagramData& station, QWidget* parent)
    : QWidget(parent), Settings(settings), ShownStation(&station),
      StationNegativeSteps(::NegativeSteps(station)) {
    // The cached bitmap covers everything the window shows.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

TDiagWindow::~TDiagWindow() = default;

void TDiagWindow::SetComparison(TDiagramData* comparison) {
    ComparisonStation = comparison;
    ComparisonNegativeSteps = comparison ? ::NegativeSteps(*comparison) : 0;
    if (!comparison)
        OverlayShown = false;
    InvalidatePicture();
}

void TDiagWindow::SetOverlayShown(bool shown) {
    OverlayShown = shown && IsComparing();
    InvalidatePicture();
}

void TDiagWindow::SetZeroAxisFixed(bool fixed) {
    ZeroAxisFixed = fixed;
    InvalidatePicture();
}

void TDiagWindow::InvalidatePicture() {
    Bitmap = QImage();
    update();
}

TDiagramContent TDiagWindow::Content() const {
    TDiagramContent content{ShownStation, StationNegativeSteps};
    content.Comparison = ComparisonStation;
    content.CompareNegativeSteps = ComparisonNegativeSteps;
    content.ShowOverlay = OverlayShown;
    content.ZeroAxisFixed = ZeroAxisFixed;
    return content;
}

void TDiagWindow::DrawPicture() {
    const TWaitCursor wait;
    Bitmap = DiagramOutput::ScreenImage(Settings, Content(), size(), devicePixelRatioF());
    ++Drawings;
}

void TDiagWindow::paintEvent(QPaintEvent*) {
    if (Bitmap.isNull() || Bitmap.devicePixelRatio() != devicePixelRatioF())
        DrawPicture();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(QPoint(0, 0), Bitmap);
}

void TDiagWindow::resizeEvent(QResizeEvent* event) {
    if (event->size() != event->oldSize())
        InvalidatePicture();
    QWidget::resizeEvent(event);
}

void TDiagWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        window()->close();
        return;
    }
    QWidget::keyPressEvent(event);
}
