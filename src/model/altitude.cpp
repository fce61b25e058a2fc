#include "model/diagram_data.h"

#include "kestrel/rounding.h"

#include <cstdlib>

int TDiagramData::TAltitude::Similarity(const TAltitude& other) const {
    const std::int64_t difference = std::abs(Metres.Units() - other.Metres.Units());
    if (difference >= 11)
        return 0;
    return static_cast<int>(Math::round(static_cast<double>(10 - difference) * 0.5, 0));
}

std::string TDiagramData::TAltitude::Text() const {
    return Metres.Text() + "m";
}
