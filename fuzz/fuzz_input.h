#pragma once

// Hands fuzz input to readers that take a file name: one in-memory file for all runs, reached
// through its descriptor's path, and a log that forgets what it is told but stops the run when a
// line quotes more of the file than a few words.

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
    void Message(std::string_view text) override { Check(text); }
    void Accepted() override {}
    void Warning(std::string_view text) override { Check(text); }
    void Error(std::string_view text) override { Check(text); }
    bool AnyAccepted() const override { return false; }

private:
    // A name of at most 255 characters, a column and a quote of 60 fit easily.
    static void Check(std::string_view text) {
        if (text.size() > 1024)
            __builtin_trap();
    }
};
