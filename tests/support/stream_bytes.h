#pragma once

// Builds object streams byte by byte, the way the earlier program generations framed them, so
// that tests can feed the readers files no current writer makes.

#include <bit>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class TStreamBytes {
public:
    // A stream of the given version; nothing makes a version-0 stream without header.
    explicit TStreamBytes(std::optional<std::uint32_t> version = 0x0101)
        : Version(version.value_or(0)) {
        if (version) {
            Bytes += ':';
            Word32(*version);
        }
    }

    TStreamBytes& Byte(std::uint8_t value) {
        Bytes += static_cast<char>(value);
        return *this;
    }
    TStreamBytes& Word16(std::uint16_t value) { return Byte(value & 0xFF).Byte(value >> 8); }
    TStreamBytes& Word32(std::uint32_t value) {
        return Word16(value & 0xFFFF).Word16(static_cast<std::uint16_t>(value >> 16));
    }
    TStreamBytes& Int32(std::int32_t value) { return Word32(static_cast<std::uint32_t>(value)); }
    TStreamBytes& Double(double value) {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        return Word32(static_cast<std::uint32_t>(bits))
            .Word32(static_cast<std::uint32_t>(bits >> 32));
    }
    TStreamBytes& Raw(std::string_view bytes) {
        Bytes += bytes;
        return *this;
    }
    TStreamBytes& String(std::string_view text) {
        if (Version > 0x0100)
            Word32(static_cast<std::uint32_t>(text.size()));
        else
            Byte(static_cast<std::uint8_t>(text.size()));
        return Raw(text);
    }
    TStreamBytes& NullString() { return Version > 0x0100 ? Word32(0xFFFFFFFF) : Byte(0xFF); }

    // Object frame start: tag, "[", class name and (not in version 0) the class version.
    TStreamBytes& Begin(std::string_view className, std::uint32_t classVersion) {
        Byte(0x02).Byte('[').String(className);
        return Version == 0 ? *this : Word32(classVersion);
    }
    TStreamBytes& End() { return Byte(']'); }
    TStreamBytes& Reference(std::uint32_t index) {
        Byte(0x01);
        return Version == 0 ? Word16(static_cast<std::uint16_t>(index)) : Word32(index);
    }

    // The database header: signature, version, record count.
    TStreamBytes& Header(std::uint32_t count, std::int32_t version = 3,
                         std::string_view signature = "Pelvanor Database") {
        return String(signature).Int32(version).Word32(count);
    }

    // A whole record in the given class version (1, 2 or 3) with simple values: the name,
    // 52°31'N/13°24'E, altitude 34, temperature m + 0.5 and precipitation 40 + m in month m.
    TStreamBytes& Record(std::string_view name, std::uint32_t classVersion) {
        Begin("TDiagramData", classVersion);
        Begin("TDiagramData::TPlace", classVersion).String(name).End();
        Begin("TDiagramData::TCoords", classVersion);
        if (classVersion == 3)
            String("52").String("31").String("13").String("24");
        else
            Int32(52).Int32(31).Int32(13).Int32(24);
        Word32(1).Word32(0).End();
        Begin("TDiagramData::TAltitude", classVersion);
        classVersion == 3 ? String("34") : Int32(34);
        End();
        Begin("TDiagramData::TTemperatureData", classVersion);
        for (int m = 0; m < 12; ++m)
            classVersion == 3 ? String(std::to_string(m) + ".5") : Double(m + 0.5);
        End();
        Begin("TDiagramData::TPrecipitationData", classVersion);
        for (int m = 0; m < 12; ++m) {
            if (classVersion == 1)
                Int32(40 + m);
            else if (classVersion == 2)
                Double(40.0 + m);
            else
                String(std::to_string(40 + m) + ".0");
        }
        return End().End();
    }

    std::string Bytes;

private:
    std::uint32_t Version;
};
