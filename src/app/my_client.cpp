#include "app/my_client.h"

#include "app/resource_library.h"
#include "database/database_mgr.h"
#include "tvxres/tvxres.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

TMyClient::TMyClient(TDatabaseMgr& database, const TResourceLibrary& resources, QWidget* parent)
    : QWidget(parent), Database(database) {
    const double ratio = devicePixelRatioF() > 1.0 ? 2.0 : 1.0;
    World = std::make_unique<TWorldMap>(resources.Picture(TvxResWorldMap, ratio));
    Europe = std::make_unique<TEuropeMap>(resources.Picture(TvxResEuropeMap, ratio));
    setMouseTracking(true);
    ShowMap(World.get());
}

void TMyClient::ShowMap(TMap* map) {
    if (map == Current)
        return;
    Current = map;
    setFixedSize(map->Size());
    if (FitToMap)
        FitToMap(map->Size());
    update();
}

void TMyClient::ToggleMap() {
    ShowMap(WorldMapShown() ? Europe.get() : World.get());
}

// The world map while no diagram window is open or all stations are on show.
void TMyClient::ChooseMap() {
    ShowMap(World.get());
}

void TMyClient::ShowAllStations(bool all) {
    if (all == AllStations)
        return;
    AllStations = all;
    RemoveAllTools();
    if (AllStations)
        for (int i = 0; i < Database.Count(); ++i)
            AddTools(Database.RecordAt(i));
    ChooseMap();
    update();
}

void TMyClient::AddTools(const TDiagramData& station) {
    const std::string& name = station.Place().Name();
    if (ToolIds.contains(name))
        return;
    const int id = NextToolId++;
    ToolIds[name] = id;
    World->AddTool(id, station);
    if (InEuropeArea(GeoPointOf(station.Coords())))
        Europe->AddTool(id, station);
}

void TMyClient::RemoveAllTools() {
    for (const auto& [name, id] : ToolIds) {
        World->RemoveTool(id);
        Europe->RemoveTool(id);
    }
    ToolIds.clear();
}

std::optional<int> TMyClient::ToolId(const std::string& name) const {
    const auto found = ToolIds.find(name);
    return found == ToolIds.end() ? std::nullopt : std::optional(found->second);
}

void TMyClient::paintEvent(QPaintEvent*) {
    std::vector<const TDiagramData*> stations;
    if (AllStations)
        for (int i = 0; i < Database.Count(); ++i)
            stations.push_back(&Database.RecordAt(i));
    QPainter painter(this);
    Current->Paint(painter, stations, nullptr);
}

bool TMyClient::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const auto name = Current->ToolTipAt(help->pos()))
            QToolTip::showText(help->globalPos(), *name, this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}
