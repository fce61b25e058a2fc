#include "model/diagram_data.h"

#include "model/windows1252.h"

#include <cstdlib>
#include <tuple>

using namespace Windows1252::Literals;

namespace {

constexpr Math::Whole MaxLatitudeDegrees = 90;
constexpr Math::Whole MaxLongitudeDegrees = 180;
constexpr Math::Whole MinutesPerDegree = 60;

bool InRange(Math::Whole value, Math::Whole highest) {
    return value >= 0 && value <= highest;
}

std::int64_t TotalMinutes(Math::Whole degrees, Math::Whole minutes) {
    return degrees.Units() * 60 + minutes.Units();
}

// Whole degrees, one more from 30 minutes on.
std::int64_t CoarseDegrees(Math::Whole degrees, Math::Whole minutes) {
    return degrees.Units() + (minutes >= 30 ? 1 : 0);
}

std::string OutOfRangeMessage(std::string_view label, Math::Whole value) {
    std::string message = "Koordinate für "_cp1252;
    message += label;
    message += " außerhalb des gültigen Bereichs: "_cp1252;
    return message + value.Text();
}

} // namespace

TDiagramData::TCoords::TXCoordDegreeOutOfRange::TXCoordDegreeOutOfRange(std::string_view label,
                                                                        Math::Whole value)
    : TXBase(OutOfRangeMessage(label, value)), InvalidValue(value) {
}

TDiagramData::TCoords::TXCoordMinuteOutOfRange::TXCoordMinuteOutOfRange(std::string_view label,
                                                                        Math::Whole value)
    : TXBase(OutOfRangeMessage(label, value)), InvalidValue(value) {
}

TDiagramData::TCoords::TCoords(Math::Whole latitudeDegrees, Math::Whole latitudeMinutes,
                               Math::Whole longitudeDegrees, Math::Whole longitudeMinutes,
                               bool north, bool west)
    : LatDegrees(latitudeDegrees), LatMinutes(latitudeMinutes), LongDegrees(longitudeDegrees),
      LongMinutes(longitudeMinutes), North(north), West(west) {
    Validate();
}

void TDiagramData::TCoords::SetLatitudeDegrees(Math::Whole value) {
    LatDegrees = value;
    Validate();
}

void TDiagramData::TCoords::SetLatitudeMinutes(Math::Whole value) {
    LatMinutes = value;
    Validate();
}

void TDiagramData::TCoords::SetLongitudeDegrees(Math::Whole value) {
    LongDegrees = value;
    Validate();
}

void TDiagramData::TCoords::SetLongitudeMinutes(Math::Whole value) {
    LongMinutes = value;
    Validate();
}

void TDiagramData::TCoords::Validate() const {
    if (!InRange(LatDegrees, MaxLatitudeDegrees))
        throw TXCoordDegreeOutOfRange("Geografische Breite (Grad)", LatDegrees);
    if (!InRange(LatMinutes, MinutesPerDegree - 1))
        throw TXCoordMinuteOutOfRange("Geografische Breite (Minuten)", LatMinutes);
    if (!InRange(LongDegrees, MaxLongitudeDegrees))
        throw TXCoordDegreeOutOfRange("Geografische Länge (Grad)"_cp1252, LongDegrees);
    if (!InRange(LongMinutes, MinutesPerDegree - 1))
        throw TXCoordMinuteOutOfRange("Geografische Länge (Minuten)"_cp1252, LongMinutes);
}

int TDiagramData::TCoords::Similarity(const TCoords& other) const {
    if (*this == other)
        return 5;
    const bool sameHemispheres = North == other.North && West == other.West;
    const auto minutesApart = [](std::int64_t a, std::int64_t b) {
        return std::abs(a - b);
    };
    if (sameHemispheres &&
        minutesApart(TotalMinutes(LatDegrees, LatMinutes),
                     TotalMinutes(other.LatDegrees, other.LatMinutes)) < 10 &&
        minutesApart(TotalMinutes(LongDegrees, LongMinutes),
                     TotalMinutes(other.LongDegrees, other.LongMinutes)) < 10)
        return 4;
    // Equal coarse position texts, compared by what they are made of.
    const auto coarse = [](const TCoords& c) {
        return std::tuple(CoarseDegrees(c.LatDegrees, c.LatMinutes), c.North,
                          CoarseDegrees(c.LongDegrees, c.LongMinutes), c.West);
    };
    if (coarse(*this) == coarse(other))
        return 3;
    if (LatDegrees == other.LatDegrees && LongDegrees == other.LongDegrees)
        return 2;
    return 0;
}

std::string TDiagramData::TCoords::Text() const {
    const bool withMinutes = LatMinutes != 0 || LongMinutes != 0;
    const auto axis = [withMinutes](Math::Whole degrees, Math::Whole minutes) {
        std::string text = degrees.Text() + "°"_cp1252;
        if (withMinutes)
            text += minutes.Text() + "'";
        return text;
    };
    return axis(LatDegrees, LatMinutes) + (North ? "N/" : "S/") + axis(LongDegrees, LongMinutes) +
           (West ? "W" : "E");
}

std::string TDiagramData::TCoords::CoarseText() const {
    return std::to_string(CoarseDegrees(LatDegrees, LatMinutes)) + "°"_cp1252 +
           (North ? "N/" : "S/") + std::to_string(CoarseDegrees(LongDegrees, LongMinutes)) +
           "°"_cp1252 + (West ? "W" : "E");
}
