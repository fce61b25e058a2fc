// Draws the pictures of the resource library: the world map and the map of Europe, projected
// through the program's own map projections so that every station marker lands on its coast,
// at single and double resolution; the splash picture; and the program icon.
//
// Usage: map_pictures OUTLINES.json OUTPUT_FOLDER   (see the README's developer section)

#include "map/map_projection.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <cmath>
#include <cstdio>

namespace {

const QColor Sea(0xdc, 0xe8, 0xef);
const QColor Land(0xf5, 0xf1, 0xe6);
const QColor Coast(0x9d, 0xb2, 0xc0);
const QColor Border(0xc4, 0xb9, 0xa6);

using TRing = QJsonArray; // [[longitude, latitude], ...] with east positive

// Points along a ring or line, no two more than half a degree apart, through the projection.
// Where a ring crosses the date line its longitudes run on beyond 180 degrees, so that it stays
// one closed shape; the caller draws such shapes once more a full turn away.
QPolygonF Projected(const TRing& ring, const TMapProjection& projection, double scale) {
    QPolygonF points;
    double turn = 0;
    double fromLon = 0, fromLat = 0;
    for (int i = 0; i < ring.size(); ++i) {
        const QJsonArray here = ring[i].toArray();
        double lon = here[0].toDouble() + turn;
        const double lat = here[1].toDouble();
        if (i > 0 && lon - fromLon > 180) {
            turn -= 360;
            lon -= 360;
        } else if (i > 0 && lon - fromLon < -180) {
            turn += 360;
            lon += 360;
        }
        const int steps =
            i == 0 ? 1
                   : std::max(
                         1, static_cast<int>(std::ceil(
                                std::max(std::abs(lon - fromLon), std::abs(lat - fromLat)) / 0.5)));
        for (int step = i == 0 ? steps : 1; step <= steps; ++step) {
            const double t = static_cast<double>(step) / steps;
            const double pointLon = i == 0 ? lon : fromLon + (lon - fromLon) * t;
            const double pointLat = i == 0 ? lat : fromLat + (lat - fromLat) * t;
            // The projection counts longitude westwards.
            const auto exact = projection.Project(-pointLon, pointLat);
            points << QPointF(exact.X * scale, exact.Y * scale);
        }
        fromLon = lon;
        fromLat = lat;
    }
    return points;
}

// The distance in pixels of one full turn of longitude.
double TurnWidth(const TMapProjection& projection, double scale) {
    return (projection.Project(-360, 0).X - projection.Project(0, 0).X) * scale;
}

QImage MapPicture(const QJsonObject& outlines, const TMapProjection& projection, double scale) {
    const TSize size = projection.PictureSize();
    QImage image(QSize(size.Width, size.Height) * scale, QImage::Format_RGB32);
    image.fill(Sea);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    for (const auto& entry : outlines["features"].toArray()) {
        const QJsonObject featureObject = entry.toObject();
        const QString kind = featureObject["properties"].toObject()["kind"].toString();
        const QJsonObject geometry = featureObject["geometry"].toObject();
        const QJsonArray parts = geometry["coordinates"].toArray();
        const double turn = TurnWidth(projection, scale);
        if (kind == "land") {
            painter.setPen(QPen(Coast, 0.9 * scale));
            painter.setBrush(Land);
        } else {
            painter.setPen(QPen(Border, 0.7 * scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(Qt::NoBrush);
        }
        for (const auto& part : parts) {
            QPainterPath shape;
            if (kind == "land") {
                // A polygon with its holes (lakes, inland seas).
                shape.setFillRule(Qt::OddEvenFill);
                for (const auto& ring : part.toArray())
                    shape.addPolygon(Projected(ring.toArray(), projection, scale));
            } else {
                const QPolygonF line = Projected(part.toArray(), projection, scale);
                shape.addPolygon(line);
            }
            for (const double shift : {-turn, 0.0, turn})
                painter.drawPath(shape.translated(shift, 0));
        }
    }
    return image;
}

// The splash: the world map faded behind the program's name.
QImage Splash(const QImage& world, double scale) {
    QImage image(QSize(480, 300) * scale, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.drawImage(image.rect(), world.scaled(image.size(), Qt::KeepAspectRatioByExpanding,
                                                 Qt::SmoothTransformation));
    QLinearGradient veil(0, 0, 0, image.height());
    veil.setColorAt(0, QColor(255, 255, 255, 150));
    veil.setColorAt(1, QColor(255, 255, 255, 235));
    painter.fillRect(image.rect(), veil);
    painter.setPen(QColor(0x2a, 0x3b, 0x4c));
    QFont title("Liberation Sans", 0, QFont::Bold);
    title.setPixelSize(static_cast<int>(64 * scale));
    painter.setFont(title);
    painter.drawText(QRectF(0, 70 * scale, image.width(), 80 * scale), Qt::AlignCenter,
                     QStringLiteral("Pelvanor"));
    QFont subtitle("Liberation Sans");
    subtitle.setPixelSize(static_cast<int>(20 * scale));
    painter.setFont(subtitle);
    painter.drawText(QRectF(0, 150 * scale, image.width(), 30 * scale), Qt::AlignCenter,
                     QStringLiteral("Klimadiagramme von Wetterstationen"));
    subtitle.setPixelSize(static_cast<int>(14 * scale));
    painter.setFont(subtitle);
    painter.setPen(QColor(0x5a, 0x6b, 0x7c));
    painter.drawText(QRectF(0, 250 * scale, image.width(), 24 * scale), Qt::AlignCenter,
                     QStringLiteral("Version 2.1c"));
    painter.setPen(QPen(QColor(0x9d, 0xb2, 0xc0), 2 * scale));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(image.rect()).adjusted(scale, scale, -scale, -scale));
    return image;
}

bool Save(const QImage& image, const QString& folder, const QString& name) {
    const bool saved = image.save(folder + "/" + name, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(folder + "/" + name));
    return saved;
}

// The program icon: a small climate diagram, blue rain over a red temperature curve, drawn on
// 64 by 64 units.
void DrawIcon(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x44, 0x44, 0x44), 2));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(3, 3, 58, 58), 8, 8);
    QPolygonF rain, temperature;
    for (int month = 0; month < 12; ++month) {
        const double x = 9 + month * 46.0 / 11;
        rain << QPointF(x, 44 - 22 * std::sin(month * 3.14159 / 11));
        temperature << QPointF(x, 48 - 14 * std::sin(month * 3.14159 / 11));
    }
    QPolygonF humid = rain;
    for (auto point = temperature.rbegin(); point != temperature.rend(); ++point)
        humid << *point;
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 255, 90));
    painter.drawPolygon(humid);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0, 0, 255), 3));
    painter.drawPolyline(rain);
    painter.setPen(QPen(QColor(255, 0, 0), 3));
    painter.drawPolyline(temperature);
}

