#include "app/command_areas.h"
#include "app/diagram_windows.h"
#include "app/my_client.h"
#include "app/my_frame.h"
#include "app/user_interface.h"
#include "config/config_dialog.h"
#include "config/tvx_config.h"

void TWindowCommands::Run(TCommandId id) {
    TDiagramWindows& windows = Context.Client.Windows();
    switch (id) {
    case CmToDiagram:
        Context.Frame.showMinimized(); // the frame then shows the diagram windows
        break;
    case CmLastSelection:
        windows.ShowLastSelection();
        break;
    case CmCloseAll:
        windows.CloseAll();
        break;
    case CmConfigure:
        Configure();
        break;
    default:
        break;
    }
}

// Asked over the active diagram window while it is on show; a changed rule of maximising lays the
// windows on show out anew, a changed colouring of the map's markers paints the map anew.
void TWindowCommands::Configure() {
    TDiagramWindows& windows = Context.Client.Windows();
    TDiagFrame* active = windows.ActiveFrame();
    QWidget* parent =
        active && active->isVisible() ? static_cast<QWidget*>(active) : &Context.Frame;
    const bool alwaysMaximize = Context.Settings.AlwaysMaximize;
    const bool colouredByZone = Context.Settings.ColorStationsByZone;
    TConfigDialog dialog(Context.Settings, parent);
    if (Context.Ui.Execute(dialog) != QDialog::Accepted)
        return;
    windows.RedrawAll();
    if (Context.Settings.ColorStationsByZone != colouredByZone)
        Context.Client.ZoneColouringChanged();
    if (Context.Frame.isMinimized() && Context.Settings.AlwaysMaximize != alwaysMaximize) {
        windows.HideForMap();
        windows.Arrange();
    }
}
