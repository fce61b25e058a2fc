#pragma once

#include "model/fixed.h"
#include "model/prefixed_error.h"

#include <array>
#include <string>
#include <string_view>

// The record of one weather station: name, position, altitude and the twelve monthly mean
// temperatures and precipitation totals from which one climate diagram is drawn. All texts are
// Windows-1252.
class TDiagramData {
public:
    static constexpr int MonthCount = 12;
    using TMonthValues = std::array<Math::Tenths, MonthCount>;

    // Every error of a record; the message starts with "Datenbank: ".
    class TXBase : public TPrefixedError {
    public:
        explicit TXBase(std::string_view message) : TPrefixedError("Datenbank: ", message) {}
    };

    // The station name, by convention "station/state or country".
    class TPlace {
    public:
        class TXInvalidPlaceName : public TXBase {
        public:
            explicit TXInvalidPlaceName(const std::string& name);
            const std::string& Name() const { return InvalidName; }

        private:
            std::string InvalidName;
        };

        TPlace() = default;
        // Takes the name and validates it.
        explicit TPlace(std::string name);

        // Puts the component on an object stream and reads it back.
        struct Streamer;

        const std::string& Name() const { return StationName; }
        // Takes the name and validates it; an invalid name stays set.
        void SetName(std::string name);
        void Validate() const;

        // 5 for equal names, 3 when folded station or country parts agree and the other part
        // contains its counterpart, 2 when the station parts share a long enough start or end,
        // else 0.
        int Similarity(const TPlace& other) const;

        friend bool operator==(const TPlace&, const TPlace&) = default;

    private:
        std::string StationName;
    };

    // The geographic position in degrees and minutes with its hemispheres.
    class TCoords {
    public:
        class TXCoordDegreeOutOfRange : public TXBase {
        public:
            TXCoordDegreeOutOfRange(std::string_view label, Math::Whole value);
            Math::Whole Value() const { return InvalidValue; }

        private:
            Math::Whole InvalidValue;
        };

        class TXCoordMinuteOutOfRange : public TXBase {
        public:
            TXCoordMinuteOutOfRange(std::string_view label, Math::Whole value);
            Math::Whole Value() const { return InvalidValue; }

        private:
            Math::Whole InvalidValue;
        };

        struct Streamer;

        // 0°0'N/0°0'W.
        TCoords() = default;
        // Takes the six fields and validates them.
        TCoords(Math::Whole latitudeDegrees, Math::Whole latitudeMinutes,
                Math::Whole longitudeDegrees, Math::Whole longitudeMinutes, bool north, bool west);

        Math::Whole LatitudeDegrees() const { return LatDegrees; }
        Math::Whole LatitudeMinutes() const { return LatMinutes; }
        Math::Whole LongitudeDegrees() const { return LongDegrees; }
        Math::Whole LongitudeMinutes() const { return LongMinutes; }
        bool IsNorth() const { return North; }
        bool IsWest() const { return West; }

        // Each number setter takes the value and validates the whole position; an invalid
        // value stays set.
        void SetLatitudeDegrees(Math::Whole value);
        void SetLatitudeMinutes(Math::Whole value);
        void SetLongitudeDegrees(Math::Whole value);
        void SetLongitudeMinutes(Math::Whole value);
        void SetNorth(bool north) { North = north; }
        void SetWest(bool west) { West = west; }

        // Checks latitude degrees, latitude minutes, longitude degrees, longitude minutes in
        // this order and throws for the first one out of range.
        void Validate() const;

        // 5 equal, 4 less than ten minutes apart on both axes, 3 same coarse position,
        // 2 same whole degrees, else 0.
        int Similarity(const TCoords& other) const;

        // 52°31'N/13°24'E; the minutes are left out when both are 0 (10°N/20°W).
        std::string Text() const;
        // Whole degrees, rounded up from 30 minutes: 53°N/13°E.
        std::string CoarseText() const;

        friend bool operator==(const TCoords&, const TCoords&) = default;

    private:
        Math::Whole LatDegrees;
        Math::Whole LatMinutes;
        Math::Whole LongDegrees;
        Math::Whole LongMinutes;
        bool North = true;
        bool West = true;
    };

    // Altitude above sea level in whole metres; any value is valid.
    class TAltitude {
    public:
        struct Streamer;

        TAltitude() = default;
        explicit TAltitude(Math::Whole metres) : Metres(metres) {}

        Math::Whole Value() const { return Metres; }
        void SetValue(Math::Whole metres) { Metres = metres; }

        // (10 - difference) / 2 rounded for differences below 11 m, else 0.
        int Similarity(const TAltitude& other) const;
        // The value followed by "m": 120m.
        std::string Text() const;

        friend bool operator==(const TAltitude&, const TAltitude&) = default;

    private:
        Math::Whole Metres;
    };

    // Twelve monthly values, January first, with their lowest and highest month and their sum,
    // recomputed whenever a value changes.
    class TMonthlySeries {
    public:
        const TMonthValues& Values() const { return MonthValues; }
        Math::Tenths Month(int month) const { return MonthValues.at(month); }
        Math::Tenths Min() const { return Lowest; }
        Math::Tenths Max() const { return Highest; }

