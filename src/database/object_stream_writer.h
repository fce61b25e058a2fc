#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Writes a persistent object stream of version 0x0101 into memory, framed exactly as the
// earlier generations of the program read it. Every object is written in full; the writer never
// refers back to an earlier object.
class TObjectWriter {
public:
    static constexpr std::uint32_t StreamVersion = 0x0101;

    TObjectWriter();

    void WriteWord32(std::uint32_t value);
    // Four raw bytes, a signed little-endian integer.
    void WriteInt32(std::int32_t value);
    void WriteCString(std::string_view text);

    // An object frame: tag, "[", class name and class version; then the caller writes the
    // object's fields and ends the frame.
    void BeginObject(std::string_view className, std::uint32_t classVersion);
    void EndObject();

    // Room for this many bytes, so that a large stream is not copied as it grows.
    void Reserve(std::size_t bytes) { Buffer.reserve(bytes); }
    const std::string& Bytes() const { return Buffer; }

private:
    std::string Buffer;
};
