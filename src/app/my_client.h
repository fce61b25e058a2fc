#pragma once

#include "map/map.h"
#include "map/station_zones.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

class QMenu;
class QShortcut;
class QStatusBar;
class TDatabaseMgr;
class TDiagramWindows;
class TResourceLibrary;
class TTvxConfig;
class TUserInterface;
namespace DbUI {
class TZoneLegendDialog;
}

// The main frame's client: shows the world map or the map of Europe with the markers of the
// stations on show and tooltips that name them, lets the user pick stations by a click or a
// dragged rectangle, and keeps the diagram windows.
class TMyClient : public QWidget {
public:
    static constexpr int FirstToolId = 60000;

    TMyClient(TDatabaseMgr& database, const TTvxConfig& settings, const TResourceLibrary& resources,
              TUserInterface& ui, QWidget* parent = nullptr);
    ~TMyClient() override;

    // Told when the client needs the frame to fit the size of the map now shown.
    void SetFitRequest(std::function<void(QSize)> fit) { FitToMap = std::move(fit); }
    // Where the corners of a dragged area are shown.
    void SetStatusBar(QStatusBar* statusBar) { Status = statusBar; }
    // Told when windows opened or closed, so that the commands follow.
    void SetStateChanged(std::function<void()> changed) { StateChanged = std::move(changed); }
    // The map's context menu, whose commands are the frame's.
    void SetContextMenu(QMenu* menu) { ContextMenu = menu; }

    bool WorldMapShown() const { return Current == World.get(); }
    const TMap& CurrentMap() const { return *Current; }
    // Switches between the world map and the map of Europe (command 1011).
    void ToggleMap();
    // Shows every station of the database, or only those of open diagram windows again.
    void ShowAllStations(bool all);
    bool AllStationsShown() const { return AllStations; }

    TDiagramWindows& Windows() const { return *DiagramWindows; }

    // The tool id of a station name, if it has tools.
    std::optional<int> ToolId(const std::string& name) const;

    // The climate zone of every station, worked out again after each change of the database.
    const TStationZones& StationZones();
    // The markers the map shows now, with their climate zones where they are coloured by them.
    std::vector<TMap::TMarker> Markers();
    // Limits the all-stations mode to the stations of these zones (which brings it on), or lifts
    // the limit.
    void LimitToZones(const std::optional<TZoneSet>& zones);
    const std::optional<TZoneSet>& ZoneLimit() const { return MapZones; }
    // The window "Klimazonen", opened or brought to the front.
    void ShowZoneLegend();
    // The legend, if it was ever opened.
    DbUI::TZoneLegendDialog* ZoneLegend() const;
    // The colouring of the markers by zone was switched; switched on, it brings up the legend.
    void ZoneColouringChanged();

    // What the diagram windows tell the map.
    void StationOpened(const TDiagramData& station);
    void StationClosed(const TDiagramData& station);
    // The map that fits the stations on show comes up, and the markers are drawn anew.
    void ShownStationsChanged();
    // The last diagram window closed: tool ids start again from the first.
    void AllDiagramsClosed();

    // Around a change of the database: the last selection survives by name, and with all
    // stations on show their markers follow.
    void BeforeDatabaseChange();
    void AfterDatabaseChange();
    // Both of them around its own life, however the change ends.
    class TDatabaseChange {
    public:
        explicit TDatabaseChange(TMyClient& client) : Client(client) {
            Client.BeforeDatabaseChange();
        }
        ~TDatabaseChange() { Client.AfterDatabaseChange(); }
        TDatabaseChange(const TDatabaseChange&) = delete;
        TDatabaseChange& operator=(const TDatabaseChange&) = delete;

    private:
        TMyClient& Client;
    };

    // The stations in a pixel rectangle of the current map open, directly or after a choice.
    void SelectArea(const TPixelRect& pixels);
    // The rectangle being dragged, if any.
    std::optional<QRect> RubberBand() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ShowMap(TMap* map);
    void ChooseMap();
    void AddTools(const TDiagramData& station, int zone);
    void AddAllTools();
    void RemoveTools(const std::string& name);
    void RemoveAllTools();
    void ShowAreaText();
    // When the map loses the mouse, the drag ends without a selection.
    void CancelDrag();
    // The rubber band and the corners' text go.
    void EndDrag();
    void ShowContextMenu(QPoint at);
    // Several stations found (record indices) are offered in "Ortauswahl" over the parent; the
    // chosen ones open, and all of them become the last selection.
    void ListAndOpen(const std::vector<int>& found, QWidget* parent);
    // The marker of a station that has a diagram window.
    TMap::TMarker WindowMarker(const TDiagramData& station) const;
    // The zones whose stations the map shows: all of them, unless the all-stations mode is
    // limited.
    TZoneSet ShownZones() const;
    bool ZoneShown(int recordIndex);

    TDatabaseMgr& Database;
    const TTvxConfig& Settings;
    TUserInterface& Ui;
    std::unique_ptr<TMap> World;
    std::unique_ptr<TMap> Europe;
    TMap* Current = nullptr;
    bool AllStations = false;
    std::unordered_map<std::string, int> ToolIds;
    int NextToolId = FirstToolId;
    std::function<void(QSize)> FitToMap;
    std::function<void()> StateChanged;
    QStatusBar* Status = nullptr;
    QMenu* ContextMenu = nullptr;
    std::unique_ptr<TDiagramWindows> DiagramWindows;
    // The drag of an area: where the left button went down, and where the mouse is now.
    std::optional<QPoint> DragStart;
    std::optional<QPoint> DragEnd;
    QShortcut* CancelKey = nullptr;
    TStationZones Zones;
    // Whether Zones holds the database as it is; never while a change is under way.
    bool ZonesCurrent = false;
    bool DatabaseChanging = false;
    // The zones the all-stations mode is limited to, if any.
    std::optional<TZoneSet> MapZones;
    // Owned by the main frame, like every window beside it.
    QPointer<DbUI::TZoneLegendDialog> Legend;
};
