#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

// The one place where the core's Windows-1252 texts meet Qt's strings.
QString ToQString(std::string_view windows1252);
// Nothing when the text holds a character Windows-1252 cannot store.
std::optional<std::string> ToWindows1252(const QString& text);
