#include "model/diagram_data.h"

#include "model/name_folding.h"
#include "model/windows1252.h"

#include <algorithm>

using namespace Windows1252::Literals;

namespace {

// A folded name cut at its first "/" into station part and state or country part.
struct TNameParts {
    std::string Station;
    std::string Country;

    explicit TNameParts(std::string_view name) {
        const std::string folded = FoldName(name);
        const auto slash = folded.find('/');
        Station = folded.substr(0, slash);
        if (slash != std::string::npos)
            Country = folded.substr(slash + 1);
    }
};

bool EitherContainsTheOther(const std::string& a, const std::string& b) {
    return a.find(b) != std::string::npos || b.find(a) != std::string::npos;
}

} // namespace

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
    const TNameParts a(StationName);
    const TNameParts b(other.StationName);
    if (a.Station == b.Station && EitherContainsTheOther(a.Country, b.Country))
        return 3;
    if (a.Country == b.Country && EitherContainsTheOther(a.Station, b.Station))
        return 3;

    // Names that share most of their start or end are taken for spellings of one station.
    const std::size_t k = std::min(a.Station.size() * 4 / 5, b.Station.size() * 4 / 5);
    const bool sameStart = a.Station.compare(0, k, b.Station, 0, k) == 0;
    const bool sameEnd =
        a.Station.compare(a.Station.size() - k, k, b.Station, b.Station.size() - k, k) == 0;
    return sameStart || sameEnd ? 2 : 0;
}
