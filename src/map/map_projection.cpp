#include "map/map_projection.h"

#include "model/rounded.h"

#include <algorithm>
#include <cmath>

namespace {

int Rounded(long double value) {
    return Math::Rounded(static_cast<double>(value));
}

TGeoRect Normalised(long double left, long double top, long double right, long double bottom) {
    const int x0 = Rounded(left), y0 = Rounded(top), x1 = Rounded(right), y1 = Rounded(bottom);
    return {std::min(x0, x1), std::min(y0, y1), std::max(x0, x1), std::max(y0, y1)};
}

// The whole latitude whose row on the world map lies nearest to the given row.
int WorldLatitudeOfRow(int row, double slope) {
    constexpr long double cubicFactor = 0.0001818181818181818L;
    long double best = 1000.0L;
    int latitude = 0;
    for (int phi = -90; phi <= 90; ++phi) {
        const long double deviation =
            std::fabs((row - 220.0L) - phi * static_cast<long double>(slope) +
                      static_cast<long double>(phi) * phi * phi * cubicFactor);
        if (deviation < best) {
            best = deviation;
            latitude = phi;
        }
    }
    return latitude;
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
    return {Rounded(exact.X), Rounded(exact.Y)};
}

TMapProjection::TExact TWorldProjection::Project(double longitude, double latitude) const {
    constexpr double columnFactor = -1.7032258064516128; // -264/155
    constexpr long double squareFactor = 0.0001818181818181818L;
    const double x = longitude * columnFactor + 313.0;
    const long double spread =
        static_cast<long double>(latitude) * latitude * squareFactor + (-1.1636363636363636) + 2.75;
    const double y = std::clamp(static_cast<double>(-latitude * spread + 220.0), 0.0, 399.0);
    return {x, y};
}

TGeoRect TWorldProjection::ToGeographic(const TPixelRect& pixels) const {
    constexpr long double leftFactor = 0.003937007874015748L;  // 1/254
    constexpr long double rightFactor = 0.003787878787878788L; // 1/264
    return Normalised((313 - pixels.Left) * leftFactor * 155.0L,
                      WorldLatitudeOfRow(pixels.Top, -1.5681818181818181),
                      (313 - pixels.Right) * rightFactor * 155.0L,
                      WorldLatitudeOfRow(pixels.Bottom, -1.7653846153846153));
}

TMapProjection::TExact TEuropeProjection::Project(double longitude, double latitude) const {
    double x = longitude * -8.333333333333334 + 286.0 + 0.3333333333333333;
    // Norway's west coast sits a little further right on the picture.
    if (latitude > 59 && longitude > -6 && longitude < 0)
        x += 8.0;
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

TGeoRect TEuropeProjection::ToGeographic(const TPixelRect& pixels) const {
    const auto longitude = [](int column) {
        return 34.0L - 0.12L * (column - 3.0L);
    };
    const auto latitude = [](int row) {
        if (row >= 326)
            return 45.0L - (row - 326.0L) * 0.1111111111111111L;
        if (row >= 155)
            return (326.0L - row) * 0.08771929824561403L + 45.0L;
        return (155.0L - row) * 0.07142857142857142L + 60.0L;
    };
    return Normalised(longitude(pixels.Left), latitude(pixels.Top), longitude(pixels.Right),
                      latitude(pixels.Bottom));
}
