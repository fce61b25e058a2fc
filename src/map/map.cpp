#include "map/map.h"

#include "database/database_mgr.h"
#include "map/zone_colours.h"
#include "model/rounded.h"
#include "model/windows1252.h"
#include "render/qt_text.h"

#include <QFontDatabase>
#include <QPainter>
#include <array>
#include <cmath>

using namespace Windows1252::Literals;

TMap::TMap(std::unique_ptr<TMapProjection> projection, QPixmap picture)
    : MapProjection(std::move(projection)), Picture(std::move(picture)) {
}

QSize TMap::Size() const {
    if (Picture.isNull()) {
        const TSize size = MapProjection->PictureSize();
        return {size.Width, size.Height};
    }
    return Picture.deviceIndependentSize().toSize();
}

QRect TMap::MarkerBox(const TDiagramData& station) const {
    const TPoint at = MapProjection->ToPixel(GeoPointOf(station.Coords()));
    return QRect(QPoint(at.X - MarkerSize, at.Y - MarkerSize),
                 QSize(2 * MarkerSize, 2 * MarkerSize));
}

namespace {

QColor ColourOf(int zone) {
    const TRgb colour = ZoneColour(zone);
    return {colour.Red, colour.Green, colour.Blue};
}

} // namespace

void TMap::Paint(QPainter& painter, const std::vector<TMarker>& markers,
                 const std::optional<TMarker>& current, TColours colours) const {
    painter.drawPixmap(0, 0, Picture);
    PaintExtras(painter);
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const bool plain = colours == TColours::Plain;
    std::array<const QImage*, ClimateZoneCount> fills;
    for (int zone = 0; zone < ClimateZoneCount; ++zone)
        fills[static_cast<std::size_t>(zone)] =
            plain ? &Marker(TShape::Dot, QColor(255, 0, 0), ratio)
                  : &Marker(TShape::EdgedDot, ColourOf(zone), ratio);
    const auto fillOf = [&fills](const TMarker& marker) -> const QImage& {
        return *fills[static_cast<std::size_t>(marker.Zone)];
    };
    for (const TMarker& marker : markers)
        if (!current || marker.Station != current->Station)
            DrawMarker(painter, *marker.Station, fillOf(marker));
    if (!current)
        return;
    if (plain) {
        DrawMarker(painter, *current->Station, Marker(TShape::Dot, QColor(0, 0, 255), ratio));
    } else {
        DrawMarker(painter, *current->Station, fillOf(*current));
        DrawMarker(painter, *current->Station, Marker(TShape::Ring, QColor(0, 0, 255), ratio));
    }
}

void TMap::DrawMarker(QPainter& painter, const TDiagramData& station, const QImage& marker) const {
    const int margin = (qRound(marker.deviceIndependentSize().width()) - 2 * MarkerSize) / 2;
    painter.drawImage(MarkerBox(station).topLeft() - QPoint(margin, margin), marker);
}

const QImage& TMap::Marker(TShape shape, const QColor& color, qreal pixelRatio) const {
    QImage& marker = Markers[{shape, color.rgba(), pixelRatio}];
    if (marker.isNull())
        marker = DrawnMarker(shape, color, pixelRatio);
    return marker;
}

QImage TMap::ZoneMarker(int zone, qreal pixelRatio) {
    return DrawnMarker(TShape::EdgedDot, ColourOf(zone), pixelRatio);
}

// The marker's box with room to spare all round, as a filled circle with its edge, or as a ring
// whose white halo shows it on dark markers and on the sea alike.
QImage TMap::DrawnMarker(TShape shape, const QColor& color, qreal pixelRatio) {
    // A pixel for the edge, more for the ring.
    const int margin = shape == TShape::Ring ? 4 : 1;
    const int size = 2 * MarkerSize + 2 * margin;
    QImage marker(QSize(size, size) * pixelRatio, QImage::Format_ARGB32_Premultiplied);
    marker.setDevicePixelRatio(pixelRatio);
    marker.fill(Qt::transparent);
    QPainter painter(&marker);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF dot(margin + 0.5, margin + 0.5, 2 * MarkerSize - 1, 2 * MarkerSize - 1);
    switch (shape) {
    case TShape::Dot:
        painter.setPen(color);
        painter.setBrush(color);
        painter.drawEllipse(dot);
        break;
    case TShape::EdgedDot:
        painter.setPen(QPen(QColor(40, 40, 40), 1));
        painter.setBrush(color);
        painter.drawEllipse(dot);
        break;
    case TShape::Ring: {
        // Blue from 5 to 7 pixels out, in white from 4 to 8, whole pixels from the centre.
        const QRectF ring = dot.adjusted(-1.5, -1.5, 1.5, 1.5);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::white, 4));
        painter.drawEllipse(ring);
        painter.setPen(QPen(color, 2));
        painter.drawEllipse(ring);
        break;
    }
    }
    return marker;
}

