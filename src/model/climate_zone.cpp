#include "model/climate_zone.h"

#include "model/windows1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

using namespace Windows1252::Literals;

namespace {

struct TZoneText {
    std::string_view Code;
    std::string_view Utf8Description;
};

constexpr TZoneText Descriptions[ClimateZoneCount] = {
    {"Af", "tropisch, immerfeucht (Regenwaldklima)"},
    {"Am", "tropisch, Monsunklima"},
    {"Aw", "tropisch, wintertrocken (Savannenklima)"},
    {"BWh", "Wüstenklima, heiß"},
    {"BWk", "Wüstenklima, kalt"},
    {"BSh", "Steppenklima, heiß"},
    {"BSk", "Steppenklima, kalt"},
    {"Csa", "warmgemäßigt, sommertrocken, heiße Sommer"},
    {"Csb", "warmgemäßigt, sommertrocken, warme Sommer"},
    {"Csc", "warmgemäßigt, sommertrocken, kühle Sommer"},
    {"Cwa", "warmgemäßigt, wintertrocken, heiße Sommer"},
    {"Cwb", "warmgemäßigt, wintertrocken, warme Sommer"},
    {"Cwc", "warmgemäßigt, wintertrocken, kühle Sommer"},
    {"Cfa", "warmgemäßigt, immerfeucht, heiße Sommer"},
    {"Cfb", "warmgemäßigt, immerfeucht, warme Sommer"},
    {"Cfc", "warmgemäßigt, immerfeucht, kühle Sommer"},
    {"Dsa", "kaltgemäßigt, sommertrocken, heiße Sommer"},
    {"Dsb", "kaltgemäßigt, sommertrocken, warme Sommer"},
    {"Dsc", "kaltgemäßigt, sommertrocken, kühle Sommer"},
    {"Dsd", "kaltgemäßigt, sommertrocken, sehr kalte Winter"},
    {"Dwa", "kaltgemäßigt, wintertrocken, heiße Sommer"},
    {"Dwb", "kaltgemäßigt, wintertrocken, warme Sommer"},
    {"Dwc", "kaltgemäßigt, wintertrocken, kühle Sommer"},
    {"Dwd", "kaltgemäßigt, wintertrocken, sehr kalte Winter"},
    {"Dfa", "kaltgemäßigt, immerfeucht, heiße Sommer"},
    {"Dfb", "kaltgemäßigt, immerfeucht, warme Sommer"},
    {"Dfc", "kaltgemäßigt, immerfeucht, kühle Sommer"},
    {"Dfd", "kaltgemäßigt, immerfeucht, sehr kalte Winter"},
    {"ET", "Tundrenklima"},
    {"EF", "Klima des ewigen Frosts"},
};

using TMonths = std::array<std::int64_t, 12>;

// Every comparison runs on whole tenths (of °C and mm), so that a value exactly at a threshold
// falls on the side the rule gives it.
TMonths Tenths(const TDiagramData::TMonthValues& values) {
    TMonths tenths{};
    for (std::size_t m = 0; m < 12; ++m)
        tenths[m] = values[m].Units();
    return tenths;
}

std::int64_t Sum(const TMonths& months, std::initializer_list<int> which) {
    std::int64_t sum = 0;
    for (const int m : which)
        sum += months[static_cast<std::size_t>(m)];
    return sum;
}

template <typename Pick>
std::int64_t Extreme(const TMonths& months, std::initializer_list<int> which, Pick pick) {
    std::int64_t value = months[static_cast<std::size_t>(*which.begin())];
    for (const int m : which)
        value = pick(value, months[static_cast<std::size_t>(m)]);
    return value;
}

std::string Classify(const TMonths& t, const TMonths& p) {
    constexpr auto lower = [](std::int64_t a, std::int64_t b) {
        return std::min(a, b);
    };
    constexpr auto higher = [](std::int64_t a, std::int64_t b) {
        return std::max(a, b);
    };
    const std::initializer_list<int> all = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    const std::initializer_list<int> aprilToSeptember = {3, 4, 5, 6, 7, 8};
    const std::initializer_list<int> octoberToMarch = {9, 10, 11, 0, 1, 2};

    const std::int64_t hot = Extreme(t, all, higher);
    const std::int64_t cold = Extreme(t, all, lower);
    const std::int64_t temperatureSum = Sum(t, all); // MAT = temperatureSum / 120 °C
    const std::int64_t total = Sum(p, all);          // MAP = total / 10 mm
    const std::int64_t driest = Extreme(p, all, lower);
    const int warmMonths = static_cast<int>(
        std::count_if(t.begin(), t.end(), [](std::int64_t value) { return value > 100; }));

    const bool summerFromApril = Sum(t, aprilToSeptember) >= Sum(t, octoberToMarch);
    const auto& summer = summerFromApril ? aprilToSeptember : octoberToMarch;
    const auto& winter = summerFromApril ? octoberToMarch : aprilToSeptember;
    const std::int64_t summerRain = Sum(p, summer);
    const std::int64_t winterRain = Sum(p, winter);

    if (hot < 100)
        return hot > 0 ? "ET" : "EF";

    // Pthreshold = 2·MAT + addition, in mm; in sixtieths of a mm: temperatureSum + 60·addition.
    int addition = 14;
    if (total > 0 && 10 * winterRain >= 7 * total)
        addition = 0;
    else if (total > 0 && 10 * summerRain >= 7 * total)
        addition = 28;
    const std::int64_t threshold = temperatureSum + 60 * addition;
    // MAP < 10·Pthreshold, with MAP = total/10 and Pthreshold = threshold/60.
    if (6 * total < 10 * threshold) {
        const std::string arid = 6 * total < 5 * threshold ? "BW" : "BS";
        return arid + (temperatureSum >= 18 * 120 ? "h" : "k");
    }

    if (cold >= 180) {
        if (driest >= 600)
            return "Af";
        // Pdry ≥ 100 − MAP/25
        return 25 * driest >= 25000 - total ? "Am" : "Aw";
    }

    std::string code = cold > 0 ? "C" : "D";
    const std::int64_t summerDriest = Extreme(p, summer, lower);
    const std::int64_t summerWettest = Extreme(p, summer, higher);
    const std::int64_t winterDriest = Extreme(p, winter, lower);
    const std::int64_t winterWettest = Extreme(p, winter, higher);
    if (summerDriest < winterDriest && summerDriest < 400 && 3 * summerDriest < winterWettest)
        code += 's';
    else if (winterDriest < summerDriest && 10 * winterDriest < summerWettest)
        code += 'w';
    else
        code += 'f';
    if (hot >= 220)
        code += 'a';
    else if (warmMonths >= 4)
        code += 'b';
    else if (code[0] == 'D' && cold < -380)
        code += 'd';
    else
        code += 'c';
    return code;
}

std::string CodeOf(const TDiagramData& station) {
    return Classify(Tenths(station.Temperatures().Values()),
                    Tenths(station.Precipitation().Values()));
}

} // namespace

std::string ClimateZoneDescription(std::string_view code) {
    const int zone = ClimateZoneNumber(code);
    if (zone < 0)
        return {};
    return Windows1252::FromUtf8(Descriptions[zone].Utf8Description).value_or(std::string());
}

TClimateZone ClimateZoneOf(const TDiagramData& station) {
    std::string code = CodeOf(station);
    std::string description = ClimateZoneDescription(code);
    return {std::move(code), std::move(description)};
}

std::string_view ClimateZoneCode(int zone) {
    return Descriptions[zone].Code;
}

int ClimateZoneNumber(std::string_view code) {
    for (int zone = 0; zone < ClimateZoneCount; ++zone)
        if (Descriptions[zone].Code == code)
            return zone;
    return -1;
}

int ClimateZoneNumberOf(const TDiagramData& station) {
    return ClimateZoneNumber(CodeOf(station));
}

std::string ClimateZoneTitle(int zone) {
    return std::string(ClimateZoneCode(zone)) + " – "_cp1252 +
           ClimateZoneDescription(ClimateZoneCode(zone));
}
