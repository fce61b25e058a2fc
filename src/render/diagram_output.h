#pragma once

#include "diagram/diagram_drawing.h"

#include <QByteArray>
#include <QImage>
#include <QMimeData>
#include <QPaintDevice>
#include <QSize>
#include <QString>
#include <memory>

// The diagram's pictures through Qt: the screen bitmap fitted into a window, and the true-size
// picture on printers, PDF and SVG.
namespace DiagramOutput {

// The device a window's picture is laid out for: a screen of the given logical pixels per inch.
TDeviceCaps ScreenDevice(int dotsPerInch = 96);

// The screen rendering, fitted into the client area, on white; devicePixelRatio > 1 gives a
// sharp bitmap on high-density screens.
QImage ScreenImage(const TTvxConfig& settings, const TDiagramContent& content, QSize client,
                   double devicePixelRatio = 1.0);

// The output rendering at its true size, at the origin of the device's printable area; false
// when the device could not be painted on (a printer that could not begin).
bool DrawTrueSize(QPaintDevice& device, const TTvxConfig& settings, const TDiagramContent& content);

// The true-size picture as a bitmap of the given resolution on white, in output rendering or,
// for the bitmap that copying hands on, in screen rendering (single-pixel dots, coarse fills).
QImage TrueSizeImage(const TTvxConfig& settings, const TDiagramContent& content, int dotsPerInch,
                     bool forOutput = true);
// The true-size picture as an SVG document (one unit is 1/100 mm).
QByteArray SvgPicture(const TTvxConfig& settings, const TDiagramContent& content);

// What copying puts on the clipboard. As a metafile: the EMF, recorded for the reference device,
// under "image/emf" and "image/x-emf", with an SVG and a PNG of the same picture for programs
// that take no EMF. Otherwise the bitmap at the screen's resolution.
std::unique_ptr<QMimeData> ClipboardData(const TTvxConfig& settings, const TDiagramContent& content,
                                         bool asMetafile, const TDeviceCaps& reference);

// The true-size picture as a one-page PDF; empty when it could not be drawn.
QByteArray PdfDocument(const TTvxConfig& settings, const TDiagramContent& content);
// The image as a PNG file's bytes, with its resolution; empty when it could not be encoded.
QByteArray PngBytes(const QImage& image);
// The output rendering as a PNG at 300 dots per inch, marked with its resolution, so that it
// prints at its true size.
QByteArray PngPicture(const TTvxConfig& settings, const TDiagramContent& content);

} // namespace DiagramOutput
