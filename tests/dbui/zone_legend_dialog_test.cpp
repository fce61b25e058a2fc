#include "database/database_mgr.h"
#include "dbui/zone_legend_dialog.h"
#include "map/station_zones.h"
#include "support/temp_dir.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace {

using TZoneCounts = std::map<std::string, int>;

QTreeWidget* ZoneList(const DbUI::TZoneLegendDialog& legend) {
    return legend.findChild<QTreeWidget*>(QStringLiteral("5001"));
}

// What the legend lists, by code, from its lines "Cfb – …" and their counts, in its order.
std::vector<std::pair<std::string, int>> Listed(const DbUI::TZoneLegendDialog& legend) {
    std::vector<std::pair<std::string, int>> lines;
    const QTreeWidget* zones = ZoneList(legend);
    for (int row = 0; row < zones->topLevelItemCount(); ++row) {
        const QTreeWidgetItem* item = zones->topLevelItem(row);
        lines.emplace_back(item->text(0).section(QStringLiteral(" – "), 0, 0).toStdString(),
                           item->text(1).toInt());
    }
    return lines;
}

// Chooses the lines of these zones at once, as one click of the user does.
void Choose(const DbUI::TZoneLegendDialog& legend, std::initializer_list<const char*> codes) {
    QTreeWidget* zones = ZoneList(legend);
    QItemSelection lines;
    for (int row = 0; row < zones->topLevelItemCount(); ++row)
        for (const char* code : codes)
            if (zones->topLevelItem(row)->text(0).startsWith(QString::fromLatin1(code) + " ")) {
                const QModelIndex line = zones->model()->index(row, 0);
                lines.select(line, line);
            }
    zones->selectionModel()->select(lines, QItemSelectionModel::ClearAndSelect |
                                               QItemSelectionModel::Rows);
}

TZoneSet ZonesOf(std::initializer_list<const char*> codes) {
    TZoneSet zones;
    for (const char* code : codes)
        zones.set(static_cast<std::size_t>(ClimateZoneNumber(code)));
    return zones;
}

// The legend of the starter database counts as the tool's list does, zone by zone.
TEST(ZoneLegendDialogTest, CountsAgreeWithTheToolsList) {
    const std::string database = PELVANOR_PROGRAM_DIR "/pelvanor.dat";
    TTempDir dir;
    const std::string command = std::string("'") + PELVANOR_TOOL + "' list '" + database +
                                "' --koeppen > '" + dir.File("list") + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    TZoneCounts listed;
    std::istringstream lines(TTempDir::Read(dir.File("list")));
    int stations = 0;
    for (std::string line; std::getline(lines, line); ++stations)
        ++listed[line.substr(line.rfind('\t') + 1)];
    ASSERT_GT(stations, 5000);

    TStationZones zones;
    zones.Update(*TDatabaseMgr::ReadOnly(database));
    DbUI::TZoneLegendDialog legend(nullptr);
    legend.SetCounts(zones.Counts());
    const auto shown = Listed(legend);
    EXPECT_EQ(TZoneCounts(shown.begin(), shown.end()), listed);
    // In the order of the classification's legend, from the tropics to the ice.
    for (std::size_t i = 1; i < shown.size(); ++i)
        EXPECT_LT(ClimateZoneNumber(shown[i - 1].first), ClimateZoneNumber(shown[i].first));
    EXPECT_EQ(legend.windowTitle(), "Klimazonen");
    EXPECT_EQ(ZoneList(legend)->topLevelItem(0)->text(0), "Af – tropisch, immerfeucht "
                                                          "(Regenwaldklima)");
}

// A new count keeps the choice where the zone is still listed; a zone gone leaves it, and the
// map's limit with it.
TEST(ZoneLegendDialogTest, TheChoiceFollowsTheZonesListed) {
    std::array<int, ClimateZoneCount> counts{};
    for (const char* code : {"Csa", "Csb", "Cfb", "Dfb"})
        counts[static_cast<std::size_t>(ClimateZoneNumber(code))] = 3;
    DbUI::TZoneLegendDialog legend(nullptr);
    std::vector<std::optional<TZoneSet>> limits;
    legend.SetMapZonesChanged(
        [&](const std::optional<TZoneSet>& zones) { limits.push_back(zones); });
    legend.SetCounts(counts);
    auto* showButton = legend.findChild<QPushButton*>(QStringLiteral("5003"));
    EXPECT_FALSE(showButton->isEnabled()); // nothing chosen yet
    legend.findChild<QCheckBox*>(QStringLiteral("5002"))->click();
    Choose(legend, {"Csa", "Dfb"});
    EXPECT_TRUE(showButton->isEnabled());
    limits.clear();

    counts[static_cast<std::size_t>(ClimateZoneNumber("Dfb"))] = 0;
    legend.SetCounts(counts);
    EXPECT_EQ(legend.Chosen(), ZonesOf({"Csa"}));
    EXPECT_EQ(limits, std::vector<std::optional<TZoneSet>>{ZonesOf({"Csa"})});
    EXPECT_EQ(Listed(legend).size(), 3u);
    legend.SetCounts(counts);
    EXPECT_EQ(limits.size(), 1u); // told of changes only
}

} // namespace
