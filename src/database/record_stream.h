#pragma once

#include "database/object_stream_reader.h"
#include "database/object_stream_writer.h"
#include "model/diagram_data.h"

#include <cstdint>
#include <optional>
#include <string_view>

// The streamable classes of a station record: the name each is registered under, and how its
// fields go onto an object stream. A component is read into the record in place: every field of
// it is set. Records are always written in class version 3; versions 1 to
// 3 are read (a stream without class versions counts as version 1). Reading throws the record's
// exception when a component breaks its range; any other problem fails the reader.

struct TDiagramData::TPlace::Streamer {
    static constexpr std::string_view ClassName = "TDiagramData::TPlace";
    static void Read(TObjectReader& in, std::uint32_t version, TPlace& place);
    static void Write(TObjectWriter& out, const TPlace& place);
};

struct TDiagramData::TCoords::Streamer {
    static constexpr std::string_view ClassName = "TDiagramData::TCoords";
    static void Read(TObjectReader& in, std::uint32_t version, TCoords& coords);
    static void Write(TObjectWriter& out, const TCoords& coords);
};

struct TDiagramData::TAltitude::Streamer {
    static constexpr std::string_view ClassName = "TDiagramData::TAltitude";
    static void Read(TObjectReader& in, std::uint32_t version, TAltitude& altitude);
    static void Write(TObjectWriter& out, const TAltitude& altitude);
};

struct TDiagramData::TTemperatureData::Streamer {
    static constexpr std::string_view ClassName = "TDiagramData::TTemperatureData";
    static void Read(TObjectReader& in, std::uint32_t version, TTemperatureData& temperatures);
    static void Write(TObjectWriter& out, const TTemperatureData& temperatures);
};

struct TDiagramData::TPrecipitationData::Streamer {
    static constexpr std::string_view ClassName = "TDiagramData::TPrecipitationData";
    static void Read(TObjectReader& in, std::uint32_t version, TPrecipitationData& precipitation);
    static void Write(TObjectWriter& out, const TPrecipitationData& precipitation);
};

struct TDiagramData::Streamer {
    static constexpr std::string_view ClassName = "TDiagramData";
    // The class version every streamer of the record writes.
    static constexpr std::uint32_t ClassVersion = 3;

    // Reads one record pointer with its five components; nothing when the reader failed.
    static std::optional<TDiagramData> Read(TObjectReader& in);
    static void Write(TObjectWriter& out, const TDiagramData& record);
};
