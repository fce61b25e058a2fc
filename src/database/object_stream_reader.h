#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads a persistent object stream as the earlier generations of the program wrote it: a
// stream header, primitives whose framing depends on the stream version, and object frames
// that carry their class name and class version. Any framing the reader does not understand,
// and any length that reaches beyond the data, puts the reader into the failed state; from then
// on every read yields nothing.
class TObjectReader {
public:
    explicit TObjectReader(std::string_view bytes);

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
    // A string object; a null string reads as empty.
    std::string ReadString() { return ReadCString().value_or(std::string()); }

    // Reads an object pointer that must name an object of the named class, and lets readFields
    // (called as readFields(reader, classVersion)) read the object's fields. A null pointer, an
    // object of another (or an unknown) class and a broken frame fail the reader. A reference
    // to an earlier object of the class reads that object's fields again, so the caller gets a
    // copy of its own.
    template <typename ReadFields>
    void ReadObject(std::string_view className, ReadFields&& readFields);

private:
    static constexpr std::uint8_t NullTag = 0x00;
    static constexpr std::uint8_t ReferenceTag = 0x01;
    static constexpr std::uint8_t ObjectTag = 0x02;

    struct TObjectEntry {
        std::string_view ClassName;
        std::uint32_t ClassVersion;
        std::size_t FieldsOffset;
        bool Complete;
    };

    bool Take(std::size_t count, const char*& bytes);
    std::uint32_t ReadObjectIndex();
    // Reads the start of an object frame up to its fields; nothing on failure.
    std::optional<TObjectEntry> ReadFrameStart(std::string_view className);
    void ReadFrameEnd();

    std::string_view Bytes;
    std::size_t Position = 0;
    std::uint32_t Version = 0;
    bool Failed = false;
    // Objects read so far, numbered from 1 in the order their frames began.
    std::vector<TObjectEntry> Objects;
    // While the fields of an earlier object are read again, frames are not numbered anew.
    int RereadDepth = 0;
};

template <typename ReadFields>
void TObjectReader::ReadObject(std::string_view className, ReadFields&& readFields) {
    switch (Failed ? NullTag : ReadByte()) {
    case ObjectTag: {
        const auto entry = ReadFrameStart(className);
        if (!entry)
            return;
        const std::size_t number = Objects.size();
        if (RereadDepth == 0)
            Objects.push_back(*entry);
        readFields(*this, entry->ClassVersion);
        ReadFrameEnd();
        if (RereadDepth == 0 && Good())
            Objects[number].Complete = true;
        return;
    }
    case ReferenceTag: {
        const std::uint32_t index = ReadObjectIndex();
        // Only a finished object of the expected class can stand in for a new one.
        if (!Good() || index == 0 || index > Objects.size() || !Objects[index - 1].Complete ||
            Objects[index - 1].ClassName != className) {
            Fail();
            return;
        }
        const TObjectEntry entry = Objects[index - 1];
        const std::size_t resume = Position;
        Position = entry.FieldsOffset;
        ++RereadDepth;
        readFields(*this, entry.ClassVersion);
        ReadFrameEnd();
        --RereadDepth;
        Position = resume;
        return;
    }
    default:
        Fail();
    }
}
