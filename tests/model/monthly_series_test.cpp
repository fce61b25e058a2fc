#include "model/diagram_data.h"
#include "model/windows1252.h"
#include "support/printers.h"

#include <gtest/gtest.h>

namespace {

using namespace Windows1252::Literals;
using Math::Tenths;
using TTemperatureData = TDiagramData::TTemperatureData;
using TPrecipitationData = TDiagramData::TPrecipitationData;

Tenths T(std::int64_t tenths) {
    return Tenths::FromUnits(tenths);
}

TDiagramData::TMonthValues Values(std::initializer_list<std::int64_t> tenths) {
    TDiagramData::TMonthValues values{};
    std::size_t month = 0;
    for (const std::int64_t t : tenths)
        values.at(month++) = T(t);
    return values;
}

// Twelve months whose sum is the given number of tenths, all in the valid range.
TDiagramData::TMonthValues Summing(std::int64_t tenths) {
    TDiagramData::TMonthValues values{};
    values[0] = T(tenths - 11 * (tenths / 12));
    for (int month = 1; month < 12; ++month)
        values[month] = T(tenths / 12);
    return values;
}

TEST(TemperatureDataTest, MeanGoesThroughTruncatedHundredths) {
    EXPECT_EQ(TTemperatureData(Summing(1001)).Mean(), T(83)); // 8.3416… -> 8.34 -> 8.3
    EXPECT_EQ(TTemperatureData(Summing(-1001)).Mean(), T(-83));
    EXPECT_EQ(TTemperatureData(Summing(6)).Mean(), T(1));   // 0.05 -> 0.1
    EXPECT_EQ(TTemperatureData(Summing(-6)).Mean(), T(-1)); // -0.05 -> -0.1
    EXPECT_EQ(TTemperatureData(Summing(5)).Mean(), T(0));   // 0.0416… -> 0.04 -> 0.0
    EXPECT_FALSE(TTemperatureData(Summing(-5)).Mean().IsNegative());
    EXPECT_EQ(TTemperatureData(Summing(113)).Mean(), T(9));  // 0.9416… -> 0.94 -> 0.9
    EXPECT_EQ(TTemperatureData(Summing(114)).Mean(), T(10)); // 0.95 -> 1.0
}

TEST(TemperatureDataTest, ZerosGiveZeroMeanMinimumAndMaximum) {
    const TTemperatureData zeros;
    EXPECT_EQ(zeros.Mean(), T(0));
    EXPECT_EQ(zeros.Min(), T(0));
    EXPECT_EQ(zeros.Max(), T(0));
    EXPECT_EQ(zeros.MeanText(), "0,0");
}

TEST(TemperatureDataTest, DerivedValuesFollowEveryChange) {
    TTemperatureData berlin(Values({6, 10, 44, 93, 140, 173, 193, 186, 146, 99, 50, 15}));
    EXPECT_EQ(berlin.Min(), T(6));
    EXPECT_EQ(berlin.Max(), T(193));
    EXPECT_EQ(berlin.Mean(), T(96)); // 1155 / 12 = 9.625 -> 9.62 -> 9.6
    EXPECT_EQ(berlin.MeanText(), "9,6");
    EXPECT_EQ(berlin.MinText(), "0,6");
    EXPECT_EQ(berlin.MonthText(6), "19,3");

    berlin.SetMonth(0, T(-35));
    EXPECT_EQ(berlin.Min(), T(-35));
    EXPECT_EQ(berlin.Mean(), T(93)); // 1114 / 12 = 9.283… -> 9.28 -> 9.3
    EXPECT_EQ(berlin.MinText(), "-3,5");
}

TEST(TemperatureDataTest, RangeLimitsAreInclusive) {
    TTemperatureData temperatures;
    EXPECT_NO_THROW(temperatures.SetMonth(0, T(-900)));
    EXPECT_NO_THROW(temperatures.SetMonth(11, T(600)));
    EXPECT_THROW(temperatures.SetMonth(1, T(-901)), TTemperatureData::TXTemperatureOutOfRange);
    temperatures.SetMonth(1, T(0));
    EXPECT_THROW(temperatures.SetMonth(1, T(601)), TTemperatureData::TXTemperatureOutOfRange);
}

TEST(TemperatureDataTest, FirstBadMonthIsReportedAndTheValuesStay) {
    auto values = Values({0, 0, 0, 0, 0, 0, 615, 0, 0, 0, 0, 700});
    try {
        TTemperatureData temperatures(values);
        FAIL();
    } catch (const TTemperatureData::TXTemperatureOutOfRange& error) {
        EXPECT_STREQ(error.what(), "Datenbank: Temperatur für Monat Juli außerhalb des "
                                   "gültigen Bereichs: 61.5"_cp1252);
        EXPECT_EQ(error.MonthIndex(), 6);
        EXPECT_EQ(error.Value(), T(615));
    }

    TTemperatureData temperatures;
    EXPECT_THROW(temperatures.SetMonth(2, T(-905)), TDiagramData::TXBase);
    EXPECT_EQ(temperatures.Month(2), T(-905));
    EXPECT_EQ(temperatures.Min(), T(-905));
    try {
        temperatures.Validate();
        FAIL();
    } catch (const TDiagramData::TXBase& error) {
        EXPECT_STREQ(error.what(), "Datenbank: Temperatur für Monat März außerhalb des "
                                   "gültigen Bereichs: -90.5"_cp1252);
    }
}

TEST(PrecipitationDataTest, TotalIsTheExactSum) {
    const TPrecipitationData fifty(
        Values({500, 500, 500, 500, 500, 500, 500, 500, 500, 500, 500, 500}));
    EXPECT_EQ(fifty.Total(), T(6000));
    EXPECT_EQ(fifty.TotalText(), "600,0");

    const TPrecipitationData mixed(Values({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 99999}));
    EXPECT_EQ(mixed.Total(), T(100065));
    EXPECT_EQ(mixed.Min(), T(1));
    EXPECT_EQ(mixed.Max(), T(99999));
}

TEST(PrecipitationDataTest, ZeroIsTheOnlyLimit) {
    TPrecipitationData precipitation;
    EXPECT_NO_THROW(precipitation.SetMonth(4, T(99999)));
    EXPECT_NO_THROW(precipitation.SetMonth(5, T(0)));
    try {
        precipitation.SetMonth(2, T(-1));
        FAIL();
    } catch (const TPrecipitationData::TXPrecipitationOutOfRange& error) {
        EXPECT_STREQ(error.what(), "Datenbank: Niederschlag für Monat März außerhalb des "
                                   "gültigen Bereichs: -0.1"_cp1252);
        EXPECT_EQ(error.MonthIndex(), 2);
    }
    EXPECT_EQ(precipitation.Total(), T(99998));
}

TEST(MonthNameTest, GermanNamesAndUnknown) {
    const char* const expected[] = {"Januar",    "Februar", "März"_cp1252, "April",
                                    "Mai",       "Juni",    "Juli",        "August",
                                    "September", "Oktober", "November",    "Dezember"};
    for (int month = 0; month < 12; ++month)
        EXPECT_STREQ(TDiagramData::MonthName(month), expected[month]);
    EXPECT_STREQ(TDiagramData::MonthName(-1), "(unbekannt)");
    EXPECT_STREQ(TDiagramData::MonthName(12), "(unbekannt)");
}

} // namespace
