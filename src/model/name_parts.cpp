#include "model/name_parts.h"

#include <algorithm>

namespace {

bool EitherContainsTheOther(std::string_view a, std::string_view b) {
    return a.find(b) != std::string_view::npos || b.find(a) != std::string_view::npos;
}

} // namespace

TNameParts::TNameParts(std::string_view foldedName) {
    const auto slash = foldedName.find('/');
    Station = foldedName.substr(0, slash);
    if (slash != std::string_view::npos)
        Country = foldedName.substr(slash + 1);
}

int TNameParts::GradeOfDifferentNames(const TNameParts& a, const TNameParts& b) {
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
