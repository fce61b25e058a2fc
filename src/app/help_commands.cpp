#include "app/command_areas.h"
#include "app/info_dialog.h"
#include "app/my_frame.h"
#include "app/user_interface.h"

void THelpCommands::Run(TCommandId id) {
    if (id == CmHelpTopics) {
        Context.Frame.ShowHelp(0);
    } else if (id == CmInfo) {
        TInfoDialog dialog(Context.Database, &Context.Frame);
        Context.Ui.Execute(dialog);
    }
}
