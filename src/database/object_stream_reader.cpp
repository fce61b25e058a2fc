#include "database/object_stream_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

constexpr char VersionIndicator = ':';
constexpr std::size_t LongestClassName = 127;

} // namespace

TObjectReader::TObjectReader(std::string_view bytes) : StreamSize(bytes.size()), Window(bytes) {
    ReadStreamHeader();
}

TObjectReader::TObjectReader(TSource& source) : Source(&source), StreamSize(source.Size()) {
    ReadStreamHeader();
}

void TObjectReader::ReadStreamHeader() {
    const char* first = nullptr;
    if (StreamSize > 0 && Take(1, first) && *first == VersionIndicator)
        Version = ReadWord32();
    else
        Position = 0;
}

bool TObjectReader::TakeAfterRefill(std::size_t count, const char*& bytes) {
    // Pieces large enough that reading them costs little beside what is made of them.
    constexpr std::size_t PieceSize = std::size_t{1} << 20;
    if (Failed || StreamSize - Position < count || !Source) {
        Failed = true;
        return false;
    }
    Piece.resize(std::max(count, PieceSize));
    Window = std::string_view(Piece.data(), Source->ReadAt(Position, Piece.data(), Piece.size()));
    WindowStart = Position;
    // A file that became shorter while it was read.
    if (Window.size() < count) {
        Failed = true;
        return false;
    }
    bytes = Piece.data();
    Position += count;
    return true;
}

std::int32_t TObjectReader::ReadInt32() {
    return static_cast<std::int32_t>(ReadWord32());
}

double TObjectReader::ReadDouble() {
    const char* bytes = nullptr;
    return Take(8, bytes) ? std::bit_cast<double>(LittleEndian<std::uint64_t>(bytes)) : 0.0;
}

std::optional<std::string> TObjectReader::ReadCString() {
    const std::optional<std::string_view> text = ReadCStringView();
    if (!text)
        return std::nullopt;
    return std::string(*text);
}

std::uint32_t TObjectReader::ReadObjectIndex() {
    if (Version == 0) {
        const char* bytes = nullptr;
        return Take(2, bytes) ? LittleEndian<std::uint16_t>(bytes) : 0;
    }
    return ReadWord32();
}

std::optional<std::uint32_t> TObjectReader::ReadFrameStart(std::string_view className) {
    if (ReadByte() != FrameBegin) {
        Fail();
        return std::nullopt;
    }
    const std::optional<std::string_view> name = ReadCStringView();
    // Empty and overlong names are refused before anything else; every name but the expected
    // one is either unknown or the wrong class at this place.
    if (!name || name->empty() || name->size() > LongestClassName || *name != className) {
        Fail();
        return std::nullopt;
    }
    const std::uint32_t classVersion = Version == 0 ? 0 : ReadWord32();
    if (!Good())
        return std::nullopt;
    return classVersion;
}
