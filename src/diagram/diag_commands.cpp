#include "diagram/diag_commands.h"

#include <algorithm>

namespace {

constexpr TDiagCommand Commands[] = {
    {DmCompare, "&Vergleichen...\tStrg+V", "&Vergleich abbrechen\tStrg+V", "Ctrl+V", 3051, false},
    {DmOverlay, "Untere Kurven oben ein&blenden\tLeertaste",
     "Untere Kurven oben aus&blenden\tLeertaste", nullptr, 3058, false},
    {DmZeroAxis, "Null-Achse &fixieren\tStrg+F", nullptr, "Ctrl+F", 3054, false},
    {DmConfigure, "&Konfigurieren...\tStrg+K", nullptr, "Ctrl+K", 3301, true},
    {DmCopy, "K&opieren\tStrg+C", nullptr, "Ctrl+C", 3057, false},
    {DmPrint, "&Drucken...\tStrg+P", nullptr, "Ctrl+P", 3052, false},
    {DmSave, "&Speichern...\tStrg+S", nullptr, "Ctrl+S", 3056, false},
    {DmExport, "&Exportieren...\tStrg+E", nullptr, "Ctrl+E", 3059, true},
    {DmToMap, "&Zur Karte\tStrg+Tab", nullptr, "Ctrl+Tab", 3053, false},
    {DmLastSelection, "Z&ur letzten Auswahl...\tStrg+L", nullptr, "Ctrl+L", 3013, false},
    {DmCloseAll, "A&lle Diagramme schließen\tStrg+Q", nullptr, "Ctrl+Q", 3014, false},
    {DmArrange, "Fenster neu &anordnen\tStrg+N", nullptr, "Ctrl+N", 3055, false},
};

} // namespace

std::span<const TDiagCommand> DiagCommandTable() {
    return Commands;
}

const TDiagCommand* FindDiagCommand(int id) {
    const auto found = std::find_if(std::begin(Commands), std::end(Commands),
                                    [id](const TDiagCommand& command) { return command.Id == id; });
    return found == std::end(Commands) ? nullptr : found;
}

bool DiagCommandEnabled(TDiagCommandId id, const TDiagCommandState& state) {
    switch (id) {
    case DmCompare:
        return state.DiagramWindows > 1;
    case DmOverlay:
        return state.Comparing;
    case DmLastSelection:
        return state.LastSelection;
    default:
        return true;
    }
}

const char* DiagCommandText(const TDiagCommand& command, const TDiagCommandState& state) {
    const bool active = (command.Id == DmCompare && state.Comparing) ||
                        (command.Id == DmOverlay && state.OverlayShown);
    return active ? command.ActiveText : command.Text;
}
