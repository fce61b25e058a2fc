// pelvanor-tool: batch access to the station database and its filters from the command line.

#include <cstdio>
#include <string_view>

namespace {

constexpr int ExitSuccess = 0;
constexpr int ExitUsage = 2;

constexpr std::string_view HelpText =
    "Aufruf: pelvanor-tool BEFEHL [ARGUMENTE]\n"
    "\n"
    "Werkzeug zu Pelvanor, dem Programm f\u00fcr Klimadiagramme von Wetterstationen.\n"
    "\n"
    "Befehle:\n"
    "  help, --help       zeigt diese Hilfe\n"
    "  version, --version zeigt die Version\n";

void Print(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "help" || command == "--help" || command == "-h") {
        Print(stdout, HelpText);
        return ExitSuccess;
    }
    if (command == "version" || command == "--version") {
        Print(stdout, "pelvanor-tool " PELVANOR_VERSION "\n");
        return ExitSuccess;
    }
    if (command.empty())
        Print(stderr, "pelvanor-tool: Befehl fehlt\n");
    else
        std::fprintf(stderr, "pelvanor-tool: unbekannter Befehl \"%s\"\n", argv[1]);
    Print(stderr, HelpText);
    return ExitUsage;
}
