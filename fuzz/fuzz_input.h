#pragma once

// Hands fuzz input to readers that take a file name: one in-memory file for all runs, reached
// through its descriptor's path, and a log that forgets what it is told.

#include "convert/converter_log.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

inline std::string FuzzInputFile(const std::uint8_t* data, std::size_t size) {
    static const int fd = memfd_create("pelvanor-fuzz", 0);
    if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
        return {};
    return "/proc/self/fd/" + std::to_string(fd);
}

class TFuzzLog : public ConverterLog {
public:
    void Message(std::string_view) override {}
    void Accepted() override {}
    void Warning(std::string_view) override {}
    void Error(std::string_view) override {}
    bool AnyAccepted() const override { return false; }
};
