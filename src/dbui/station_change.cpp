#include "app/user_interface.h"
#include "app/wait_cursor.h"
#include "database/database_mgr.h"
#include "dbui/change_dialog.h"
#include "dbui/edit_checks.h"
#include "render/qt_text.h"

// The round of the edit dialog: the station is stored only once its name conflicts no more.
TDbUIChange::TDbUIChange(TDatabaseMgr& database, QWidget* parent, TUserInterface& ui,
                         bool showClimateZone)
    : Database(database), Parent(parent), Ui(ui), ShowClimateZone(showClimateZone) {
}

TDbUIChange::TResult TDbUIChange::Run(int recordIndex, const QString& newName) {
    const bool creating = recordIndex < 0;
    if (!creating && Database.RecordAt(recordIndex).IsDisplayed())
        return Displayed;
    if (creating) {
        if (const auto problem = TDbUIChangeDiagDialog::TPlaceEdit::NewStorageProblem({}, newName))
            Ui.Error(Parent, QStringLiteral("Der Name „%1“ enthält Zeichen, die in der Datenbank "
                                            "nicht gespeichert werden können.\n\n%2")
                                 .arg(newName, *problem));
    }

    TDbUIChangeDiagDialog dialog(Parent, Ui, creating, ShowClimateZone);
    if (creating)
        dialog.LoadNew(newName);
    else
        dialog.Load(Database.RecordAt(recordIndex));
    for (;;) {
        Ui.Execute(dialog);
        const int confirmation = dialog.Confirmation();
        if (confirmation == 0)
            return Cancelled;
        const TDiagramData record = dialog.Record();
        const std::string& name = record.Place().Name();
        // Storing a record replaces the one of the same name, so that one is given up only when
        // the user agrees, and never while a diagram window shows it.
        if (creating || name != Database.RecordAt(recordIndex).Place().Name()) {
            const int other = Database.Find(record.Place(), -1, true);
            if (other >= 0 && Database.RecordAt(other).IsDisplayed()) {
                Ui.Error(Parent, QStringLiteral("Das Diagramm von ") + ToQString(name) +
                                     QStringLiteral(" kann nicht geändert werden,\nweil es "
                                                    "momentan angezeigt wird!"));
                continue;
            }
            if (other >= 0 &&
                Ui.Ask(Parent, QStringLiteral("Diagramm mit diesem Namen existiert bereits!\n\n"
                                              "Soll es überschrieben werden?")) !=
                    TUserInterface::TAnswer::Yes) {
                if (!creating)
                    dialog.Load(Database.RecordAt(recordIndex));
                continue;
            }
        }
        {
            const TWaitCursor wait;
            if (!creating)
                Database.RemoveAt(recordIndex);
            Database.Add(record, false);
        }
        return confirmation == TDbUIChangeDiagDialog::OkId ? Ok : Continue;
    }
}
