#include "map/map.h"

#include "database/database_mgr.h"
#include "model/rounded.h"
#include "render/qt_text.h"

#include <QFontDatabase>
#include <QPainter>
#include <cmath>

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

void TMap::Paint(QPainter& painter, const std::vector<const TDiagramData*>& stations,
                 const TDiagramData* current) const {
    painter.drawPixmap(0, 0, Picture);
    PaintExtras(painter);
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const auto marker = [&](const TDiagramData& station, const QColor& color) {
        painter.drawImage(MarkerBox(station).topLeft() - QPoint(1, 1), Marker(color, ratio));
    };
    for (const TDiagramData* station : stations)
        if (station != current)
            marker(*station, QColor(255, 0, 0));
    if (current)
        marker(*current, QColor(0, 0, 255));
}

// The marker's box with a pixel to spare all round, as a filled circle with its outline.
const QImage& TMap::Marker(const QColor& color, qreal pixelRatio) const {
    QImage& marker = Markers[{color.rgba(), pixelRatio}];
    if (marker.isNull()) {
        const int size = 2 * MarkerSize + 2;
        marker = QImage(QSize(size, size) * pixelRatio, QImage::Format_ARGB32_Premultiplied);
        marker.setDevicePixelRatio(pixelRatio);
        marker.fill(Qt::transparent);
        QPainter painter(&marker);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(color);
        painter.setBrush(color);
        painter.drawEllipse(QRectF(1.5, 1.5, 2 * MarkerSize - 1, 2 * MarkerSize - 1));
    }
    return marker;
}

void TMap::AddTool(int id, const TDiagramData& station) {
    // Ids only grow, so that a new tool goes at the end.
    Tools.insert_or_assign(Tools.end(), id, TTool{MarkerBox(station), station.Place().Name()});
}

std::optional<QString> TMap::ToolTipAt(QPoint point) const {
    for (const auto& [id, tool] : Tools)
        if (tool.Area.contains(point))
            return ToQString(tool.Name);
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
