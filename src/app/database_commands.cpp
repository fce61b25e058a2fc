#include "app/command_areas.h"
#include "app/diagram_windows.h"
#include "app/my_client.h"
#include "app/my_frame.h"
#include "app/qt_converter_ui.h"
#include "app/user_interface.h"
#include "app/wait_cursor.h"
#include "convert/converter_manager.h"
#include "database/database_mgr.h"
#include "dbui/list_dialog.h"
#include "dbui/merge_dialogs.h"
#include "render/qt_text.h"

#include <QStatusBar>

void TDatabaseCommands::Run(TCommandId id) {
    switch (id) {
    case CmReload:
        Reload();
        break;
    case CmSave:
        Save();
        break;
    case CmExport:
        Export();
        break;
    case CmImport:
        Import();
        break;
    case CmMergeFile:
        MergeFile();
        break;
    default:
        break;
    }
}

void TDatabaseCommands::Reload() {
    if (Context.Ui.Ask(&Context.Frame,
                       QStringLiteral("Sollen alle Änderungen verworfen werden?")) !=
        TUserInterface::TAnswer::Yes)
        return;
    try {
        const TWaitCursor wait;
        const TMyClient::TDatabaseChange change(Context.Client);
        Context.Database.Load(false, false);
    } catch (const TDatabaseMgr::TXBase& error) {
        // A file that fails to load never takes the place of the stations in memory.
        Context.Ui.Error(&Context.Frame,
                         ToQString(error.what()) +
                             QStringLiteral("\n\nDie Datenbank wurde nicht neu geladen; die "
                                            "Stationen bleiben, wie sie waren."));
        return;
    }
    Context.Status.showMessage(QStringLiteral("Änderungen verworfen"));
}

void TDatabaseCommands::Save() {
    try {
        const TWaitCursor wait;
        Context.Database.Save();
    } catch (const TDatabaseMgr::TXBase& error) {
        Context.Ui.Error(&Context.Frame, ToQString(error.what()));
        return;
    }
    Context.Status.showMessage(QStringLiteral("Datenbank gesichert"));
}

void TDatabaseCommands::Export() {
    TDbUISearch::TDbUIListDialog list(Context.Database, &Context.Frame, true);
    {
        const TWaitCursor wait;
        for (int index = 0; index < Context.Database.Count(); ++index)
            list.Add(index);
    }
    if (Context.Ui.Execute(list) != QDialog::Accepted)
        return;
    std::vector<TDiagramData> records;
    for (const int index : list.Selection())
        records.push_back(Context.Database.RecordAt(index));
    TQtConverterUi converterUi(&Context.Frame, Context.Ui);
    if (ConverterManager::Instance().ExportDiagrams(records, converterUi, "Pelvanor",
                                                    Context.Database.FileName()))
        Context.Ui.Info(&Context.Frame, QStringLiteral("Export erfolgreich!"));
    else if (!converterUi.Cancelled()) // a cancelled dialog is the user's wish, not a failure
        Context.Ui.Error(&Context.Frame, QStringLiteral("Export fehlgeschlagen!"));
}

void TDatabaseCommands::Import() {
    try {
        TQtConverterUi converterUi(&Context.Frame, Context.Ui);
        const std::vector<TDiagramData> records =
            ConverterManager::Instance().ImportDiagrams(converterUi);
        if (records.empty() ||
            Context.Ui.Ask(&Context.Frame,
                           QStringLiteral("Importierte Diagramme wirklich übernehmen?")) !=
                TUserInterface::TAnswer::Yes)
            return;
        {
            const TWaitCursor wait;
            const TMyClient::TDatabaseChange change(Context.Client);
            DbUI::GUIMergeHandler handler(&Context.Frame, Context.Ui);
            Context.Database.MergeList(records, &handler);
        }
        Context.Ui.Info(&Context.Frame, QStringLiteral("Import erfolgreich!"));
    } catch (const std::exception& error) {
        const QString message = ToQString(error.what());
        Context.Ui.Error(&Context.Frame,
                         message.isEmpty()
                             ? QStringLiteral("Import fehlgeschlagen!")
                             : QStringLiteral("Import fehlgeschlagen!\n\n") + message);
    }
}

// Another database file merged into this one through the merge dialogs; a file that the loader
// refuses may still be read by one of the import filters.
void TDatabaseCommands::MergeFile() {
    const auto file = Context.Ui.AskOpenFileName(
        &Context.Frame, QStringLiteral("Datenbank zusammenführen"),
        TQtConverterUi::NameFilters("Pelvanor Datenbanken (*.dat)|*.dat|"), QStringLiteral("dat"),
        QString());
    if (!file)
        return;
    const std::string fileName = file->toStdString();
    std::unique_ptr<TDatabaseMgr> other;
    std::vector<TDiagramData> imported;
    try {
        other = TDatabaseMgr::ReadOnly(fileName);
    } catch (const TDatabaseMgr::TXInOut& error) {
        Context.Ui.Error(&Context.Frame,
                         QStringLiteral("Datenbank konnte nicht geladen werden!\n\n") +
                             ToQString(error.what()));
        return;
    } catch (const TDatabaseMgr::TXBase&) {
        if (Context.Ui.Ask(
                &Context.Frame,
                QStringLiteral("Datenbank möglicherweise beschädigt\noder in einem alten "
                               "Format!\n\nSoll ein Import versucht werden?")) !=
            TUserInterface::TAnswer::Yes)
            return;
        TQtConverterUi converterUi(&Context.Frame, Context.Ui);
        imported = ConverterManager::Instance().ImportFile(converterUi, fileName);
        if (imported.empty())
            return;
    }
    if (Context.Ui.Ask(&Context.Frame, QStringLiteral("Datenbanken wirklich zusammenführen?")) !=
        TUserInterface::TAnswer::Yes)
        return;
    try {
        const TWaitCursor wait;
        const TMyClient::TDatabaseChange change(Context.Client);
        DbUI::GUIMergeHandler handler(&Context.Frame, Context.Ui);
        if (other)
            Context.Database.Merge(*other, &handler);
        else
            Context.Database.MergeList(imported, &handler);
    } catch (const TDatabaseMgr::TXBase& error) {
        Context.Ui.Error(&Context.Frame, ToQString(error.what()));
        return;
    }
    Context.Ui.Info(&Context.Frame, QStringLiteral("Zusammenführen erfolgreich!"));
}
