#pragma once

#include <QString>
#include <vector>

class QWidget;
class TDatabaseMgr;
class TUserInterface;

// Asks for a name pattern, finds every matching station and lets the user choose among them.
// Stations are record indices of the database.
class TDbUISearch {
public:
    // Shows stations with their positions and returns the chosen ones.
    class TDbUIListDialog;

    enum TResult { Chosen = 0, NotFound = 1, Cancelled = 2 };
    static constexpr int MaxSearchText = 256;

    // The last search text is shared by every search of the run: it is offered again next time.
    TDbUISearch(TDatabaseMgr& database, QWidget* parent, TUserInterface& ui,
                QString& lastSearchText, bool multiSelect, bool takeAll);

    // The chosen stations in list order go to `chosen`; every hit goes to `lastSelection`, if
    // given, whether the user chooses or not.
    TResult Run(std::vector<int>& chosen, std::vector<int>* lastSelection = nullptr);

private:
    TDatabaseMgr& Database;
    QWidget* Parent;
    TUserInterface& Ui;
    QString& LastSearchText;
    bool MultiSelect;
    bool TakeAll;
};
