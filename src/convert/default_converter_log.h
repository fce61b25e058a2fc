#pragma once

#include "convert/converter_log.h"
#include "convert/converter_log_window.h"

#include <cstdint>
#include <memory>
#include <string>

// The log of one export or import run: writes every report as a line, counts the records by
// outcome and ends with a summary.
class DefaultConverterLog : public ConverterLog {
public:
    // Writes the first line: the run name ("Export" or "Import") and " gestartet.".
    DefaultConverterLog(std::unique_ptr<ConverterLogWindow> window, std::string runName);

    void Message(std::string_view text) override;
    void Accepted() override;
    void Warning(std::string_view text) override;
    void Error(std::string_view text) override;
    bool AnyAccepted() const override;

    // Writes the summary and waits until the user closes the window.
    void Finish();

    std::int32_t AcceptedCount() const { return AcceptedUnchanged; }
    std::int32_t AcceptedAfterChangesCount() const { return AcceptedAfterChanges; }
    std::int32_t NotAcceptedCount() const { return NotAccepted; }

private:
    std::string RunName;
    std::unique_ptr<ConverterLogWindow> Window;
    std::int32_t AcceptedUnchanged = 0;
    std::int32_t AcceptedAfterChanges = 0;
    std::int32_t NotAccepted = 0;
};
