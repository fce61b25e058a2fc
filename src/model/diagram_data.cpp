#include "model/diagram_data.h"

#include "model/rounded.h"
#include "model/windows1252.h"

using namespace Windows1252::Literals;

const char* TDiagramData::MonthName(int month) {
    static const char* const names[MonthCount] = {
        "Januar", "Februar", "März"_cp1252, "April",   "Mai",      "Juni",
        "Juli",   "August",  "September",   "Oktober", "November", "Dezember"};
    return month >= 0 && month < MonthCount ? names[month] : "(unbekannt)";
}

void TDiagramData::SetPlace(const TPlace& place) {
    StationPlace = place;
    Changed = true;
}

void TDiagramData::SetCoords(const TCoords& coords) {
    Position = coords;
    Changed = true;
}

void TDiagramData::SetAltitude(const TAltitude& altitude) {
    StationAltitude = altitude;
    Changed = true;
}

void TDiagramData::SetTemperatures(const TTemperatureData& temperatures) {
    TemperatureData = temperatures;
    Changed = true;
}

void TDiagramData::SetPrecipitation(const TPrecipitationData& precipitation) {
    PrecipitationData = precipitation;
    Changed = true;
}

void TDiagramData::Validate() const {
    StationPlace.Validate();
    Position.Validate();
    TemperatureData.Validate();
    PrecipitationData.Validate();
}

bool TDiagramData::IsIdentical(const TDiagramData& other) const {
    return StationPlace == other.StationPlace && Position == other.Position &&
           StationAltitude == other.StationAltitude && TemperatureData == other.TemperatureData &&
           PrecipitationData == other.PrecipitationData;
}

int TDiagramData::Similarity(const TDiagramData& other) const {
    return Similarity(StationPlace.Similarity(other.StationPlace),
                      Position.Similarity(other.Position),
                      StationAltitude.Similarity(other.StationAltitude));
}

int TDiagramData::Similarity(int nameGrade, int positionGrade, int altitudeGrade) {
    const int sum = nameGrade + positionGrade + altitudeGrade;
    return Math::Rounded(sum * (1.0 / 3.0));
}

std::string TDiagramData::PositionText() const {
    return Position.Text() + ", " + StationAltitude.Text();
}
