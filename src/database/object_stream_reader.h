#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads a persistent object stream as the earlier generations of the program wrote it: a
// stream header, primitives whose framing depends on the stream version, and object frames
// that carry their class name and class version. Any framing the reader does not understand,
// and any length that reaches beyond the data, puts the reader into the failed state; from then
// on every read yields nothing.
//
// The bytes lie in memory as a whole, or come from a source piece by piece, so that a large file
// never has to be held whole beside the records made of it.
class TObjectReader {
public:
    // Where the bytes of a stream come from when they do not lie in memory.
    class TSource {
    public:
        virtual ~TSource() = default;
        virtual std::uint64_t Size() const = 0;
        // Reads up to count bytes from offset into buffer and says how many it read; fewer only
        // at the end or on a failure, which the source itself keeps to tell.
        virtual std::size_t ReadAt(std::uint64_t offset, char* buffer, std::size_t count) = 0;
    };

    explicit TObjectReader(std::string_view bytes);
    explicit TObjectReader(TSource& source);

    std::uint32_t StreamVersion() const { return Version; }
    bool Good() const { return !Failed; }
    void Fail() { Failed = true; }

    std::uint8_t ReadByte();
    std::uint32_t ReadWord32();
    // Four raw bytes, a signed little-endian integer.
    std::int32_t ReadInt32();
    // Eight raw bytes, an IEEE 754 double.
    double ReadDouble();
    // A C string; nothing for a null string.
    std::optional<std::string> ReadCString();
    // The same without a copy: the view holds until the next read.
    std::optional<std::string_view> ReadCStringView();

    // Reads an object pointer that must name an object of the named class, and lets readFields
    // (called as readFields(reader, classVersion)) read the object's fields. A null pointer, an
    // object of another (or an unknown) class and a broken frame fail the reader. A reference
    // to an earlier object of the class reads that object's fields again, so the caller gets a
    // copy of its own.
    template <typename ReadFields>
    void ReadObject(std::string_view className, ReadFields&& readFields);

private:
    // Streams up to this version count string lengths in one byte.
    static constexpr std::uint32_t LastShortStringVersion = 0x0100;
    static constexpr std::uint8_t NullTag = 0x00;
    static constexpr std::uint8_t ReferenceTag = 0x01;
    static constexpr std::uint8_t ObjectTag = 0x02;
    static constexpr char FrameBegin = '[';
    static constexpr char FrameEnd = ']';

    template <typename T>
    static T LittleEndian(const char* bytes) {
        T value = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i)
            value |= static_cast<T>(static_cast<unsigned char>(bytes[i])) << (8 * i);
        return value;
    }
    // The first bytes: a stream version, or none.
    void ReadStreamHeader();
    // The next count bytes; false when there are not that many.
    bool Take(std::size_t count, const char*& bytes);
    // The same when they do not lie in the window at hand (or the reader has failed).
    bool TakeAfterRefill(std::size_t count, const char*& bytes);
    std::uint32_t ReadObjectIndex();
    // Reads the start of an object frame up to its fields: the class version; nothing on
    // failure, a frame of another class among them.
    std::optional<std::uint32_t> ReadFrameStart(std::string_view className);
    void ReadFrameEnd();

    TSource* Source = nullptr;
    std::uint64_t StreamSize;
    // The bytes at hand: all of them, or the piece of the source read last.
    std::string_view Window;
    std::uint64_t WindowStart = 0;
    std::string Piece;
    std::uint64_t Position = 0;
    std::uint32_t Version = 0;
    bool Failed = false;
    // Where the frame of each object read so far begins, numbered from 1 in the order the
    // frames began: a reference reads the frame again, class name and version included. A deque,
    // as a large file holds millions of objects.
    std::deque<std::uint64_t> FrameOffsets;
    // The numbers of the frames begun and not yet ended, which no reference may name: an
    // object cannot contain itself.
    std::vector<std::size_t> OpenFrames;
    // While the fields of an earlier object are read again, frames are not numbered anew.
    int RereadDepth = 0;
};

// Every primitive comes through here, so the usual case is kept short.
inline bool TObjectReader::Take(std::size_t count, const char*& bytes) {
    // Before the window, the offset wraps around to a large number.
    const std::uint64_t offset = Position - WindowStart;
    if (Failed || offset > Window.size() || count > Window.size() - offset)
        return TakeAfterRefill(count, bytes);
    bytes = Window.data() + offset;
    Position += count;
    return true;
}

inline std::uint8_t TObjectReader::ReadByte() {
    const char* bytes = nullptr;
    return Take(1, bytes) ? static_cast<std::uint8_t>(*bytes) : 0;
}

inline std::uint32_t TObjectReader::ReadWord32() {
    const char* bytes = nullptr;
    return Take(4, bytes) ? LittleEndian<std::uint32_t>(bytes) : 0;
}

inline std::optional<std::string_view> TObjectReader::ReadCStringView() {
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
    return std::string_view(bytes, length);
}

inline void TObjectReader::ReadFrameEnd() {
    if (ReadByte() != FrameEnd)
        Fail();
}

template <typename ReadFields>
void TObjectReader::ReadObject(std::string_view className, ReadFields&& readFields) {
    switch (Failed ? NullTag : ReadByte()) {
    case ObjectTag: {
        const std::uint64_t frame = Position;
        const std::optional<std::uint32_t> classVersion = ReadFrameStart(className);
        if (!classVersion)
            return;
        if (RereadDepth == 0) {
            FrameOffsets.push_back(frame);
            OpenFrames.push_back(FrameOffsets.size());
        }
        readFields(*this, *classVersion);
        ReadFrameEnd();
        if (RereadDepth == 0)
            OpenFrames.pop_back();
        return;
    }
    case ReferenceTag: {
        const std::uint32_t index = ReadObjectIndex();
        // Only a finished object can stand in for a new one (a failed one failed the reader),
        // and only one of the expected class, which reading its frame again makes sure of.
        if (!Good() || index == 0 || index > FrameOffsets.size() ||
            std::find(OpenFrames.begin(), OpenFrames.end(), index) != OpenFrames.end()) {
            Fail();
            return;
        }
        const std::uint64_t resume = Position;
        Position = FrameOffsets[index - 1];
        ++RereadDepth;
        if (const std::optional<std::uint32_t> classVersion = ReadFrameStart(className)) {
            readFields(*this, *classVersion);
            ReadFrameEnd();
        }
        --RereadDepth;
        Position = resume;
        return;
    }
    default:
        Fail();
    }
}
