#include "render/diagram_output.h"

#include "diagram/diagram_emf.h"
#include "render/painter_surface.h"
#include "render/qt_text.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <optional>

namespace DiagramOutput {
namespace {

// The picture's size in millimetres.
QSizeF PictureMillimetres(const TTvxConfig& settings, const TDiagramContent& content) {
    const TDiagramLayout layout(settings, TDiagramRendering::Output(settings).ScaleDivisor);
    const TSize picture = layout.PictureSize(content.Comparing());
    return {picture.Width / 100.0, picture.Height / 100.0};
}

// The true-size picture as SVG into an open device; one unit is 1/100 mm.
void WriteSvgTo(QIODevice& device, const TTvxConfig& settings, const TDiagramContent& content) {
    const QSizeF millimetres = PictureMillimetres(settings, content);
    const QSize units(static_cast<int>(millimetres.width() * 100),
                      static_cast<int>(millimetres.height() * 100));
    QSvgGenerator generator;
    generator.setOutputDevice(&device);
    generator.setResolution(2540);
    generator.setSize(units);
    generator.setViewBox(QRect(QPoint(0, 0), units));
    generator.setTitle(ToQString(content.Station->Place().Name()));
    DrawTrueSize(generator, settings, content);
}

// Sharp enough for print.
constexpr int PngDotsPerInch = 300;

// The copied picture: the EMF at once, the SVG and the PNG for programs that take no EMF only
// when one of them asks, since they take far longer to make. The stations are kept with it, as
// the clipboard may be read long after they changed.
class TDiagramMimeData : public QMimeData {
public:
    TDiagramMimeData(const TTvxConfig& settings, const TDiagramContent& content, QByteArray emf)
        : Settings(settings), Station(*content.Station), Content(content), Emf(std::move(emf)) {
        if (content.Comparison)
            Comparison = *content.Comparison;
        Content.Station = &Station;
        Content.Comparison = content.Comparison ? &*Comparison : nullptr;
    }

    QStringList formats() const override {
        return {QStringLiteral("image/emf"), QStringLiteral("image/x-emf"),
                QStringLiteral("image/svg+xml"), QStringLiteral("image/png")};
    }
    bool hasFormat(const QString& format) const override { return formats().contains(format); }

protected:
    QVariant retrieveData(const QString& format, QMetaType) const override {
        if (format == QLatin1String("image/emf") || format == QLatin1String("image/x-emf"))
            return Emf;
        if (format == QLatin1String("image/svg+xml")) {
            if (Svg.isEmpty())
                Svg = SvgPicture(Settings, Content);
            return Svg;
        }
        if (format == QLatin1String("image/png")) {
            if (Png.isEmpty())
                Png = PngPicture(Settings, Content);
            return Png;
        }
        return {};
    }

private:
    const TTvxConfig Settings;
    const TDiagramData Station;
    std::optional<TDiagramData> Comparison;
    TDiagramContent Content;
    const QByteArray Emf;
    mutable QByteArray Svg;
    mutable QByteArray Png;
};

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

bool DrawTrueSize(QPaintDevice& device, const TTvxConfig& settings,
                  const TDiagramContent& content) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    TPainterSurface surface(painter, TPainterSurface::CapsOf(device));
    DrawPicture(surface, TDiagramRendering::Output(settings), content);
    return painter.end();
}

QImage TrueSizeImage(const TTvxConfig& settings, const TDiagramContent& content, int dotsPerInch,
                     bool forOutput) {
    TDiagramRendering rendering = TDiagramRendering::Output(settings);
    rendering.ForOutput = forOutput;
    const TDeviceCaps device = ScreenDevice(dotsPerInch);
    const TSize natural =
        TDiagramLayout(settings, rendering.ScaleDivisor).NaturalSize(device, content.Comparing());
    QImage image(natural.Width, natural.Height, QImage::Format_RGB32);
    const int dotsPerMetre = static_cast<int>(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    QPainter painter(&image);
    TPainterSurface surface(painter, device);
    DrawPicture(surface, rendering, content);
    return image;
}

QByteArray SvgPicture(const TTvxConfig& settings, const TDiagramContent& content) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WriteSvgTo(buffer, settings, content);
    return bytes;
}

std::unique_ptr<QMimeData> ClipboardData(const TTvxConfig& settings, const TDiagramContent& content,
                                         bool asMetafile, const TDeviceCaps& reference) {
    if (!asMetafile) {
        auto data = std::make_unique<QMimeData>();
        data->setImageData(TrueSizeImage(settings, content, 96, false));
        return data;
    }
    const std::string emf = DiagramEmf(settings, content, reference);
    return std::make_unique<TDiagramMimeData>(
        settings, content, QByteArray(emf.data(), static_cast<qsizetype>(emf.size())));
}

QByteArray PdfDocument(const TTvxConfig& settings, const TDiagramContent& content) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(PictureMillimetres(settings, content), QPageSize::Millimeter,
                                     QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF());
        writer.setTitle(ToQString(content.Station->Place().Name()));
        writer.setCreator(QStringLiteral("Pelvanor"));
        if (!DrawTrueSize(writer, settings, content))
            return {};
    }
    return bytes;
}

QByteArray PngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return image.save(&buffer, "PNG") ? bytes : QByteArray();
}

QByteArray PngPicture(const TTvxConfig& settings, const TDiagramContent& content) {
    return PngBytes(TrueSizeImage(settings, content, PngDotsPerInch));
}

} // namespace DiagramOutput
