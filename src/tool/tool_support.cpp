#include "tool/tool_support.h"

#include "database/safe_file.h"
#include "model/windows1252.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace Tool {
namespace {

void Write(std::FILE* stream, std::string_view windows1252) {
    const std::string line = Windows1252::ToUtf8(windows1252) + '\n';
    std::fwrite(line.data(), 1, line.size(), stream);
}

} // namespace

void PrintLine(std::string_view windows1252) {
    Write(stdout, windows1252);
}

void PrintErrorLine(std::string_view windows1252) {
    std::fflush(stdout);
    Write(stderr, windows1252);
}

void ExpectFile(const std::string& fileName) {
    struct stat info {};
    if (::stat(fileName.c_str(), &info) != 0) {
        // Only a name that leads nowhere is missing; a name too long, a folder without access
        // and the like say what stands in the way.
        if (errno == ENOENT)
            throw TFailure("Datei \"" + fileName + "\" nicht gefunden");
        throw TFailure("Datei \"" + fileName +
                       "\" kann nicht gelesen werden: " + std::strerror(errno));
    }
    if (!S_ISREG(info.st_mode))
        throw TFailure("\"" + fileName + "\" ist keine Datei");
}

std::string ToWindows1252(std::string_view utf8) {
    const std::optional<std::string> converted = Windows1252::FromUtf8(utf8);
    if (!converted)
        throw TUsageError("\"" + std::string(utf8) +
                          "\" enthält Zeichen, die Pelvanor nicht speichern kann");
    return *converted;
}

void WritePicture(const std::string& fileName, std::string_view bytes) {
    const SafeFile::TWriteResult written =
        bytes.empty() ? SafeFile::TWriteResult{EIO} : SafeFile::Replace(fileName, bytes);
    if (!written)
        throw TFailure("Datei \"" + fileName + "\" kann nicht geschrieben werden: " +
                       Windows1252::ToUtf8(SafeFile::Reason(written.Error)));
}

TArguments::TArguments(const std::vector<std::string>& words, const std::set<std::string>& switches,
                       const std::set<std::string>& options) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (!word.starts_with("--")) {
            PositionalWords.push_back(word);
            continue;
        }
        const auto equals = word.find('=');
        const std::string name = word.substr(0, equals);
        if (switches.contains(name) && equals == std::string::npos) {
            Switches.insert(name);
        } else if (options.contains(name)) {
            if (equals != std::string::npos)
                Options[name] = word.substr(equals + 1);
            else if (i + 1 < words.size())
                Options[name] = words[++i];
            else
                throw TUsageError("Option " + name + " erwartet einen Wert");
        } else {
            throw TUsageError("unbekannte Option " + word);
        }
    }
}

void TArguments::ExpectPositional(std::size_t count) const {
    if (PositionalWords.size() != count)
        throw TUsageError("falsche Anzahl von Argumenten (Hilfe: pelvanor-tool --help)");
}

void TArguments::ExpectAtLeastPositional(std::size_t count) const {
    if (PositionalWords.size() < count)
        throw TUsageError("falsche Anzahl von Argumenten (Hilfe: pelvanor-tool --help)");
}

std::optional<std::string> TArguments::Option(const std::string& name) const {
    const auto found = Options.find(name);
    return found == Options.end() ? std::nullopt : std::optional(found->second);
}

int TArguments::Pixels(const std::string& name, int fallback, int largest) const {
    const std::optional<std::string> text = Option(name);
    if (!text)
        return fallback;
    int value = 0;
    const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), value);
    if (error != std::errc() || end != text->data() + text->size() || value < 1 || value > largest)
        throw TUsageError(name + " erwartet eine Pixelzahl von 1 bis " + std::to_string(largest));
    return value;
}

} // namespace Tool
