#pragma once

#include <QString>
#include <span>

class QStatusBar;
class TDatabaseMgr;
class TMyClient;
class TMyFrame;
class TTvxConfig;
class TUserInterface;

// The ids of the frame's commands, as its menus, the help and the tests know them.
enum TCommandId : int {
    CmExit = 24310,
    CmToggleMap = 1011,
    CmZoneLegend = 1012,
    CmChoose = 1021,
    CmSearch = 1022,
    CmCreate = 1023,
    CmChange = 1024,
    CmDelete = 1025,
    CmAllStations = 1026,
    CmConfigure = 1027,
    CmReload = 1031,
    CmSave = 1032,
    CmExport = 1034,
    CmImport = 1035,
    CmMergeFile = 1036,
    CmToDiagram = 1041,
    CmLastSelection = 1042,
    CmCloseAll = 1043,
    CmHelpTopics = 1051,
    CmInfo = 1052,
};

// The areas that carry out the commands, each in a file of its own.
enum class TCommandArea { Frame, Map, Selection, Editing, Database, Windows, Help };

struct TCommand {
    TCommandId Id;
    const char* Text;
    const char* Shortcut;
    const char* Hint;
    int HelpTopic;
    TCommandArea Area;
};

// Every command of the main menu in menu order.
std::span<const TCommand> CommandTable();
const TCommand* FindCommand(int id);

// What the enabling of the commands depends on.
struct TCommandState {
    bool Stations = false;
    bool DiagramWindows = false;
    bool AllStations = false;
    bool Modified = false;
    bool LastSelection = false;
};
bool CommandEnabled(TCommandId id, const TCommandState& state);

// What the commands of every area work on.
struct TCommandContext {
    TMyFrame& Frame;
    TMyClient& Client;
    TDatabaseMgr& Database;
    TTvxConfig& Settings;
    TUserInterface& Ui;
    QStatusBar& Status;
    // Offered again by every search of the run.
    QString LastSearchText;
};

// The commands of one area.
class TCommandHandler {
public:
    explicit TCommandHandler(TCommandContext& context) : Context(context) {}
    virtual ~TCommandHandler() = default;
    virtual void Run(TCommandId id) = 0;

protected:
    TCommandContext& Context;
};
