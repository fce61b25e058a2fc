#include "convert/file_names.h"

#include "model/windows1252.h"

#include <algorithm>

namespace FileNames {
namespace {

std::string_view LastElement(std::string_view fileName) {
    const auto slash = fileName.find_last_of('/');
    return slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string Extension(std::string_view fileName) {
    const std::string_view element = LastElement(fileName);
    const auto dot = element.find_last_of('.');
    return std::string(dot == std::string_view::npos ? std::string_view() : element.substr(dot));
}

std::string BaseName(std::string_view fileName) {
    const std::string_view element = LastElement(fileName);
    return std::string(element.substr(0, element.find_last_of('.')));
}

std::string Shown(std::string_view fileName) {
    const std::string name(LastElement(fileName));
    return Windows1252::FromUtf8(name).value_or(name);
}

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return Lower(x) == Lower(y); });
}

} // namespace FileNames
