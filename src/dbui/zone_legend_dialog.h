#pragma once

#include "map/station_zones.h"

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QPushButton;
class QTreeWidget;

namespace DbUI {

// "Klimazonen" (dialog 50): the climate zones of the database's stations (5001), each with the
// colour of its markers, its code and description and its number of stations. The zones chosen
// there are listed by "Stationen zeigen" (5003), or are all the map shows while "nur diese Zonen
// auf der Karte" (5002) is ticked. A window of its own beside the map, open while the user wants.
class TZoneLegendDialog : public QDialog {
public:
    enum : int {
        Resource = 50,
        ZoneList = 5001,
        OnlyChosenOnMap = 5002,
        ShowStationsButton = 5003
    };

    explicit TZoneLegendDialog(QWidget* parent);

    // The stations each zone has; only zones with stations are listed. A chosen zone stays chosen
    // for as long as it is listed.
    void SetCounts(const std::array<int, ClimateZoneCount>& counts);
    TZoneSet Chosen() const;
    // The zones the map is limited to: the chosen ones while the box is ticked.
    std::optional<TZoneSet> MapZones() const;

    // Told with the chosen zones when "Stationen zeigen" is pressed.
    void SetShowStations(std::function<void(const TZoneSet&)> show) {
        ShowStations = std::move(show);
    }
    // Told whenever the zones the map is limited to change.
    void SetMapZonesChanged(std::function<void(const std::optional<TZoneSet>&)> changed) {
        MapZonesChanged = std::move(changed);
    }

private:
    void Fit(QWidget* parent);
    void ChoiceChanged();

    QTreeWidget* Zones;
    QCheckBox* OnlyChosen;
    QPushButton* ShowButton;
    std::function<void(const TZoneSet&)> ShowStations;
    std::function<void(const std::optional<TZoneSet>&)> MapZonesChanged;
    // What MapZonesChanged was last told, so that it hears of real changes only.
    std::optional<TZoneSet> LastMapZones;
};

} // namespace DbUI
