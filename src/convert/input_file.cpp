#include "convert/input_file.h"

#include "model/windows1252.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

using namespace Windows1252::Literals;

namespace {

// File names and the system's texts come in the locale's encoding, UTF-8 on every desktop;
// messages are Windows-1252.
std::string AsWindows1252(std::string_view utf8) {
    bool complete = true;
    return Windows1252::FromUtf8Replacing(utf8, complete);
}

std::string SystemReason(int error) {
    return AsWindows1252(std::generic_category().message(error));
}

std::string ReadFailureText(const std::string& fileName, const std::string& reason) {
    return "Datei kann nicht gelesen werden: " + AsWindows1252(fileName) + ": " + reason;
}

} // namespace

TInputFile::TInputFile(const std::string& fileName) : FileName(fileName) {
    // Opened without waiting, so that a pipe with no writer cannot hold the program.
    Descriptor = ::open(fileName.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (Descriptor < 0) {
        NotThere = errno == ENOENT;
        if (!NotThere)
            Fail(SystemReason(errno));
        return;
    }
    struct stat info {};
    if (::fstat(Descriptor, &info) != 0)
        Fail(SystemReason(errno));
    else if (S_ISDIR(info.st_mode))
        Fail(SystemReason(EISDIR));
    else if (!S_ISREG(info.st_mode))
        Fail("keine reguläre Datei"_cp1252);
    else
        FileSize = static_cast<std::uint64_t>(info.st_size);
}

TInputFile::~TInputFile() {
    if (Descriptor >= 0)
        ::close(Descriptor);
}

std::string TInputFile::Failure(const std::string& fileName, int error) {
    return ReadFailureText(fileName, SystemReason(error));
}

std::size_t TInputFile::Read(char* buffer, std::size_t size) {
    std::size_t total = 0;
    while (total < size && !NotThere && !Failed()) {
        const ssize_t count = ::read(Descriptor, buffer + total, size - total);
        if (count == 0)
            break;
        if (count > 0)
            total += static_cast<std::size_t>(count);
        else if (errno != EINTR)
            Fail(SystemReason(errno));
    }
    return Failed() ? 0 : total;
}

void TInputFile::Rewind() {
    if (!NotThere && !Failed() && ::lseek(Descriptor, 0, SEEK_SET) != 0)
        Fail(SystemReason(errno));
}

void TInputFile::Fail(const std::string& reason) {
    FailureText = ReadFailureText(FileName, reason);
}

std::vector<TDiagramData> TInputFile::ImportStations(
    const std::string& fileName, ConverterLog& log,
    const std::function<void(TInputFile& file, std::vector<TDiagramData>& records)>& read) {
    std::vector<TDiagramData> records;
    try {
        TInputFile file(fileName);
        read(file, records);
        if (file.Failed())
            log.Error(file.Failure());
    } catch (const std::bad_alloc&) {
        log.Error(Failure(fileName, ENOMEM));
    }
    return records;
}
