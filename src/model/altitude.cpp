#include "model/diagram_data.h"

#include "model/rounded.h"

#include <cstdlib>

int TDiagramData::TAltitude::Similarity(const TAltitude& other) const {
    const std::int64_t difference = std::abs(Metres.Units() - other.Metres.Units());
    if (difference >= 11)
        return 0;
    return Math::Rounded(static_cast<double>(10 - difference) * 0.5);
}

std::string TDiagramData::TAltitude::Text() const {
    return Metres.Text() + "m";
}
