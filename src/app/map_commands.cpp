#include "app/command_areas.h"
#include "app/my_client.h"
#include "app/wait_cursor.h"

void TMapCommands::Run(TCommandId id) {
    TMyClient& client = Context.Client;
    if (id == CmToggleMap) {
        client.ToggleMap();
    } else if (id == CmAllStations) {
        const TWaitCursor wait;
        client.ShowAllStations(!client.AllStationsShown());
    } else if (id == CmZoneLegend) {
        client.ShowZoneLegend();
    }
}
