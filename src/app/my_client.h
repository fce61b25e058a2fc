#pragma once

#include "map/map.h"

#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <string>

class TDatabaseMgr;
class TResourceLibrary;
class TTvxConfig;

// The main frame's client: shows the world map or the map of Europe with the markers of the
// stations on show, and names them in tooltips.
class TMyClient : public QWidget {
public:
    static constexpr int FirstToolId = 60000;

    TMyClient(TDatabaseMgr& database, const TResourceLibrary& resources, QWidget* parent = nullptr);

    // Told when the client needs the frame to fit the size of the map now shown.
    void SetFitRequest(std::function<void(QSize)> fit) { FitToMap = std::move(fit); }

    bool WorldMapShown() const { return Current == World.get(); }
    const TMap& CurrentMap() const { return *Current; }
    // Switches between the world map and the map of Europe (command 1011).
    void ToggleMap();
    // Shows every station of the database, or only those of open diagram windows again.
    void ShowAllStations(bool all);
    bool AllStationsShown() const { return AllStations; }

    // The diagram windows are not part of this client yet: none is ever open.
    bool HasDiagramWindows() const { return false; }
    bool HasLastSelection() const { return false; }

    // The tool id of a station name, if it has tools.
    std::optional<int> ToolId(const std::string& name) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    void ShowMap(TMap* map);
    void ChooseMap();
    void AddTools(const TDiagramData& station);
    void RemoveAllTools();

    TDatabaseMgr& Database;
    std::unique_ptr<TMap> World;
    std::unique_ptr<TMap> Europe;
    TMap* Current = nullptr;
    bool AllStations = false;
    std::map<std::string, int> ToolIds;
    int NextToolId = FirstToolId;
    std::function<void(QSize)> FitToMap;
};
