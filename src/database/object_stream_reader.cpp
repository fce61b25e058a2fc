#include "database/object_stream_reader.h"

#include <bit>
#include <cstring>

namespace {

constexpr char VersionIndicator = ':';
constexpr char FrameBegin = '[';
constexpr char FrameEnd = ']';
// Streams up to this version count string lengths in one byte.
constexpr std::uint32_t LastShortStringVersion = 0x0100;
constexpr std::size_t LongestClassName = 127;

template <typename T>
T LittleEndian(const char* bytes) {
    T value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value |= static_cast<T>(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return value;
}

} // namespace

TObjectReader::TObjectReader(std::string_view bytes) : Bytes(bytes) {
    if (!Bytes.empty() && Bytes[0] == VersionIndicator) {
        Position = 1;
        Version = ReadWord32();
    }
}

bool TObjectReader::Take(std::size_t count, const char*& bytes) {
    if (Failed || Bytes.size() - Position < count) {
        Failed = true;
        return false;
    }
    bytes = Bytes.data() + Position;
    Position += count;
    return true;
}

std::uint8_t TObjectReader::ReadByte() {
    const char* bytes = nullptr;
    return Take(1, bytes) ? static_cast<std::uint8_t>(*bytes) : 0;
}

std::uint32_t TObjectReader::ReadWord32() {
    const char* bytes = nullptr;
    return Take(4, bytes) ? LittleEndian<std::uint32_t>(bytes) : 0;
}

std::int32_t TObjectReader::ReadInt32() {
    return static_cast<std::int32_t>(ReadWord32());
}

double TObjectReader::ReadDouble() {
    const char* bytes = nullptr;
    return Take(8, bytes) ? std::bit_cast<double>(LittleEndian<std::uint64_t>(bytes)) : 0.0;
}

std::optional<std::string> TObjectReader::ReadCString() {
    std::uint32_t length = 0;
    if (Version > LastShortStringVersion) {
        length = ReadWord32();
        if (length == 0xFFFFFFFFu)
            return std::nullopt;
    } else {
        length = ReadByte();
        if (length == 0xFFu)
            return std::nullopt;
    }
    const char* bytes = nullptr;
    if (!Take(length, bytes))
        return std::nullopt;
    return std::string(bytes, length);
}

std::uint32_t TObjectReader::ReadObjectIndex() {
    if (Version == 0) {
        const char* bytes = nullptr;
        return Take(2, bytes) ? LittleEndian<std::uint16_t>(bytes) : 0;
    }
    return ReadWord32();
}

std::optional<TObjectReader::TObjectEntry>
TObjectReader::ReadFrameStart(std::string_view className) {
    if (ReadByte() != FrameBegin) {
        Fail();
        return std::nullopt;
    }
    const std::optional<std::string> name = ReadCString();
    // Empty and overlong names are refused before anything else; every name but the expected
    // one is either unknown or the wrong class at this place.
    if (!name || name->empty() || name->size() > LongestClassName || *name != className) {
        Fail();
        return std::nullopt;
    }
    const std::uint32_t classVersion = Version == 0 ? 0 : ReadWord32();
    if (!Good())
        return std::nullopt;
    return TObjectEntry{className, classVersion, Position, false};
}

void TObjectReader::ReadFrameEnd() {
    if (ReadByte() != FrameEnd)
        Fail();
}
