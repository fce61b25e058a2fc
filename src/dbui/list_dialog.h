#pragma once

#include "dbui/station_search.h"

#include <QDialog>
#include <vector>

class QLabel;
class QListWidget;

// "Ortauswahl": the stations added, each beside its position, the first one preselected. With
// multiple selection (dialog 42) any number may be chosen, else one (dialog 43). The position
// list (4203) follows the station list (4202) line for line as it scrolls.
class TDbUISearch::TDbUIListDialog : public QDialog {
public:
    static constexpr int MultipleSelection = 42;
    static constexpr int SingleSelection = 43;

    TDbUIListDialog(const TDatabaseMgr& database, QWidget* parent, bool multiSelect);

    // Appends the station with this record index.
    void Add(int recordIndex);
    int Count() const { return static_cast<int>(ListData.size()); }
    int RecordIndex(int line) const { return ListData.at(static_cast<std::size_t>(line)); }
    // The record indices of the selected lines, in line order.
    std::vector<int> Selection() const;

private:
    void FollowStationList();

    const TDatabaseMgr& Database;
    QLabel* CountLine;
    QListWidget* Stations;
    QListWidget* Positions;
    // The record index of every line.
    std::vector<int> ListData;
};
