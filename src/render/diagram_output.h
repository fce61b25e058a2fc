#pragma once

#include "diagram/diagram_drawing.h"

#include <QImage>
#include <QPaintDevice>
#include <QSize>
#include <QString>

// The diagram's pictures through Qt: the screen bitmap fitted into a window, and the true-size
// picture on printers, PDF and SVG.
namespace DiagramOutput {

// The device a window's picture is laid out for: a screen of the given logical pixels per inch.
TDeviceCaps ScreenDevice(int dotsPerInch = 96);

// The screen rendering, fitted into the client area, on white; devicePixelRatio > 1 gives a
// sharp bitmap on high-density screens.
QImage ScreenImage(const TTvxConfig& settings, const TDiagramContent& content, QSize client,
                   double devicePixelRatio = 1.0);

// The output rendering at its true size, at the origin of the device's printable area.
void DrawTrueSize(QPaintDevice& device, const TTvxConfig& settings, const TDiagramContent& content);

// The true-size picture as a one-page PDF or as SVG; false when the file cannot be written.
bool WritePdf(const QString& fileName, const TTvxConfig& settings, const TDiagramContent& content);
bool WriteSvg(const QString& fileName, const TTvxConfig& settings, const TDiagramContent& content);

} // namespace DiagramOutput
