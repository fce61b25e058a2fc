#include "map/map_projection.h"

#include "model/rounded.h"

#include <algorithm>
#include <cmath>

namespace {

// The world map's rows: 220 - latitude * (latitude² / 5500 - 64/55 + 2.75), with the factors as
// the picture was fitted to them.
constexpr long double WorldCubeFactor = 0.0001818181818181818L;
constexpr double WorldSlopeCorrection = -1.1636363636363636;

// The Europe map's columns: 286 1/3 - longitude * 25/3.
constexpr double EuropeColumnsPerDegree = 8.333333333333334;
// Norway's west coast sits this many pixels further right on the picture.
constexpr double NorwegianShift = 8.0;

bool InNorwegianShift(double longitude, double latitude) {
    return latitude > 59 && longitude > -6 && longitude < 0;
}

TGeoArea Spanning(double left, double top, double right, double bottom) {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right),
            std::max(top, bottom)};
}

double WorldLongitudeOfColumn(int column) {
    return (313 - column) * 155.0 / 264.0;
}

// The one real root of WorldCubeFactor * φ³ + slope * φ = 220 - row, in the hyperbolic form,
// which stays exact around the equator.
double WorldLatitudeOfRow(int row) {
    const long double slope = WorldSlopeCorrection + 2.75L;
    const long double p = slope / WorldCubeFactor;
    const long double q = (220.0L - row) / WorldCubeFactor;
    const long double scale = std::sqrt(p / 3);
    return static_cast<double>(2 * scale * std::sinh(std::asinh(3 * q / (2 * p * scale)) / 3));
}

double EuropeLongitudeOfColumn(int column) {
    return (column - 286.0 - 0.3333333333333333) / -EuropeColumnsPerDegree;
}

// North of 60° the bands start 3 pixels higher, north of 65° 3 pixels lower again: the rows 152
// to 155 that no latitude reaches mean 60°, and the rows 82 to 85, which 64.8° to 65° and 65° to
// 65.2° share, go to the northern band, where the whole degree lies.
double EuropeLatitudeOfRow(int row) {
    if (row >= 326)
        return 45.0 - (row - 326.0) / 9.0;
    if (row > 155)
        return 45.0 + (326.0 - row) / 11.4;
    if (row >= 152)
        return 60.0;
    if (row > 85)
        return 60.0 + (152.0 - row) / 14.0;
    return 65.0 + (85.0 - row) / 14.0;
}

} // namespace

TGeoPoint GeoPointOf(const TDiagramData::TCoords& coords) {
    const auto degrees = [](Math::Whole whole, Math::Whole minutes) {
        return whole.IntegerPart() + (minutes >= 30 ? 1 : 0);
    };
    const int latitude = degrees(coords.LatitudeDegrees(), coords.LatitudeMinutes());
    const int longitude = degrees(coords.LongitudeDegrees(), coords.LongitudeMinutes());
    return {coords.IsWest() ? longitude : -longitude, coords.IsNorth() ? latitude : -latitude};
}

bool InEuropeArea(TGeoPoint point) {
    return point.Y >= 35 && point.Y <= 72 && point.X >= -42 && point.X <= 34;
}

TPoint TMapProjection::ToPixel(TGeoPoint point) const {
    const TExact exact = Project(point.X, point.Y);
    return {Math::Rounded(exact.X), Math::Rounded(exact.Y)};
}

TMapProjection::TExact TWorldProjection::Project(double longitude, double latitude) const {
    constexpr double columnFactor = -1.7032258064516128; // -264/155
    const double x = longitude * columnFactor + 313.0;
    const long double spread = static_cast<long double>(latitude) * latitude * WorldCubeFactor +
                               WorldSlopeCorrection + 2.75;
    const double y = std::clamp(static_cast<double>(-latitude * spread + 220.0), 0.0, 399.0);
    return {x, y};
}

TGeoArea TWorldProjection::ToGeographic(const TPixelRect& pixels) const {
    return Spanning(WorldLongitudeOfColumn(pixels.Left), WorldLatitudeOfRow(pixels.Top),
                    WorldLongitudeOfColumn(pixels.Right), WorldLatitudeOfRow(pixels.Bottom));
}

TMapProjection::TExact TEuropeProjection::Project(double longitude, double latitude) const {
    double x = longitude * -EuropeColumnsPerDegree + 286.0 + 0.3333333333333333;
    if (InNorwegianShift(longitude, latitude))
        x += NorwegianShift;
    double y = 0;
    if (latitude <= 45)
        y = (45.0 - latitude) * 9.0 + 326.0;
    else if (latitude < 60)
        y = 326.0 - (latitude - 45.0) * 11.4;
    else if (latitude < 65)
        y = 152.0 - (latitude - 60.0) * 14.0;
    else
        y = 155.0 - (latitude - 60.0) * 14.0;
    return {x, y};
}

TGeoArea TEuropeProjection::ToGeographic(const TPixelRect& pixels) const {
    return Spanning(EuropeLongitudeOfColumn(pixels.Left), EuropeLatitudeOfRow(pixels.Top),
                    EuropeLongitudeOfColumn(pixels.Right), EuropeLatitudeOfRow(pixels.Bottom));
}

TMapProjection::TExact TEuropeProjection::ShownAt(TGeoPoint point) const {
    const double shift =
        InNorwegianShift(point.X, point.Y) ? NorwegianShift / EuropeColumnsPerDegree : 0.0;
    return {point.X - shift, static_cast<double>(point.Y)};
}
