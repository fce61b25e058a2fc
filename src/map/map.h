#pragma once

#include "map/map_projection.h"
#include "map/station_zones.h"

#include <QImage>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

class QPainter;
class TDatabaseMgr;

// One of the two maps: its picture, its projection, the station markers on it and the tooltips
// that name them.
class TMap {
public:
    // Half the size of a marker in pixels.
    static constexpr int MarkerSize = 5;

    struct TTool {
        QRect Area;
        // The station's name as the database holds it.
        std::string Name;
        int Zone;
    };

    // A station to mark, with its climate zone for a marker in the zone's colour.
    struct TMarker {
        const TDiagramData* Station;
        int Zone = 0;
    };
    // Light red markers with the current station light blue, or markers in the colours of their
    // climate zones, edged dark so that the light ones show on land, the current one ringed.
    enum class TColours { Plain, ByZone };

    TMap(std::unique_ptr<TMapProjection> projection, QPixmap picture);
    virtual ~TMap() = default;
    TMap(const TMap&) = delete;
    TMap& operator=(const TMap&) = delete;

    const TMapProjection& Projection() const { return *MapProjection; }
    // The picture's size in pixels as laid out (a double-resolution picture counts half).
    QSize Size() const;

    // The picture, then the markers of the stations, then the current station's marker on top.
    void Paint(QPainter& painter, const std::vector<TMarker>& markers,
               const std::optional<TMarker>& current, TColours colours) const;

    // The marker's box around a station on this map.
    QRect MarkerBox(const TDiagramData& station) const;
    // The marker of a station in the zone, with a pixel of room all round, for legends.
    static QImage ZoneMarker(int zone, qreal pixelRatio);

    // Tooltips: one tool a station, under the station's tool id.
    void AddTool(int id, const TDiagramData& station, int zone);
    void RemoveTool(int id) { Tools.erase(id); }
    void RemoveAllTools() { Tools.clear(); }
    // The name of the station in one of the zones shown whose marker lies under the point, if
    // any; with the zone's code after it ("Freiburg/Deutschland – Cfb") when asked.
    std::optional<QString> ToolTipAt(QPoint point, const TZoneSet& shown = TZoneSet().set(),
                                     bool withZone = false) const;
    const std::map<int, TTool>& ToolList() const { return Tools; }

    // The record indices of the stations in a pixel rectangle (edges included), in the order
    // found: a rectangle larger than a marker takes every station of the database that the
    // picture shows in its geographic area, reaching to the poles from 64°S and 79°N; a smaller
    // one, a click, takes the stations whose markers it touches.
    std::vector<int> StationsInArea(const TPixelRect& pixels, const TDatabaseMgr& database) const;
    // The corners of a pixel rectangle as geographic positions in whole degrees,
    // "52°N/13°E - 48°N/2°W", in Windows-1252.
    std::string AreaText(const TPixelRect& pixels) const;

protected:
    // What a map draws over its picture before the markers.
    virtual void PaintExtras(QPainter&) const {}

private:
    // A filled circle, one with a dark edge, and the ring around the current station.
    enum class TShape { Dot, EdgedDot, Ring };
    // A marker of this shape and colour as the painter draws it, drawn once and then copied to
    // every station: with thousands of stations on show, drawing each would take long.
    const QImage& Marker(TShape shape, const QColor& color, qreal pixelRatio) const;
    static QImage DrawnMarker(TShape shape, const QColor& color, qreal pixelRatio);
    void DrawMarker(QPainter& painter, const TDiagramData& station, const QImage& marker) const;

    std::unique_ptr<TMapProjection> MapProjection;
    QPixmap Picture;
    std::map<int, TTool> Tools;
    mutable std::map<std::tuple<TShape, QRgb, qreal>, QImage> Markers;
};

// The world map, with the Greenwich meridian and the equator marked.
class TWorldMap : public TMap {
public:
    explicit TWorldMap(QPixmap picture);

protected:
    void PaintExtras(QPainter& painter) const override;
};

class TEuropeMap : public TMap {
public:
    explicit TEuropeMap(QPixmap picture);
};
