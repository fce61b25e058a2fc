#pragma once

#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// What the tool's commands share: their errors, their output and their arguments. Texts given
// to the output functions are Windows-1252, as in the core; they leave the tool as UTF-8.
namespace Tool {

// Wrong use of the tool: exit code 2. The message is UTF-8, like the command line.
struct TUsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The work failed: exit code 1. The message is UTF-8.
struct TFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

constexpr int ExitSuccess = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

void PrintLine(std::string_view windows1252);
void PrintErrorLine(std::string_view windows1252);

// A failure unless the name (UTF-8) is an existing file; asked before anything opens it, so that
// a folder is named as such and a pipe or a device never blocks the tool.
void ExpectFile(const std::string& fileName);

// A name or pattern of the command line in Windows-1252; a usage error when the code page
// cannot hold it.
std::string ToWindows1252(std::string_view utf8);

// Replaces the file with a picture once it is complete; an empty one could not be drawn.
void WritePicture(const std::string& fileName, std::string_view bytes);

// The words after the command: positional arguments, switches (--name) and options with a value
// (--name VALUE or --name=VALUE).
class TArguments {
public:
    TArguments(const std::vector<std::string>& words, const std::set<std::string>& switches,
               const std::set<std::string>& options);

    // A usage error unless there are exactly `count` positional arguments.
    void ExpectPositional(std::size_t count) const;
    // A usage error unless there are at least `count` positional arguments.
    void ExpectAtLeastPositional(std::size_t count) const;
    std::size_t PositionalCount() const { return PositionalWords.size(); }
    const std::string& Positional(std::size_t index) const { return PositionalWords.at(index); }
    bool Switch(const std::string& name) const { return Switches.contains(name); }
    std::optional<std::string> Option(const std::string& name) const;
    // The option's number of pixels, 1 to the largest; the fallback without the option.
    int Pixels(const std::string& name, int fallback, int largest = 20000) const;

private:
    std::vector<std::string> PositionalWords;
    std::set<std::string> Switches;
    std::map<std::string, std::string> Options;
};

} // namespace Tool
