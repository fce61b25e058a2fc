#pragma once

#include <string_view>

// Where a log's lines go: the message dialog of the program, the error output of the tool.
class ConverterLogWindow {
public:
    virtual ~ConverterLogWindow() = default;
    virtual void AppendLine(std::string_view line) = 0;
    // Lets the user read the finished log; returns when the window is closed.
    virtual void WaitForClose() = 0;
};
