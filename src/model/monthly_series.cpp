#include "model/diagram_data.h"

#include "model/windows1252.h"

#include <algorithm>

using namespace Windows1252::Literals;

namespace {

std::string OutOfRangeMessage(std::string_view quantity, int month, Math::Tenths value) {
    std::string message(quantity);
    message += " für Monat "_cp1252;
    message += TDiagramData::MonthName(month);
    message += " außerhalb des gültigen Bereichs: "_cp1252;
    return message + value.Text();
}

} // namespace

// Runs for every series of every station read, so it compares the values' units, which order
// them as their integer and fractional parts do.
Math::Tenths TDiagramData::TMonthlySeries::RecomputeExtremes() {
    std::int64_t sum = 0;
    std::int64_t lowest = MonthValues[0].Units();
    std::int64_t highest = lowest;
    for (const Math::Tenths value : MonthValues) {
        const std::int64_t units = value.Units();
        sum += units;
        lowest = std::min(lowest, units);
        highest = std::max(highest, units);
    }
    Lowest = Math::Tenths::FromUnits(lowest);
    Highest = Math::Tenths::FromUnits(highest);
    return Math::Tenths::FromUnits(sum);
}

TDiagramData::TTemperatureData::TXTemperatureOutOfRange::TXTemperatureOutOfRange(int month,
                                                                                 Math::Tenths value)
    : TXBase(OutOfRangeMessage("Temperatur", month, value)), InvalidMonth(month),
      InvalidValue(value) {
}

TDiagramData::TTemperatureData::TTemperatureData(const TMonthValues& values)
    : TMonthlySeries(values) {
    Recompute();
    Validate();
}

void TDiagramData::TTemperatureData::SetMonth(int month, Math::Tenths value) {
    MutableValues().at(month) = value;
    Recompute();
    Validate();
}

void TDiagramData::TTemperatureData::Validate() const {
    for (int month = 0; month < MonthCount; ++month)
        if (Month(month) < MinValid || Month(month) > MaxValid)
            throw TXTemperatureOutOfRange(month, Month(month));
}

void TDiagramData::TTemperatureData::Recompute() {
    // The mean goes through hundredths (sum / 12, truncated) and is then rounded to tenths,
    // halves away from zero: a sum of 100.1 gives 8.34 and so 8.3.
    Math::fixed<long, 2> hundredths(RecomputeExtremes());
    hundredths = hundredths * 100 / 1200;
    AnnualMean = hundredths.RoundedTo<1>();
}

TDiagramData::TPrecipitationData::TXPrecipitationOutOfRange::TXPrecipitationOutOfRange(
    int month, Math::Tenths value)
    : TXBase(OutOfRangeMessage("Niederschlag", month, value)), InvalidMonth(month),
      InvalidValue(value) {
}

TDiagramData::TPrecipitationData::TPrecipitationData(const TMonthValues& values)
    : TMonthlySeries(values) {
    Recompute();
    Validate();
}

void TDiagramData::TPrecipitationData::SetMonth(int month, Math::Tenths value) {
    MutableValues().at(month) = value;
    Recompute();
    Validate();
}

void TDiagramData::TPrecipitationData::Validate() const {
    for (int month = 0; month < MonthCount; ++month)
        if (Month(month) < 0)
            throw TXPrecipitationOutOfRange(month, Month(month));
}
