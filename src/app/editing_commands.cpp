#include "app/command_areas.h"
#include "app/diagram_windows.h"
#include "app/my_client.h"
#include "app/my_frame.h"
#include "app/user_interface.h"
#include "app/wait_cursor.h"
#include "database/database_mgr.h"
#include "dbui/change_dialog.h"
#include "dbui/list_dialog.h"
#include "dbui/station_search.h"
#include "render/qt_text.h"

#include <QStatusBar>

namespace {

enum TRound { Done = 0, Again = 1, Cancelled = 2, Displayed = 3 };

} // namespace

void TEditingCommands::Run(TCommandId id) {
    if (id == CmDelete) {
        Delete();
        return;
    }
    if (id == CmCreate &&
        RefusedWhileAllShown(QStringLiteral("Anlegen von Diagrammen nicht möglich, wenn alle\n"
                                            "Stationen angezeigt werden!")))
        return;
    if (id == CmChange &&
        RefusedWhileAllShown(QStringLiteral("Bearbeitung von Diagrammen nicht möglich, wenn "
                                            "alle\nStationen angezeigt werden!")))
        return;
    // The status bar tells what came of the rounds: a station stored in any of them is a
    // success, even when a later round was cancelled; a refusal has had its box already.
    bool stored = false;
    int result = Again;
    while (result == Again) {
        result = id == CmCreate ? CreateRound() : ChangeRound();
        stored = stored || result == Done || result == Again;
    }
    if (stored)
        Context.Status.showMessage(QStringLiteral("Diagramme erfolgreich erstellt/geändert"));
    else if (result == Displayed)
        Context.Status.clearMessage();
}

bool TEditingCommands::RefusedWhileAllShown(const QString& text) {
    if (!Context.Client.AllStationsShown())
        return false;
    Context.Ui.Error(&Context.Frame, text);
    return true;
}

int TEditingCommands::CreateRound() {
    TDbUISearch search(Context.Database, &Context.Frame, Context.Ui, Context.LastSearchText, false,
                       true);
    std::vector<int> found;
    const auto result = search.Run(found);
    if (result == TDbUISearch::Cancelled) {
        Context.Status.showMessage(QStringLiteral("Bearbeiten von Diagrammen abgebrochen"));
        return Cancelled;
    }
    const std::string name = ToWindows1252(Context.LastSearchText).value_or(std::string());
    if (result == TDbUISearch::NotFound)
        return Edit(-1, Context.LastSearchText);
    if (const int same = Context.Database.Find(TDiagramData::TPlace(name), -1, true); same >= 0) {
        Context.Ui.Info(&Context.Frame,
                        QStringLiteral("Ein Diagramm mit diesem Namen existiert bereits.\n\n"
                                       "Pelvanor öffnet das Diagramm im Bearbeiten-Modus."));
        return Edit(same, {});
    }
    if (Context.Ui.Ask(&Context.Frame,
                       QStringLiteral("Ein oder mehrere Diagramme mit einem ähnlichen Namen "
                                      "existieren bereits!\nSoll dennoch ein neues Diagramm "
                                      "angelegt werden?\n\nJa:\tNeues Diagramm anlegen\nNein:\t"
                                      "Liste ähnlicher Diagramme zur Bearbeitung anzeigen")) ==
        TUserInterface::TAnswer::Yes)
        return Edit(-1, Context.LastSearchText);
    TDbUISearch::TDbUIListDialog list(Context.Database, &Context.Frame, false);
    for (const int index : found)
        list.Add(index);
    if (Context.Ui.Execute(list) != QDialog::Accepted || list.Selection().empty())
        return Cancelled;
    return Edit(list.Selection().front(), {});
}

int TEditingCommands::ChangeRound() {
    TDbUISearch search(Context.Database, &Context.Frame, Context.Ui, Context.LastSearchText, false,
                       false);
    std::vector<int> chosen;
    const auto result = search.Run(chosen);
    if (result == TDbUISearch::Chosen && !chosen.empty())
        return Edit(chosen.front(), {});
    if (result == TDbUISearch::NotFound) {
        if (Context.Ui.Ask(
                &Context.Frame,
                QStringLiteral("Das gewünschte Diagramm konnte nicht gefunden werden: ") +
                    Context.LastSearchText +
                    QStringLiteral("\n\nSoll ein neues Diagramm mit diesem Namen "
                                   "angelegt werden?")) != TUserInterface::TAnswer::Yes)
            return Cancelled;
        return Edit(-1, Context.LastSearchText);
    }
    Context.Status.showMessage(QStringLiteral("Bearbeiten von Diagrammen abgebrochen"));
    return Cancelled;
}

int TEditingCommands::Edit(int recordIndex, const QString& newName) {
    const QString name = recordIndex >= 0
                             ? ToQString(Context.Database.RecordAt(recordIndex).Place().Name())
                             : QString();
    int result = Cancelled;
    {
        const TMyClient::TDatabaseChange change(Context.Client);
        result = TDbUIChange(Context.Database, &Context.Frame, Context.Ui,
                             Context.Settings.ShowClimateZone)
                     .Run(recordIndex, newName);
    }
    if (result == Displayed)
        Context.Ui.Error(&Context.Frame,
                         QStringLiteral("Das Diagramm von ") + name +
                             QStringLiteral(" kann nicht geändert werden,\nweil es momentan "
                                            "angezeigt wird!"));
    return result;
}

void TEditingCommands::Delete() {
    TDbUISearch search(Context.Database, &Context.Frame, Context.Ui, Context.LastSearchText, true,
                       false);
    std::vector<int> chosen;
    const auto result = search.Run(chosen);
    if (result == TDbUISearch::NotFound)
        Context.Ui.Info(&Context.Frame, QStringLiteral("Es konnte keine Station gefunden werden!"));
    if (result != TDbUISearch::Chosen || chosen.empty())
        return;
    std::vector<std::string> names;
    std::vector<const TDiagramData*> stations;
    for (const int index : chosen) {
        names.push_back(Context.Database.RecordAt(index).Place().Name());
        stations.push_back(&Context.Database.RecordAt(index));
    }
    const QString question = names.size() == 1
                                 ? QStringLiteral("Station ") + ToQString(names.front()) +
                                       QStringLiteral(" wirklich aus der Datenbank löschen?")
                                 : QStringLiteral("Stationen wirklich aus der Datenbank löschen?");
    if (Context.Ui.Ask(&Context.Frame, question) != TUserInterface::TAnswer::Yes)
        return;
    std::vector<QString> missing;
    {
        const TWaitCursor wait;
        Context.Client.Windows().Close(stations);
        const TMyClient::TDatabaseChange change(Context.Client);
        for (const std::string& name : names) {
            const int index = Context.Database.Find(TDiagramData::TPlace(name), -1, true);
            if (index < 0)
                missing.push_back(ToQString(name));
            else
                Context.Database.RemoveAt(index);
        }
    }
    for (const QString& name : missing)
        Context.Ui.Error(&Context.Frame,
                         name + QStringLiteral(" ist nicht in der Datenbank enthalten!"));
    Context.Status.showMessage(QStringLiteral("Diagramme gelöscht"));
}
