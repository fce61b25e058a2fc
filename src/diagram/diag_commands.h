#pragma once

#include <span>

// The commands of a diagram window, as its popup menu, its keys and the help know them. Three
// of them are the main frame's own commands under the frame's ids.
enum TDiagCommandId : int {
    DmCompare = 1201,
    DmPrint = 1202,
    DmToMap = 1203,
    DmZeroAxis = 1204,
    DmArrange = 1205,
    DmSave = 1206,
    DmExport = 1207,
    DmOverlay = 1208,
    DmConfigure = 1027,
    DmLastSelection = 1042,
    DmCloseAll = 1043,
    DmCopy = 24323,
};

struct TDiagCommand {
    TDiagCommandId Id;
    // The menu text, and the one it changes to while comparing or while the overlay is shown.
    const char* Text;
    const char* ActiveText;
    // The space bar is read as a character by the view itself.
    const char* Shortcut;
    int HelpTopic;
    bool SeparatorAfter;
};

// The popup menu's items in menu order.
std::span<const TDiagCommand> DiagCommandTable();
const TDiagCommand* FindDiagCommand(int id);

// What the texts and enabling of the items depend on.
struct TDiagCommandState {
    bool Comparing = false;
    bool OverlayShown = false;
    int DiagramWindows = 1;
    bool LastSelection = false;
};
bool DiagCommandEnabled(TDiagCommandId id, const TDiagCommandState& state);
const char* DiagCommandText(const TDiagCommand& command, const TDiagCommandState& state);
