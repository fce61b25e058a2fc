#include "database/object_stream_writer.h"

TObjectWriter::TObjectWriter() {
    Buffer += ':';
    WriteWord32(StreamVersion);
}

void TObjectWriter::WriteWord32(std::uint32_t value) {
    const char bytes[] = {static_cast<char>(value & 0xFFu), static_cast<char>((value >> 8) & 0xFFu),
                          static_cast<char>((value >> 16) & 0xFFu),
                          static_cast<char>((value >> 24) & 0xFFu)};
    Buffer.append(bytes, sizeof bytes);
}

void TObjectWriter::WriteInt32(std::int32_t value) {
    WriteWord32(static_cast<std::uint32_t>(value));
}

void TObjectWriter::WriteCString(std::string_view text) {
    WriteWord32(static_cast<std::uint32_t>(text.size()));
    Buffer += text;
}

void TObjectWriter::BeginObject(std::string_view className, std::uint32_t classVersion) {
    Buffer += '\x02';
    Buffer += '[';
    WriteCString(className);
    WriteWord32(classVersion);
}

void TObjectWriter::EndObject() {
    Buffer += ']';
}
