#include "dbui/station_search.h"

#include "app/user_interface.h"
#include "app/wait_cursor.h"
#include "database/database_mgr.h"
#include "dbui/input_dialog.h"
#include "dbui/list_dialog.h"
#include "render/qt_text.h"

#include <memory>

TDbUISearch::TDbUISearch(TDatabaseMgr& database, QWidget* parent, TUserInterface& ui,
                         QString& lastSearchText, bool multiSelect, bool takeAll)
    : Database(database), Parent(parent), Ui(ui), LastSearchText(lastSearchText),
      MultiSelect(multiSelect), TakeAll(takeAll) {
}

TDbUISearch::TResult TDbUISearch::Run(std::vector<int>& chosen, std::vector<int>* lastSelection) {
    chosen.clear();
    DbUI::TMyInputDialog input(Parent, QStringLiteral("Suche Station..."),
                               QStringLiteral("Bitte geben Sie die gewünschte Station ein: "),
                               LastSearchText, MaxSearchText);
    if (Ui.Execute(input) != QDialog::Accepted)
        return Cancelled;
    LastSearchText = input.Text().left(MaxSearchText);

    auto list = std::make_unique<TDbUIListDialog>(Database, Parent, MultiSelect);
    {
        const TWaitCursor wait;
        if (lastSelection)
            lastSelection->clear();
        // A character that no name can hold matches nothing.
        const std::string pattern = ToWindows1252(LastSearchText).value_or(std::string());
        if (!pattern.empty()) {
            const TDiagramData::TPlace name(pattern);
            for (int found = Database.Find(name, -1, false); found >= 0;
                 found = Database.Find(name, found, false)) {
                list->Add(found);
                if (lastSelection)
                    lastSelection->push_back(found);
            }
        }
    }
    if (list->Count() == 0)
        return NotFound;
    if (list->Count() == 1 || TakeAll) {
        for (int line = 0; line < list->Count(); ++line)
            chosen.push_back(list->RecordIndex(line));
        return Chosen;
    }
    if (Ui.Execute(*list) != QDialog::Accepted)
        return Cancelled;
    chosen = list->Selection();
    return Chosen;
}
