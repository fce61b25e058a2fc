#include "app/commands.h"

#include <algorithm>

namespace {

using enum TCommandArea;

constexpr TCommand Commands[] = {
    {CmExit, "&Beenden\tAlt+X", "Alt+X", "Beendet Pelvanor", 3001, Frame},
    {CmToggleMap, "Karte &wechseln\tStrg+W", "Ctrl+W",
     "Wechselt von der Weltkarte zur Europakarte und umgekehrt", 3002, Map},
    {CmAllStations, "&Alle Stationen zeigen\tStrg+A", "Ctrl+A",
     "Zeigt alle Stationen auf der Karte an", 3007, Map},
    {CmZoneLegend, "&Klimazonen...", nullptr,
     "Zeigt die Klimazonen der Stationen mit ihren Farben und wählt Stationen nach Zonen aus", 3019,
     Map},
    {CmChoose, "Diagramm aus&wählen...", nullptr, "Wählt Diagramme aus einer Liste aus", 3003,
     Selection},
    {CmSearch, "Diagramm &suchen...\tStrg+S", "Ctrl+S",
     "Sucht Diagramme über ein eingegebenes Suchmuster", 3004, Selection},
    {CmCreate, "Diagramm &erstellen...\tStrg+E", "Ctrl+E", "Erstellt ein neues Diagramm", 3005,
     Editing},
    {CmChange, "Diagramm ä&ndern...\tStrg+D", "Ctrl+D", "Ändert ein vorhandenes Diagramm", 3018,
     Editing},
    {CmDelete, "Diagramm &löschen...", nullptr, "Löscht Diagramme aus der Datenbank", 3006,
     Editing},
    {CmConfigure, "&Konfigurieren...\tStrg+K", "Ctrl+K", "Konfiguriert die Diagramm-Darstellung",
     3008, Windows},
    {CmReload, "Datenbank &neu laden", nullptr,
     "Lädt die Datenbank neu und verwirft alle Änderungen", 3009, Database},
    {CmSave, "Datenbank &sichern", nullptr, "Speichert alle Datenbankänderungen dauerhaft", 0,
     Database},
    {CmExport, "Datenbank &exportieren...", nullptr, "Exportiert die Datenbank oder Teile daraus",
     3017, Database},
    {CmImport, "Datenbank &importieren...", nullptr, "Importiert Diagramme in die Datenbank", 3011,
     Database},
    {CmMergeFile, "Datenbank &zusammenführen...", nullptr,
     "Führt eine andere Pelvanor-Datenbank mit dieser zusammen", 3011, Database},
    {CmToDiagram, "&Zum Diagramm\tStrg+Tab", "Ctrl+Tab", "Wechselt zur Diagrammdarstellung", 3012,
     Windows},
    {CmLastSelection, "Z&ur letzten Auswahl...\tStrg+L", "Ctrl+L",
     "Zeigt die letzte Auswahlliste an", 3013, Windows},
    {CmCloseAll, "A&lle Diagramme schließen\tStrg+Q", "Ctrl+Q", "Schließt alle Diagrammfenster",
     3014, Windows},
    {CmHelpTopics, "&Hilfethemen\tF1", "F1", "Zeigt Hilfethemen an", 3015, Help},
    {CmInfo, "&Info...", nullptr, "Zeigt Programminformationen an", 3016, Help},
};

} // namespace

std::span<const TCommand> CommandTable() {
    return Commands;
}

const TCommand* FindCommand(int id) {
    const auto found = std::find_if(std::begin(Commands), std::end(Commands),
                                    [id](const TCommand& command) { return command.Id == id; });
    return found == std::end(Commands) ? nullptr : found;
}

bool CommandEnabled(TCommandId id, const TCommandState& state) {
    switch (id) {
    case CmAllStations:
    case CmZoneLegend:
    case CmChoose:
    case CmSearch:
    case CmDelete:
        return state.Stations;
    case CmReload:
    case CmImport:
    case CmMergeFile:
        return !state.DiagramWindows && !state.AllStations;
    case CmSave:
        return state.Modified;
    case CmToDiagram:
    case CmCloseAll:
        return state.DiagramWindows;
    case CmLastSelection:
        return state.LastSelection;
    default:
        return true;
    }
}