void TMap::AddTool(int id, const TDiagramData& station, int zone) {
    // Ids only grow, so that a new tool goes at the end.
    Tools.insert_or_assign(Tools.end(), id,
                           TTool{MarkerBox(station), station.Place().Name(), zone});
}

std::optional<QString> TMap::ToolTipAt(QPoint point, const TZoneSet& shown, bool withZone) const {
    for (const auto& [id, tool] : Tools)
        if (tool.Area.contains(point) && shown[static_cast<std::size_t>(tool.Zone)])
            return ToQString(withZone ? tool.Name + " – "_cp1252 +
                                            std::string(ClimateZoneCode(tool.Zone))
                                      : tool.Name);
    return std::nullopt;
}

std::vector<int> TMap::StationsInArea(const TPixelRect& pixels,
                                      const TDatabaseMgr& database) const {
    std::vector<int> found;
    if (pixels.Right - pixels.Left > MarkerSize || pixels.Bottom - pixels.Top > MarkerSize) {
        TGeoArea area = MapProjection->ToGeographic(pixels);
        // The world map's rows end at 80°N and near 71°S, where the markers of the stations
        // beyond pile up: an area reaching near an end reaches to the pole, the North Pole
        // itself included, since no area lies north of it.
        if (area.Top < -64)
            area.Top = -90;
        if (area.Bottom > 79)
            area.Bottom = std::nextafter(90.0, 91.0);
        for (int index = 0; index < database.Count(); ++index) {
            const TMapProjection::TExact shown =
                MapProjection->ShownAt(GeoPointOf(database.RecordAt(index).Coords()));
            if (area.Contains(shown.X, shown.Y))
                found.push_back(index);
        }
        return found;
    }
    const QRect touched(QPoint(pixels.Left, pixels.Top), QPoint(pixels.Right, pixels.Bottom));
    for (const auto& [id, tool] : Tools)
        if (tool.Area.intersects(touched))
            if (const int index = database.Find(TDiagramData::TPlace(tool.Name), -1, true);
                index >= 0)
                found.push_back(index);
    return found;
}

namespace {

// A corner of an area as a position of whole degrees. Longitudes beyond 180° stay as they are,
// as the map's edges give them.
std::string CornerText(int longitude, int latitude) {
    TDiagramData::TCoords corner;
    corner.SetWest(longitude >= 0);
    corner.SetNorth(latitude >= 0);
    try {
        corner.SetLatitudeDegrees(Math::Whole(std::abs(latitude)));
        corner.SetLongitudeDegrees(Math::Whole(std::abs(longitude)));
    } catch (const TDiagramData::TXBase&) {
        // The value out of range stays set, and the text shows it.
    }
    return corner.Text();
}

} // namespace

std::string TMap::AreaText(const TPixelRect& pixels) const {
    const TGeoArea area = MapProjection->ToGeographic(pixels);
    return CornerText(Math::Rounded(area.Left), Math::Rounded(area.Top)) + " - " +
           CornerText(Math::Rounded(area.Right), Math::Rounded(area.Bottom));
}

TWorldMap::TWorldMap(QPixmap picture)
    : TMap(std::make_unique<TWorldProjection>(), std::move(picture)) {
}

void TWorldMap::PaintExtras(QPainter& painter) const {
    const int width = Size().width();
    const int height = Size().height();
    const QColor grey(192, 192, 192);
    painter.save();
    painter.setPen(grey);
    painter.drawLine(10, height / 2 + 21, width - 10 - 1, height / 2 + 21);
    painter.drawLine(width / 2 - 10, 0, width / 2 - 10, height - 2);
    const QFont systemFont = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    painter.setFont(systemFont);
    const int ascent = painter.fontMetrics().ascent();
    const QString zero = QStringLiteral("0°");
    painter.drawText(5, height / 2 + 24 + ascent, zero);
    painter.drawText(width / 2 - 7, 5 + ascent, zero);
    painter.restore();
}

TEuropeMap::TEuropeMap(QPixmap picture)
    : TMap(std::make_unique<TEuropeProjection>(), std::move(picture)) {
}
