#include "app/my_client.h"

#include "app/diagram_windows.h"
#include "app/user_interface.h"
#include "app/wait_cursor.h"
#include "config/tvx_config.h"
#include "database/database_mgr.h"
#include "dbui/list_dialog.h"
#include "dbui/zone_legend_dialog.h"
#include "render/qt_text.h"
#include "render/resource_library.h"
#include "tvxres/tvxres.h"

#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QStatusBar>
#include <QToolTip>

TMyClient::TMyClient(TDatabaseMgr& database, const TTvxConfig& settings,
                     const TResourceLibrary& resources, TUserInterface& ui, QWidget* parent)
    : QWidget(parent), Database(database), Settings(settings), Ui(ui),
      DiagramWindows(std::make_unique<TDiagramWindows>(*this, database, settings, ui)) {
    const double ratio = devicePixelRatioF() > 1.0 ? 2.0 : 1.0;
    World = std::make_unique<TWorldMap>(resources.Picture(TvxResWorldMap, ratio));
    Europe = std::make_unique<TEuropeMap>(resources.Picture(TvxResEuropeMap, ratio));
    setMouseTracking(true);
    auto* contextKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    contextKey->setContext(Qt::WindowShortcut);
    connect(contextKey, &QShortcut::activated, this, [this] { ShowContextMenu(QCursor::pos()); });
    // Escape belongs to the map only while a drag lasts.
    CancelKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    CancelKey->setContext(Qt::WindowShortcut);
    CancelKey->setEnabled(false);
    connect(CancelKey, &QShortcut::activated, this, &TMyClient::CancelDrag);
    ShowMap(World.get());
}

