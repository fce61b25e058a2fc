#pragma once

#include "map/map_projection.h"

#include <QPixmap>
#include <QRect>
#include <QString>
#include <map>
#include <memory>
#include <optional>
#include <vector>

class QPainter;

// One of the two maps: its picture, its projection, the station markers on it and the tooltips
// that name them.
class TMap {
public:
    // Half the size of a marker in pixels.
    static constexpr int MarkerSize = 5;

    struct TTool {
        QRect Area;
        QString Name;
    };

    TMap(std::unique_ptr<TMapProjection> projection, QPixmap picture);
    virtual ~TMap() = default;
    TMap(const TMap&) = delete;
    TMap& operator=(const TMap&) = delete;

    const TMapProjection& Projection() const { return *MapProjection; }
    // The picture's size in pixels as laid out (a double-resolution picture counts half).
    QSize Size() const;

    // The picture, then the markers of the stations (light red), then the current station's
    // marker (light blue) on top.
    void Paint(QPainter& painter, const std::vector<const TDiagramData*>& stations,
               const TDiagramData* current) const;

    // The marker's box around a station on this map.
    QRect MarkerBox(const TDiagramData& station) const;

    // Tooltips: one tool a station, under the station's tool id.
    void AddTool(int id, const TDiagramData& station);
    void RemoveTool(int id) { Tools.erase(id); }
    // The name of the station whose marker lies under the point, if any.
    std::optional<QString> ToolTipAt(QPoint point) const;
    const std::map<int, TTool>& ToolList() const { return Tools; }

protected:
    // What a map draws over its picture before the markers.
    virtual void PaintExtras(QPainter&) const {}

private:
    std::unique_ptr<TMapProjection> MapProjection;
    QPixmap Picture;
    std::map<int, TTool> Tools;
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
