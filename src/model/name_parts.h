#pragma once

#include <string_view>

// A folded name cut at its first "/" into the station part and the state or country part (empty
// when the name has no "/"). The parts are views of the folded name, which must outlive them.
struct TNameParts {
    std::string_view Station;
    std::string_view Country;

    explicit TNameParts(std::string_view foldedName);

    // The name grade of two names that are not equal byte for byte: 3 when the station parts are
    // equal and either country part contains the other, or the country parts are equal and
    // either station part contains the other; 2 when the station parts share their first or
    // last k characters, k being the smaller of both lengths times 4/5; else 0.
    static int GradeOfDifferentNames(const TNameParts& a, const TNameParts& b);
};