QImage Icon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.scale(size / 64.0, size / 64.0);
    DrawIcon(painter);
    return image;
}

// The icon in the sizes of the desktop's icon theme, and as SVG for any other size.
bool SaveThemeIcons(const QString& folder) {
    bool saved = true;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString sizeFolder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(folder).arg(size);
        QDir().mkpath(sizeFolder);
        saved &= Save(Icon(size), sizeFolder, "pelvanor.png");
    }
    const QString scalable = folder + "/hicolor/scalable/apps";
    QDir().mkpath(scalable);
    QSvgGenerator svg;
    svg.setFileName(scalable + "/pelvanor.svg");
    svg.setSize(QSize(64, 64));
    svg.setViewBox(QRect(0, 0, 64, 64));
    svg.setTitle(QStringLiteral("Pelvanor"));
    QPainter painter(&svg);
    DrawIcon(painter);
    painter.end();
    std::printf("wrote %s\n", qPrintable(svg.fileName()));
    return saved;
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: map_pictures OUTLINES.json OUTPUT_FOLDER\n");
        return 2;
    }
    QFile file(argv[1]);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const QJsonObject outlines = QJsonDocument::fromJson(file.readAll()).object();
    const QString folder = argv[2];
    const TWorldProjection world;
    const TEuropeProjection europe;
    bool saved = true;
    for (const double scale : {1.0, 2.0}) {
        const QString suffix = scale == 1.0 ? ".png" : "@2x.png";
        const QImage worldMap = MapPicture(outlines, world, scale);
        saved &= Save(worldMap, folder, "world" + suffix);
        saved &= Save(MapPicture(outlines, europe, scale), folder, "europe" + suffix);
        saved &=
            Save(Splash(MapPicture(outlines, world, 2 * scale), scale), folder, "splash" + suffix);
    }
    saved &= Save(Icon(64), folder, "icon.png");
    saved &= SaveThemeIcons(folder + "/../icons");
    return saved ? 0 : 1;
}
