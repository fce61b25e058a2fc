#pragma once

#include <string>
#include <string_view>

// File names split as the filters have always seen them: the extension is everything from the
// last "." of the last path element on, dot included (".csv" alone is all extension), the base
// name what stands before it.
namespace FileNames {

std::string Extension(std::string_view fileName);
std::string BaseName(std::string_view fileName);
// The last part of a file name as a log line shows it: in Windows-1252 where it is UTF-8.
std::string Shown(std::string_view fileName);
// Equal when only the case of A to Z differs.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

} // namespace FileNames
