#pragma once

#include <string_view>

// What a filter reports during one run: every record taken over unchanged (Accepted), taken over
// after a change (Warning) or dropped (Error), and plain lines.
class ConverterLog {
public:
    virtual ~ConverterLog() = default;
    virtual void Message(std::string_view text) = 0;
    virtual void Accepted() = 0;
    virtual void Warning(std::string_view text) = 0;
    virtual void Error(std::string_view text) = 0;
    virtual bool AnyAccepted() const = 0;
};