// The diagram windows go before the maps whose markers they keep, the legend before the client
// it tells.
TMyClient::~TMyClient() {
    DiagramWindows.reset();
    delete Legend;
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

// The world map while no diagram window is open or all stations are on show, else the map of
// Europe when every open station lies in its area.
void TMyClient::ChooseMap() {
    const auto& links = DiagramWindows->WindowLinks();
    const bool europe = !AllStations && !links.empty() &&
                        std::all_of(links.begin(), links.end(), [](const auto& link) {
                            return InEuropeArea(GeoPointOf(link.Station->Coords()));
                        });
    ShowMap(europe ? Europe.get() : World.get());
}

void TMyClient::ShowAllStations(bool all) {
    if (all == AllStations)
        return;
    AllStations = all;
    RemoveAllTools();
    if (AllStations)
        AddAllTools();
    else
        for (const auto& link : DiagramWindows->WindowLinks())
            AddTools(*link.Station, ClimateZoneNumberOf(*link.Station));
    ChooseMap();
    update();
}

void TMyClient::AddTools(const TDiagramData& station, int zone) {
    const int id = NextToolId;
    if (!ToolIds.try_emplace(station.Place().Name(), id).second)
        return;
    ++NextToolId;
    World->AddTool(id, station, zone);
    if (InEuropeArea(GeoPointOf(station.Coords())))
        Europe->AddTool(id, station, zone);
}

void TMyClient::AddAllTools() {
    ToolIds.reserve(static_cast<std::size_t>(Database.Count()));
    const TStationZones& zones = StationZones();
    for (int i = 0; i < Database.Count(); ++i)
        AddTools(Database.RecordAt(i), zones.ZoneOf(i));
}

void TMyClient::RemoveTools(const std::string& name) {
    const auto found = ToolIds.find(name);
    if (found == ToolIds.end())
        return;
    World->RemoveTool(found->second);
    Europe->RemoveTool(found->second);
    ToolIds.erase(found);
}

void TMyClient::RemoveAllTools() {
    World->RemoveAllTools();
    Europe->RemoveAllTools();
    ToolIds.clear();
}

std::optional<int> TMyClient::ToolId(const std::string& name) const {
    const auto found = ToolIds.find(name);
    return found == ToolIds.end() ? std::nullopt : std::optional(found->second);
}

void TMyClient::StationOpened(const TDiagramData& station) {
    AddTools(station, ClimateZoneNumberOf(station));
}

// With all stations on show, a closed station keeps its marker and so its tooltip.
void TMyClient::StationClosed(const TDiagramData& station) {
    if (!AllStations)
        RemoveTools(station.Place().Name());
}

void TMyClient::ShownStationsChanged() {
    ChooseMap();
    update();
    if (StateChanged)
        StateChanged();
}

// Ids start again only where no tool keeps one, so that no two stations ever share an id.
void TMyClient::AllDiagramsClosed() {
    if (ToolIds.empty())
        NextToolId = FirstToolId;
}

void TMyClient::BeforeDatabaseChange() {
    DatabaseChanging = true;
    ZonesCurrent = false;
    DiagramWindows->BeforeDatabaseChange();
}

void TMyClient::AfterDatabaseChange() {
    DatabaseChanging = false;
    ZonesCurrent = false;
    DiagramWindows->AfterDatabaseChange();
    // Without a station there is nothing to show, and the mode, whose command is off then,
    // would keep reloading and importing off for good.
    if (AllStations && Database.Count() == 0)
        ShowAllStations(false);
    if (AllStations) {
        RemoveAllTools();
        AddAllTools();
    }
    if (Legend)
        Legend->SetCounts(StationZones().Counts());
    update();
    if (StateChanged)
        StateChanged();
}

// With the all-stations mode limited to some zones, only their stations are found: what the map
// does not show cannot be picked on it.
void TMyClient::SelectArea(const TPixelRect& pixels) {
    std::vector<int> found;
    {
        const TWaitCursor wait;
        found = Current->StationsInArea(pixels, Database);
        std::erase_if(found, [this](int index) { return !ZoneShown(index); });
    }
    if (found.empty()) {
        Ui.Info(this, QStringLiteral("In diesem Bereich sind keine Stationen verfügbar!"));
        return;
    }
    if (found.size() == 1) {
        DiagramWindows->Open(found);
        return;
    }
    ListAndOpen(found, this);
}

void TMyClient::ListAndOpen(const std::vector<int>& found, QWidget* parent) {
    TDbUISearch::TDbUIListDialog list(Database, parent, true);
    {
        const TWaitCursor wait;
        for (const int index : found)
            list.Add(index);
    }
    if (Ui.Execute(list) != QDialog::Accepted)
        return;
    DiagramWindows->SetLastSelection(found);
    DiagramWindows->Open(list.Selection());
}

namespace {

// The pixels from one corner to the other, both included, whichever way the mouse went.
TPixelRect Spanned(QPoint start, QPoint end) {
    return {std::min(start.x(), end.x()), std::min(start.y(), end.y()),
            std::max(start.x(), end.x()), std::max(start.y(), end.y())};
}

} // namespace

std::optional<QRect> TMyClient::RubberBand() const {
    if (!DragStart || !DragEnd)
        return std::nullopt;
    const TPixelRect band = Spanned(*DragStart, *DragEnd);
    return QRect(QPoint(band.Left, band.Top), QPoint(band.Right, band.Bottom));
}

void TMyClient::ShowAreaText() {
    if (Status && DragStart)
        Status->showMessage(
            ToQString(Current->AreaText(Spanned(*DragStart, DragEnd.value_or(*DragStart)))));
}

void TMyClient::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    DragStart = event->position().toPoint();
    DragEnd.reset();
    CancelKey->setEnabled(true);
    ShowAreaText();
}

void TMyClient::mouseMoveEvent(QMouseEvent* event) {
    if (!DragStart)
        return QWidget::mouseMoveEvent(event);
    // The button went up where the map did not see it, in a dialog or another program's grab.
    if (!(event->buttons() & Qt::LeftButton))
        return CancelDrag();
    DragEnd = event->position().toPoint();
    update();
    ShowAreaText();
}

void TMyClient::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton && !DragStart) {
        ShowContextMenu(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton || !DragStart)
        return QWidget::mouseReleaseEvent(event);
    const TPixelRect area = Spanned(*DragStart, DragEnd.value_or(*DragStart));
    EndDrag();
    SelectArea(area);
}

