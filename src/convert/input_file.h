#pragma once

#include "convert/converter_log.h"
#include "model/diagram_data.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A file that an import filter reads piece by piece, so that no file, however large, needs more
// memory than a piece. Only regular files are read, and nothing waits for the writer of a pipe.
class TInputFile {
public:
    explicit TInputFile(const std::string& fileName);
    ~TInputFile();
    TInputFile(const TInputFile&) = delete;
    TInputFile& operator=(const TInputFile&) = delete;

    // Whether the file exists but could not be opened or read to its end. A file that does not
    // exist is no failure: there is just nothing to read.
    bool Failed() const { return !FailureText.empty(); }
    // Why: "Datei kann nicht gelesen werden: NAME: REASON", in Windows-1252.
    const std::string& Failure() const { return FailureText; }
    // That text for a system error number (errno), such as ENOMEM when memory ran out.
    static std::string Failure(const std::string& fileName, int error);

    // The size the file had when it was opened.
    std::uint64_t Size() const { return FileSize; }
    // `size` bytes, fewer only at the end of the file; 0 when missing and after a failure.
    std::size_t Read(char* buffer, std::size_t size);
    // Reads from the first byte again.
    void Rewind();

    // Opens the file and lets `read` collect its stations. When the file exists but cannot be
    // read to its end, or memory runs out, the log says so with the file name and the reason;
    // the stations read until then are kept, as the log has counted them.
    static std::vector<TDiagramData> ImportStations(
        const std::string& fileName, ConverterLog& log,
        const std::function<void(TInputFile& file, std::vector<TDiagramData>& records)>& read);

private:
    void Fail(const std::string& reason);

    std::string FileName;
    int Descriptor = -1;
    bool NotThere = false;
    std::uint64_t FileSize = 0;
    std::string FailureText;
};
