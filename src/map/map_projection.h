#pragma once

#include "diagram/drawing_surface.h"
#include "model/diagram_data.h"

// Geographic points in whole degrees, longitude first: west and north positive.
struct TGeoPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TGeoPoint&, const TGeoPoint&) = default;
};

// A rectangle of real degrees, normalised so that Left <= Right and Top <= Bottom. Its eastern
// (Left) and southern (Top) edges belong to it, its western and northern edges to the next area.
struct TGeoArea {
    double Left = 0;
    double Top = 0;
    double Right = 0;
    double Bottom = 0;

    bool Contains(double longitude, double latitude) const {
        return Left <= longitude && longitude < Right && Top <= latitude && latitude < Bottom;
    }
};

// A rectangle of map pixels.
struct TPixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// A position in whole degrees: minutes from 30 on count one degree more; south and east negative.
TGeoPoint GeoPointOf(const TDiagramData::TCoords& coords);

// Whether the Europe map shows the point: 35°N to 72°N, 42°E to 34°W.
bool InEuropeArea(TGeoPoint point);

// The projection of one of the two map pictures: geographic points to pixels and back. The
// exact variant maps real degrees to real pixels; the pictures are drawn through it, so that
// the rounded pixels of the markers land on them.
class TMapProjection {
public:
    struct TExact {
        double X;
        double Y;
    };

    virtual ~TMapProjection() = default;
    virtual TExact Project(double longitude, double latitude) const = 0;
    // The real degrees that a rectangle of pixels covers: the exact inverse of Project, so that
    // an area drawn around a marker holds the marker's station.
    virtual TGeoArea ToGeographic(const TPixelRect& pixels) const = 0;
    // Where the picture shows a point, in real degrees of its inverse: the point itself, unless
    // Project moves it off the plain formula.
    virtual TExact ShownAt(TGeoPoint point) const {
        return {static_cast<double>(point.X), static_cast<double>(point.Y)};
    }
    // The picture's size in pixels.
    virtual TSize PictureSize() const = 0;

    // The rounded pixel of a point.
    TPoint ToPixel(TGeoPoint point) const;
};

// The world map, 646 by 400 pixels: Greenwich at column 313, the equator at row 220, latitudes
// spread towards the poles.
class TWorldProjection : public TMapProjection {
public:
    TExact Project(double longitude, double latitude) const override;
    TGeoArea ToGeographic(const TPixelRect& pixels) const override;
    TSize PictureSize() const override { return {646, 400}; }
};

// The map of Europe in latitude bands of their own scale, 640 by 420 pixels.
class TEuropeProjection : public TMapProjection {
public:
    TExact Project(double longitude, double latitude) const override;
    TGeoArea ToGeographic(const TPixelRect& pixels) const override;
    TExact ShownAt(TGeoPoint point) const override;
    TSize PictureSize() const override { return {640, 420}; }
};
