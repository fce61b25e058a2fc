#include "app/command_areas.h"
#include "app/diagram_windows.h"
#include "app/my_client.h"
#include "app/my_frame.h"
#include "app/user_interface.h"
#include "app/wait_cursor.h"
#include "database/database_mgr.h"
#include "render/qt_text.h"

#include <QStatusBar>

void TDatabaseCommands::Run(TCommandId id) {
    if (id == CmReload)
        Reload();
    else if (id == CmSave)
        Save();
}

void TDatabaseCommands::Reload() {
    if (Context.Ui.Ask(&Context.Frame,
                       QStringLiteral("Sollen alle Änderungen verworfen werden?")) !=
        TUserInterface::TAnswer::Yes)
        return;
    TDiagramWindows& windows = Context.Client.Windows();
    try {
        const TWaitCursor wait;
        windows.BeforeDatabaseChange();
        Context.Database.Load(false, false);
        windows.AfterDatabaseChange();
    } catch (const TDatabaseMgr::TXBase& error) {
        windows.AfterDatabaseChange();
        Context.Ui.Error(&Context.Frame, ToQString(error.what()));
    }
    Context.Client.update();
    Context.Status.showMessage(QStringLiteral("Änderungen verworfen"));
}

void TDatabaseCommands::Save() {
    try {
        Context.Database.Save();
    } catch (const TDatabaseMgr::TXBase& error) {
        Context.Ui.Error(&Context.Frame, ToQString(error.what()));
    }
}
