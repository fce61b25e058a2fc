// pelvanor-tool: batch access to the station database and its filters from the command line.

#include "database/database_mgr.h"
#include "model/windows1252.h"
#include "tool/commands.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>

namespace {

constexpr std::string_view HelpText =
    "Aufruf: pelvanor-tool BEFEHL [ARGUMENTE]\n"
    "\n"
    "Werkzeug zu Pelvanor, dem Programm für Klimadiagramme von Wetterstationen.\n"
    "Namen und Suchmuster werden in UTF-8 angegeben; alle Ausgaben sind UTF-8.\n"
    "\n"
    "Befehle:\n"
    "  list DB [--koeppen]     listet alle Stationen der Datenbank DB mit ihrer Lage\n"
    "                          (mit --koeppen auch ihre Klimazone nach Köppen-Geiger)\n"
    "  info DB                 zeigt Signatur, Version und Anzahl der Datensätze von DB\n"
    "  find DB MUSTER [--exact]\n"
    "                          listet die Stationen, deren Name das Suchmuster enthält\n"
    "                          (mit --exact: genau so heißt)\n"
    "  convert QUELLE ZIEL [--filter BESCHREIBUNG]\n"
    "                          importiert QUELLE und exportiert die Stationen nach ZIEL\n"
    "                          (Filter nach der Endung von ZIEL oder nach BESCHREIBUNG)\n"
    "  merge DB QUELLE... [--similar ignore|replace|add] [--skip-wmo NUMMERN]\n"
    "                          importiert die Quellen, führt ihre Stationen mit DB zusammen\n"
    "                          und speichert DB; ähnliche Stationen werden ignoriert (ignore),\n"
    "                          ersetzt (replace) oder hinzugefügt (add); --skip-wmo lässt die\n"
    "                          Stationen der WMO-Klimanormalwerte mit diesen WMO-Nummern aus\n"
    "                          (durch Kommas getrennt)\n"
    "  render DB NAME AUSGABE [OPTIONEN]\n"
    "                          zeichnet das Klimadiagramm der Station NAME als .emf, .svg\n"
    "                          oder .pdf in Originalgröße oder als .png in --width x --height\n"
    "                          Bildpunkten (Vorgabe 800 x 600). Optionen wie im Programm:\n"
    "                          --compare NAME2 [--overlay], --color, --small, --thick,\n"
    "                          --ratio12, --no-axes, --no-grid, --no-frame, --no-marking,\n"
    "                          --no-temperature, --no-precipitation, --no-place, --no-july,\n"
    "                          --zero-fixed, --koeppen (Klimazone unter der Tabelle),\n"
    "                          --table complete|monthly|novalues|none,\n"
    "                          --scale auto|5|10\n"
    "  map DB AUSGABE.png [--europa] [--zonen] [--width N]\n"
    "                          zeichnet die Weltkarte (mit --europa die Europakarte) mit allen\n"
    "                          Stationen von DB, mit --zonen in den Farben ihrer Klimazonen\n"
    "                          nach Köppen-Geiger und mit Legende, in der Größe der Karte oder\n"
    "                          N Bildpunkte breit\n"
    "  help, --help            zeigt diese Hilfe\n"
    "  version, --version      zeigt die Version\n"
    "\n"
    "Rückgabewerte: 0 Erfolg, 1 Fehlschlag, 2 falscher Aufruf.\n";

void PrintRaw(std::FILE* stream, std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stream);
}

struct TCommand {
    std::function<int(const Tool::TArguments&)> Run;
    std::set<std::string> Switches;
    std::set<std::string> Options;
};

const std::map<std::string, TCommand, std::less<>> Commands = {
    {"list", {Tool::List, {"--koeppen"}, {}}},
    {"info", {Tool::Info, {}, {}}},
    {"find", {Tool::Find, {"--exact"}, {}}},
    {"convert", {Tool::Convert, {}, {"--filter"}}},
    {"merge", {Tool::Merge, {}, {"--similar", "--skip-wmo"}}},
    {"render",
     {Tool::Render,
      {"--overlay", "--color", "--small", "--thick", "--ratio12", "--no-axes", "--no-grid",
       "--no-frame", "--no-marking", "--no-temperature", "--no-precipitation", "--no-place",
       "--no-july", "--zero-fixed", "--koeppen"},
      {"--compare", "--table", "--scale", "--width", "--height"}}},
    {"map", {Tool::Map, {"--europa", "--zonen"}, {"--width"}}},
};

int Run(std::string_view name, const std::vector<std::string>& words) {
    if (name == "help" || name == "--help" || name == "-h") {
        PrintRaw(stdout, HelpText);
        return Tool::ExitSuccess;
    }
    if (name == "version" || name == "--version") {
        PrintRaw(stdout, "pelvanor-tool " PELVANOR_VERSION "\n");
        return Tool::ExitSuccess;
    }
    const auto command = Commands.find(name);
    if (command == Commands.end())
        throw Tool::TUsageError(name.empty() ? "Befehl fehlt (Hilfe: pelvanor-tool --help)"
                                             : "unbekannter Befehl \"" + std::string(name) +
                                                   "\" (Hilfe: pelvanor-tool --help)");
    const Tool::TArguments arguments(words, command->second.Switches, command->second.Options);
    return command->second.Run(arguments);
}

} // namespace

int main(int argc, char* argv[]) {
    const std::string_view name = argc > 1 ? argv[1] : "";
    const std::vector<std::string> words(argv + std::min(argc, 2), argv + argc);
    try {
        return Run(name, words);
    } catch (const Tool::TUsageError& error) {
        PrintRaw(stderr, std::string("pelvanor-tool: ") + error.what() + "\n");
        return Tool::ExitUsage;
    } catch (const Tool::TFailure& error) {
        PrintRaw(stderr, std::string("pelvanor-tool: ") + error.what() + "\n");
        return Tool::ExitFailure;
    } catch (const TDatabaseMgr::TXBase& error) {
        Tool::PrintErrorLine(error.what());
        return Tool::ExitFailure;
    } catch (const TDiagramData::TXBase& error) {
        Tool::PrintErrorLine(error.what());
        return Tool::ExitFailure;
    }
}
