#include "app/command_areas.h"
#include "app/diagram_windows.h"
#include "app/my_client.h"
#include "app/my_frame.h"
#include "app/user_interface.h"
#include "app/wait_cursor.h"
#include "database/database_mgr.h"
#include "dbui/list_dialog.h"

void TSelectionCommands::Run(TCommandId id) {
    if (id == CmChoose)
        Choose();
    else if (id == CmSearch)
        Search();
}

// Every station of the database in its order, any number to choose.
void TSelectionCommands::Choose() {
    TDbUISearch::TDbUIListDialog list(Context.Database, &Context.Frame, true);
    {
        const TWaitCursor wait;
        for (int index = 0; index < Context.Database.Count(); ++index)
            list.Add(index);
    }
    if (Context.Ui.Execute(list) == QDialog::Accepted)
        Context.Client.Windows().Open(list.Selection());
}

void TSelectionCommands::Search() {
    TDbUISearch search(Context.Database, &Context.Frame, Context.Ui, Context.LastSearchText, true,
                       false);
    std::vector<int> chosen;
    const auto result = search.Run(chosen);
    if (result == TDbUISearch::NotFound)
        Context.Ui.Info(&Context.Frame, QStringLiteral("Es konnte keine Station gefunden werden!"));
    else if (result == TDbUISearch::Chosen && !chosen.empty())
        Context.Client.Windows().Open(chosen);
}
