#include "model/diagram_data.h"

#include "model/name_folding.h"
#include "model/name_parts.h"
#include "model/windows1252.h"

using namespace Windows1252::Literals;

TDiagramData::TPlace::TXInvalidPlaceName::TXInvalidPlaceName(const std::string& name)
    : TXBase(std::string("Name \"") + name + "\" ist ungültig"_cp1252), InvalidName(name) {
}

TDiagramData::TPlace::TPlace(std::string name) : StationName(std::move(name)) {
    Validate();
}

void TDiagramData::TPlace::SetName(std::string name) {
    StationName = std::move(name);
    Validate();
}

void TDiagramData::TPlace::Validate() const {
    if (StationName.empty())
        throw TXInvalidPlaceName(StationName);
}

int TDiagramData::TPlace::Similarity(const TPlace& other) const {
    if (StationName == other.StationName)
        return 5;
    const std::string mine = FoldName(StationName);
    const std::string theirs = FoldName(other.StationName);
    return TNameParts::GradeOfDifferentNames(TNameParts(mine), TNameParts(theirs));
}