        // Texts as the user sees them, with decimal comma.
        std::string MonthText(int month) const { return Month(month).DisplayText(); }
        std::string MinText() const { return Lowest.DisplayText(); }
        std::string MaxText() const { return Highest.DisplayText(); }

        friend bool operator==(const TMonthlySeries& a, const TMonthlySeries& b) {
            return a.MonthValues == b.MonthValues;
        }

    protected:
        TMonthlySeries() = default;
        explicit TMonthlySeries(const TMonthValues& values) : MonthValues(values) {}
        ~TMonthlySeries() = default;
        TMonthlySeries(const TMonthlySeries&) = default;
        TMonthlySeries& operator=(const TMonthlySeries&) = default;

        TMonthValues& MutableValues() { return MonthValues; }
        // Recomputes minimum and maximum (ties keep the earlier month) and returns the sum.
        Math::Tenths RecomputeExtremes();

    private:
        TMonthValues MonthValues{};
        Math::Tenths Lowest;
        Math::Tenths Highest;
    };

    // Monthly mean temperatures in °C, each -90.0 to 60.0, with the annual mean.
    class TTemperatureData : public TMonthlySeries {
    public:
        class TXTemperatureOutOfRange : public TXBase {
        public:
            TXTemperatureOutOfRange(int month, Math::Tenths value);
            int MonthIndex() const { return InvalidMonth; }
            Math::Tenths Value() const { return InvalidValue; }

        private:
            int InvalidMonth;
            Math::Tenths InvalidValue;
        };

        static constexpr Math::Tenths MinValid = Math::Tenths::FromUnits(-900);
        static constexpr Math::Tenths MaxValid = Math::Tenths::FromUnits(600);

        struct Streamer;

        TTemperatureData() = default;
        // Takes the twelve values and validates them.
        explicit TTemperatureData(const TMonthValues& values);

        // Takes the value, recomputes the annual values and validates all twelve months; an
        // invalid value stays set.
        void SetMonth(int month, Math::Tenths value);
        void Validate() const;

        Math::Tenths Mean() const { return AnnualMean; }
        std::string MeanText() const { return AnnualMean.DisplayText(); }

    private:
        void Recompute();

        Math::Tenths AnnualMean;
    };

    // Monthly precipitation totals in mm, each 0.0 or more, with the annual total.
    class TPrecipitationData : public TMonthlySeries {
    public:
        class TXPrecipitationOutOfRange : public TXBase {
        public:
            TXPrecipitationOutOfRange(int month, Math::Tenths value);
            int MonthIndex() const { return InvalidMonth; }
            Math::Tenths Value() const { return InvalidValue; }

        private:
            int InvalidMonth;
            Math::Tenths InvalidValue;
        };

        struct Streamer;

        TPrecipitationData() = default;
        // Takes the twelve values and validates them.
        explicit TPrecipitationData(const TMonthValues& values);

        // As for temperatures.
        void SetMonth(int month, Math::Tenths value);
        void Validate() const;

        Math::Tenths Total() const { return AnnualTotal; }
        std::string TotalText() const { return AnnualTotal.DisplayText(); }

    private:
        void Recompute() { AnnualTotal = RecomputeExtremes(); }

        Math::Tenths AnnualTotal;
    };

    // "Januar" … "Dezember"; "(unbekannt)" for any other index.
    static const char* MonthName(int month);

    // Puts the whole record on an object stream and reads it back.
    struct Streamer;

    // A new record: empty name (not yet valid), 0°0'N/0°0'W, 0 m, all values 0.0.
    TDiagramData() = default;

    const TPlace& Place() const { return StationPlace; }
    const TCoords& Coords() const { return Position; }
    const TAltitude& Altitude() const { return StationAltitude; }
    const TTemperatureData& Temperatures() const { return TemperatureData; }
    const TPrecipitationData& Precipitation() const { return PrecipitationData; }

    // Replacing a component sets the changed mark.
    void SetPlace(const TPlace& place);
    void SetCoords(const TCoords& coords);
    void SetAltitude(const TAltitude& altitude);
    void SetTemperatures(const TTemperatureData& temperatures);
    void SetPrecipitation(const TPrecipitationData& precipitation);

    // Checks the name, the position, the temperatures and the precipitation in this order and
    // throws the first component's error: a record that passes may be stored.
    void Validate() const;

    // True when every stored value of both records is the same.
    bool IsIdentical(const TDiagramData& other) const;
    // The rounded mean of the name, position and altitude grades: 0 to 5.
    int Similarity(const TDiagramData& other) const;
    static int Similarity(int nameGrade, int positionGrade, int altitudeGrade);
    // Coordinates text, ", ", altitude text: 52°31'N/13°24'E, 34m.
    std::string PositionText() const;

    // Set while a diagram window shows the record.
    bool IsDisplayed() const { return Displayed; }
    void SetDisplayed(bool displayed) { Displayed = displayed; }
    // Set when a component was replaced, cleared when the record is written out.
    bool IsChanged() const { return Changed; }
    void ClearChanged() { Changed = false; }

private:
    TPlace StationPlace;
    TCoords Position;
    TAltitude StationAltitude;
    TTemperatureData TemperatureData;
    TPrecipitationData PrecipitationData;
    bool Displayed = false;
    bool Changed = false;
};
