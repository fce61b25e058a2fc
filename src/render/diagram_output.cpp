#include "render/diagram_output.h"

#include "render/painter_surface.h"
#include "render/qt_text.h"

#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace DiagramOutput {
namespace {

// The picture's size in millimetres.
QSizeF PictureMillimetres(const TTvxConfig& settings, const TDiagramContent& content) {
    const TDiagramLayout layout(settings, TDiagramRendering::Output(settings).ScaleDivisor);
    const TSize picture = layout.PictureSize(content.Comparing());
    return {picture.Width / 100.0, picture.Height / 100.0};
}

} // namespace

TDeviceCaps ScreenDevice(int dotsPerInch) {
    // A screen of 20 by 12 inches.
    return {20 * dotsPerInch, 12 * dotsPerInch, 508, 305, dotsPerInch, dotsPerInch};
}

QImage ScreenImage(const TTvxConfig& settings, const TDiagramContent& content, QSize client,
                   double devicePixelRatio) {
    const TDiagramRendering rendering = TDiagramRendering::Screen(settings);
    const TDiagramLayout layout(settings, rendering.ScaleDivisor);
    const TDeviceCaps screen = ScreenDevice();
    const TSize natural = layout.NaturalSize(screen, content.Comparing());
    const TSize fitted =
        FittedSize(layout.PictureSize(content.Comparing()), {client.width(), client.height()});
    if (fitted.Width <= 0 || fitted.Height <= 0 || natural.Width <= 0 || natural.Height <= 0)
        return {};

    QImage image(QSize(fitted.Width, fitted.Height) * devicePixelRatio, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    // The picture recorded for the screen is played back onto the fitted rectangle.
    const QTransform playback =
        QTransform::fromScale(static_cast<double>(image.width()) / natural.Width,
                              static_cast<double>(image.height()) / natural.Height);
    TPainterSurface surface(painter, screen, playback);
    DrawPicture(surface, rendering, content);
    painter.end();
    image.setDevicePixelRatio(devicePixelRatio);
    return image;
}

void DrawTrueSize(QPaintDevice& device, const TTvxConfig& settings,
                  const TDiagramContent& content) {
    QPainter painter(&device);
    TPainterSurface surface(painter, TPainterSurface::CapsOf(device));
    DrawPicture(surface, TDiagramRendering::Output(settings), content);
}

bool WritePdf(const QString& fileName, const TTvxConfig& settings, const TDiagramContent& content) {
    QPdfWriter writer(fileName);
    writer.setResolution(1200);
    writer.setPageSize(QPageSize(PictureMillimetres(settings, content), QPageSize::Millimeter,
                                 QString(), QPageSize::ExactMatch));
    writer.setPageMargins(QMarginsF());
    writer.setTitle(ToQString(content.Station->Place().Name()));
    writer.setCreator(QStringLiteral("Pelvanor"));
    DrawTrueSize(writer, settings, content);
    return QFile(fileName).size() > 0;
}

bool WriteSvg(const QString& fileName, const TTvxConfig& settings, const TDiagramContent& content) {
    // One unit of the SVG is 1/100 mm.
    const QSizeF millimetres = PictureMillimetres(settings, content);
    const QSize units(static_cast<int>(millimetres.width() * 100),
                      static_cast<int>(millimetres.height() * 100));
    QSvgGenerator generator;
    generator.setFileName(fileName);
    generator.setResolution(2540);
    generator.setSize(units);
    generator.setViewBox(QRect(QPoint(0, 0), units));
    generator.setTitle(ToQString(content.Station->Place().Name()));
    DrawTrueSize(generator, settings, content);
    return QFile(fileName).size() > 0;
}

} // namespace DiagramOutput
