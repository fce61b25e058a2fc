#include "database/record_stream.h"

namespace {

// The three generations of the record layout.
enum TLayout { WholeNumbers = 1, Doubles = 2, Texts = 3, Unknown };

TLayout LayoutOf(TObjectReader& in, std::uint32_t classVersion) {
    if (classVersion <= 1)
        return WholeNumbers;
    if (classVersion <= 3)
        return static_cast<TLayout>(classVersion);
    in.Fail();
    return Unknown;
}

template <typename Value>
Value FromText(TObjectReader& in) {
    return Value::FromText(in.ReadCStringView().value_or(std::string_view()));
}

template <typename ReadValue>
void ReadTwelve(TDiagramData::TMonthValues& values, ReadValue readValue) {
    for (auto& value : values)
        value = readValue();
}

void WriteTwelve(TObjectWriter& out, const TDiagramData::TMonthValues& values) {
    Math::Tenths::TTextBuffer text;
    for (const Math::Tenths value : values)
        out.WriteCString(value.Text(text));
}

} // namespace

void TDiagramData::TPlace::Streamer::Read(TObjectReader& in, std::uint32_t version, TPlace& place) {
    LayoutOf(in, version);
    place.StationName = in.ReadCStringView().value_or(std::string_view());
    if (in.Good())
        place.Validate();
}

void TDiagramData::TPlace::Streamer::Write(TObjectWriter& out, const TPlace& place) {
    out.WriteCString(place.StationName);
}

void TDiagramData::TCoords::Streamer::Read(TObjectReader& in, std::uint32_t version,
                                           TCoords& coords) {
    Math::Whole* const numbers[] = {&coords.LatDegrees, &coords.LatMinutes, &coords.LongDegrees,
                                    &coords.LongMinutes};
    const TLayout layout = LayoutOf(in, version);
    for (Math::Whole* number : numbers)
        *number = layout == Texts ? FromText<Math::Whole>(in) : Math::Whole(in.ReadInt32());
    coords.North = in.ReadWord32() != 0;
    coords.West = in.ReadWord32() != 0;
    if (in.Good())
        coords.Validate();
}

void TDiagramData::TCoords::Streamer::Write(TObjectWriter& out, const TCoords& coords) {
    Math::Whole::TTextBuffer text;
    for (const Math::Whole number :
         {coords.LatDegrees, coords.LatMinutes, coords.LongDegrees, coords.LongMinutes})
        out.WriteCString(number.Text(text));
    out.WriteWord32(coords.North ? 1 : 0);
    out.WriteWord32(coords.West ? 1 : 0);
}

void TDiagramData::TAltitude::Streamer::Read(TObjectReader& in, std::uint32_t version,
                                             TAltitude& altitude) {
    const TLayout layout = LayoutOf(in, version);
    altitude.Metres = layout == Texts ? FromText<Math::Whole>(in) : Math::Whole(in.ReadInt32());
}

void TDiagramData::TAltitude::Streamer::Write(TObjectWriter& out, const TAltitude& altitude) {
    Math::Whole::TTextBuffer text;
    out.WriteCString(altitude.Metres.Text(text));
}

void TDiagramData::TTemperatureData::Streamer::Read(TObjectReader& in, std::uint32_t version,
                                                    TTemperatureData& temperatures) {
    const TLayout layout = LayoutOf(in, version);
    if (layout == Texts)
        ReadTwelve(temperatures.MutableValues(), [&] { return FromText<Math::Tenths>(in); });
    else
        ReadTwelve(temperatures.MutableValues(),
                   [&] { return Math::Tenths::FromDouble(in.ReadDouble()); });
    temperatures.Recompute();
    if (in.Good())
        temperatures.Validate();
}

void TDiagramData::TTemperatureData::Streamer::Write(TObjectWriter& out,
                                                     const TTemperatureData& temperatures) {
    WriteTwelve(out, temperatures.Values());
}

void TDiagramData::TPrecipitationData::Streamer::Read(TObjectReader& in, std::uint32_t version,
                                                      TPrecipitationData& precipitation) {
    TMonthValues& values = precipitation.MutableValues();
    switch (LayoutOf(in, version)) {
    case WholeNumbers:
        ReadTwelve(values, [&] { return Math::Tenths(in.ReadInt32()); });
        break;
    case Doubles:
        ReadTwelve(values, [&] { return Math::Tenths::FromDouble(in.ReadDouble()); });
        break;
    default:
        ReadTwelve(values, [&] { return FromText<Math::Tenths>(in); });
    }
    precipitation.Recompute();
    if (in.Good())
        precipitation.Validate();
}

void TDiagramData::TPrecipitationData::Streamer::Write(TObjectWriter& out,
                                                       const TPrecipitationData& precipitation) {
    WriteTwelve(out, precipitation.Values());
}

std::optional<TDiagramData> TDiagramData::Streamer::Read(TObjectReader& in) {
    TDiagramData record;
    // Each component is read as an object of its own class, in this order.
    const auto component = [&in](auto& target) {
        using TComponent = std::remove_reference_t<decltype(target)>;
        in.ReadObject(TComponent::Streamer::ClassName,
                      [&target](TObjectReader& r, std::uint32_t v) {
                          TComponent::Streamer::Read(r, v, target);
                      });
    };
    in.ReadObject(ClassName, [&](TObjectReader& r, std::uint32_t version) {
        LayoutOf(r, version);
        component(record.StationPlace);
        component(record.Position);
        component(record.StationAltitude);
        component(record.TemperatureData);
        component(record.PrecipitationData);
    });
    if (!in.Good())
        return std::nullopt;
    return record;
}

void TDiagramData::Streamer::Write(TObjectWriter& out, const TDiagramData& record) {
    const auto component = [&out](const auto& source) {
        using TComponent = std::remove_cvref_t<decltype(source)>;
        out.BeginObject(TComponent::Streamer::ClassName, ClassVersion);
        TComponent::Streamer::Write(out, source);
        out.EndObject();
    };
    out.BeginObject(ClassName, ClassVersion);
    component(record.StationPlace);
    component(record.Position);
    component(record.StationAltitude);
    component(record.TemperatureData);
    component(record.PrecipitationData);
    out.EndObject();
}