void TMyClient::CancelDrag() {
    if (DragStart)
        EndDrag();
}

void TMyClient::EndDrag() {
    DragStart.reset();
    DragEnd.reset();
    CancelKey->setEnabled(false);
    update();
    if (Status)
        Status->clearMessage();
}

void TMyClient::ShowContextMenu(QPoint at) {
    if (ContextMenu)
        ContextMenu->popup(at);
}

void TMyClient::paintEvent(QPaintEvent*) {
    const TDiagramData* current = DiagramWindows->CurrentStation();
    QPainter painter(this);
    Current->Paint(painter, Markers(),
                   current ? std::optional(WindowMarker(*current)) : std::nullopt,
                   Settings.ColorStationsByZone ? TMap::TColours::ByZone : TMap::TColours::Plain);
    if (const auto band = RubberBand()) {
        // Inverted, so that it shows on land and sea alike.
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.setPen(QPen(Qt::white, 0));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(band->adjusted(0, 0, -1, -1));
    }
}

bool TMyClient::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (const auto name =
                Current->ToolTipAt(help->pos(), ShownZones(), Settings.ColorStationsByZone))
            QToolTip::showText(help->globalPos(), *name, this);
        else
            QToolTip::hideText();
        return true;
    }
    // The mouse goes elsewhere: to a dialog, or to another window.
    if (event->type() == QEvent::WindowBlocked || event->type() == QEvent::WindowDeactivate)
        CancelDrag();
    return QWidget::event(event);
}

const TStationZones& TMyClient::StationZones() {
    if (!ZonesCurrent) {
        Zones.Update(Database);
        ZonesCurrent = !DatabaseChanging;
    }
    return Zones;
}

TMap::TMarker TMyClient::WindowMarker(const TDiagramData& station) const {
    return {&station, Settings.ColorStationsByZone ? ClimateZoneNumberOf(station) : 0};
}

TZoneSet TMyClient::ShownZones() const {
    return AllStations && MapZones ? *MapZones : TZoneSet().set();
}

bool TMyClient::ZoneShown(int recordIndex) {
    const TZoneSet shown = ShownZones();
    return shown.all() || shown[static_cast<std::size_t>(StationZones().ZoneOf(recordIndex))];
}

std::vector<TMap::TMarker> TMyClient::Markers() {
    std::vector<TMap::TMarker> markers;
    if (!AllStations) {
        for (const auto& link : DiagramWindows->WindowLinks())
            markers.push_back(WindowMarker(*link.Station));
        return markers;
    }
    const TZoneSet shown = ShownZones();
    const TStationZones* zones =
        Settings.ColorStationsByZone || !shown.all() ? &StationZones() : nullptr;
    markers.reserve(static_cast<std::size_t>(Database.Count()));
    for (int i = 0; i < Database.Count(); ++i) {
        const int zone = zones ? zones->ZoneOf(i) : 0;
        if (shown[static_cast<std::size_t>(zone)])
            markers.push_back({&Database.RecordAt(i), zone});
    }
    return markers;
}

void TMyClient::LimitToZones(const std::optional<TZoneSet>& zones) {
    MapZones = zones;
    if (zones && !AllStations) {
        const TWaitCursor wait;
        ShowAllStations(true);
    }
    update();
    if (StateChanged)
        StateChanged();
}

void TMyClient::ShowZoneLegend() {
    if (!Legend) {
        Legend = new DbUI::TZoneLegendDialog(window());
        Legend->SetShowStations([this](const TZoneSet& zones) {
            ListAndOpen(StationZones().StationsIn(zones), Legend.data());
        });
        Legend->SetMapZonesChanged(
            [this](const std::optional<TZoneSet>& zones) { LimitToZones(zones); });
    }
    Legend->SetCounts(StationZones().Counts());
    Legend->show();
    Legend->raise();
    Legend->activateWindow();
}

DbUI::TZoneLegendDialog* TMyClient::ZoneLegend() const {
    return Legend;
}

void TMyClient::ZoneColouringChanged() {
    update();
    if (Settings.ColorStationsByZone)
        ShowZoneLegend();
}
